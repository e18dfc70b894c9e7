#include "host/res/Resources.h"

#include <algorithm>
#include <cctype>

#include "host/res/ResourceTable.h"

namespace {

std::string UpperCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

bool Before(const TResourceEntry& e, TResourceKind kind, std::string_view name)
{
    if (e.kind != kind)
        return e.kind < kind;
    return std::string_view(e.name) < name;
}

} // namespace

std::span<const std::uint8_t> FindResource(std::string_view name, TResourceKind kind)
{
    const std::string key = UpperCase(name);
    const TResourceEntry* end = kResourceTable + kResourceCount;
    const TResourceEntry* it = std::lower_bound(
        kResourceTable, end, key, [kind](const TResourceEntry& e, const std::string& k) { return Before(e, kind, k); });
    if (it == end || it->kind != kind || key != it->name)
        return {};
    return { it->data, it->size };
}

std::span<const std::uint8_t> LoadResource(std::string_view name, TResourceKind kind)
{
    std::span<const std::uint8_t> data = FindResource(name, kind);
    if (data.data() == nullptr)
        throw EResNotFound("Resource " + std::string(name) + " not found");
    return data;
}

std::string LoadStr(std::string_view name)
{
    std::span<const std::uint8_t> data = LoadResource(name, TResourceKind::String);
    return std::string(data.begin(), data.end());
}
