// The clipboard's text. The program installs the system clipboard (platform/qt); without
// it a stand-in inside the process keeps the text (tests, headless runs).
#pragma once
#include <functional>
#include <string>

extern std::function<std::string()> ClipboardText;
extern std::function<void(const std::string&)> SetClipboardText;
// Back to the stand-in (emptied).
void ResetClipboard();
