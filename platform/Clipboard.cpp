#include "platform/Clipboard.h"

namespace {
std::string StandIn;
}

std::function<std::string()> ClipboardText = [] { return StandIn; };
std::function<void(const std::string&)> SetClipboardText = [](const std::string& S) { StandIn = S; };

void ResetClipboard() {
    StandIn.clear();
    ClipboardText = [] { return StandIn; };
    SetClipboardText = [](const std::string& S) { StandIn = S; };
}
