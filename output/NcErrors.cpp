#include <string>
#include <vector>

#include "cam/ErrorDg.h"
#include "output/NcOut.h"

void ShowNcErrors(const std::vector<std::string>& Lines, const std::string& Caption) {
    if (!ErrorDialog) CreateErrorDialog();
    ErrorDialog->Caption = Caption;
    ShowErrorList(Lines);
}
