// The error list window: the problems that a builder or a reader collected, one per
// line; the caller fills the memo, places the window and shows it modally.
#pragma once
#include <string>
#include <vector>

#include "platform/Forms.h"

class TErrorDialog : public TForm {
public:
    TErrorDialog();
    ~TErrorDialog() override;

    TMemo* ErrorList;
    TBitBtn* BitBtnOK;  // closes the window, also on Enter and Escape

    void FormShow();
    void FormResize();
    void ErrorListKeyPress(char32_t& Key);
};

extern TErrorDialog* ErrorDialog;
void CreateErrorDialog();
// Shows Lines in the error list at the main window's top-left corner, modally.
void ShowErrorList(const std::vector<std::string>& Lines);
