#include "host/win/Clipboard.h"

#include "host/win/WindowSystem.h"

std::string GetClipboardText()
{
    return CurrentBackend().ClipboardText();
}

void SetClipboardText(const std::string& text)
{
    CurrentBackend().SetClipboardText(text);
}
