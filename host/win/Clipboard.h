#pragma once
#include <string>

// The desktop's clipboard as UTF-8 text: empty when it holds no text.
std::string GetClipboardText();
void SetClipboardText(const std::string& text);
