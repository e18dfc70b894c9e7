#include "host/win/DisplayScale.h"

#include <errno.h>

#include <algorithm>
#include <charconv>

#include "host/gfx/Bitmap.h"

namespace {

constexpr int kDoubleFromDpi = 168;
constexpr int kTripleFromDpi = 264;

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The variable's scale, or none (with a line on errors when it is set to something else).
std::optional<int> ScaleFromVariable(const char* name, const char* value, std::ostream& errors)
{
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    const std::optional<int> scale = ParseScale(value);
    if (!scale)
        errors << program_invocation_short_name << ": " << name << "=\"" << value
               << "\" is not a positive whole number; ignored\n";
    return scale;
}

} // namespace

std::optional<int> ParseScale(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int scale = 0;
    for (const char c : text)
        scale = std::min(scale * 10 + (c - '0'), kMaxBitmapScale + 1);
    if (scale == 0)
        return std::nullopt;
    return std::min(scale, kMaxBitmapScale);
}

std::optional<int> ScaleFromXResources(std::string_view resources)
{
    while (!resources.empty()) {
        const std::size_t end = std::min(resources.find('\n'), resources.size());
        const std::string_view line = resources.substr(0, end);
        resources.remove_prefix(std::min(end + 1, resources.size()));
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || Trimmed(line.substr(0, colon)) != "Xft.dpi")
            continue;
        const std::string_view value = Trimmed(line.substr(colon + 1));
        double dpi = 0;
        const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), dpi, std::chars_format::fixed);
        if (error != std::errc {} || rest != value.data() + value.size() || !(dpi > 0))
            return std::nullopt;
        return dpi >= kTripleFromDpi ? 3 : dpi >= kDoubleFromDpi ? 2 : 1;
    }
    return std::nullopt;
}

int ChooseDisplayScale(const TScaleSources& sources, std::ostream& errors)
{
    if (const std::optional<int> scale = ScaleFromVariable("MORALEAF_SCALE", sources.MoraleafScale, errors))
        return *scale;
    if (const std::optional<int> scale = ScaleFromVariable("GDK_SCALE", sources.GdkScale, errors))
        return *scale;
    if (sources.XResources) {
        if (const std::optional<std::string> resources = sources.XResources())
            return ScaleFromXResources(*resources).value_or(1);
    }
    return 1;
}

int FitDisplayScale(int scale, TSize screenPixels, TSize window)
{
    const auto fits = [&](long long n) { return window.cx * n <= screenPixels.cx && window.cy * n <= screenPixels.cy; };
    int n = std::clamp(scale, 1, kMaxBitmapScale);
    while (n > 1 && !fits(n))
        --n;
    return n;
}
