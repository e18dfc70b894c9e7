#pragma once
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "host/sys/Types.h"

// Where the display scale may come from, asked in this order: the program's own variable,
// the toolkit's, then Xft.dpi of the X resources. An unset variable is null.
struct TScaleSources {
    const char* MoraleafScale = nullptr; // MORALEAF_SCALE
    const char* GdkScale = nullptr; // GDK_SCALE
    // The X resource string, read only when neither variable gives a scale; may be empty.
    std::function<std::optional<std::string>()> XResources;
};

// The scale the sources ask for. A variable holding a positive whole number gives it (cut to
// kMaxBitmapScale); one holding anything else is ignored with one line on `errors` and the
// next source is asked; an empty one counts as unset. Xft.dpi gives 2 from 168 dpi and 3 from
// 264. Without any: 1.
int ChooseDisplayScale(const TScaleSources& sources, std::ostream& errors);

// The scale a variable's text asks for (cut to kMaxBitmapScale); none unless it is a positive
// whole number.
std::optional<int> ParseScale(std::string_view text);
// The scale the Xft.dpi line of an X resource string implies; none without a usable one.
std::optional<int> ScaleFromXResources(std::string_view resources);

// The largest scale up to `scale` at which a window of that logical size fits a screen of that
// many device pixels; 1 when none does.
int FitDisplayScale(int scale, TSize screenPixels, TSize window);
