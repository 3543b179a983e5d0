// The history window: the command-line history, oldest first, in a read-only memo.
// A fresh instance is made for every showing (HISTORY) and freed after it.
#pragma once
#include <cstddef>

#include "platform/Forms.h"

class TFormList : public TForm {
public:
    // Places itself at the main window's right edge and fills the memo.
    TFormList();
    ~TFormList() override;

    TMemo* Memo1;
    // The caret as a character offset into the memo's text.
    size_t SelStart = 0;

    // The memo's whole text: every line followed by CR LF.
    size_t TextLength() const;
    // A key in the memo: the caret goes to the end first; Escape then closes the
    // window, End puts the caret at the end, Home at the start.
    void Memo1KeyDown(uint16_t& Key, uint8_t Shift);
};

// HISTORY: shows the history window modally and frees it.
void ComHistory();
