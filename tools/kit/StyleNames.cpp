#include "tools/kit/StyleNames.h"

#include "host/ui/TypeInfo.h"

std::optional<TsuiUIStyle> BuiltInStyle(const std::string& name)
{
    const TEnumInfo& styles = EnumInfo(TTypeTag<TsuiUIStyle> {});
    const int index = styles.IndexOfIdent(name);
    if (index < 0 || styles.Value(index) == FromThemeFile)
        return std::nullopt;
    return static_cast<TsuiUIStyle>(styles.Value(index));
}
