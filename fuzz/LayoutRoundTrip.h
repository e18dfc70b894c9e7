#pragma once
#include <optional>
#include <string>
#include <string_view>

// Reads a layout of the layout fuzzer's components (TFuzzForm, TFuzzPanel with a property of
// every kind, TComponent) and writes it back. None when the text does not read (EReadError) or
// holds a picture too large to write back quickly. A layout that reads must come back the same
// from its written text: RewriteFuzzLayout(*written) == written.
std::optional<std::string> RewriteFuzzLayout(std::string_view text);
