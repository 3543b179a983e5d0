#include <string>
#include <vector>

#include "core/UniLog.h"
#include "output/NcOut.h"

void ShowNcErrors(const std::vector<std::string>& Lines, const std::string& Caption) {
    std::string text;
    for (const std::string& l : Lines) text += (text.empty() ? "" : "\r\n") + l;
    WriteLog("Sys:ErrorDG:" + text);
}
