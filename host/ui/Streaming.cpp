#include "host/ui/Streaming.h"

#include "host/res/Resources.h"
#include "host/ui/LayoutParser.h"
#include "host/ui/LayoutPrinter.h"
#include "host/ui/Reader.h"
#include "host/ui/Writer.h"

void ReadComponentFromString(std::string_view text, TComponent* root)
{
    const TLayoutObject layout = ParseLayout(text);
    TReader(root).ReadRootComponent(layout);
}

void ReadComponentRes(std::string_view name, TComponent* root)
{
    const std::span<const std::uint8_t> bytes = LoadResource(name, TResourceKind::Layout);
    ReadComponentFromString(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), root);
}

std::string WriteComponentToString(TComponent* root)
{
    return PrintLayout(TWriter(root).WriteRootComponent());
}
