// Two small modal questions of the library dialog: a one-line text (TCMDParamDialog,
// input EditParam) and a choice from a list that also takes typed text
// (TValSelectDialog, combo box CBoxSelect). The caller sets the caption and the
// contents, shows the form and reads the control afterwards; OK closes with mrOk.
#pragma once
#include <string>
#include <vector>

#include "platform/Forms.h"

class TCMDParamDialog : public TForm {
public:
    TCMDParamDialog();
    ~TCMDParamDialog() override;
    TEdit* EditParam;
    TBitBtn *BitBtnOK, *BitBtnCancel;
};

class TValSelectDialog : public TForm {
public:
    TValSelectDialog();
    ~TValSelectDialog() override;
    TComboBox* CBoxSelect;
    TBitBtn *BitBtnOK, *BitBtnCancel;
    // The item the box holds: the chosen index, or the item whose text was typed
    // exactly; -1 when the text names no item.
    int Chosen() const;
};

extern TCMDParamDialog* CMDParamDialog;
extern TValSelectDialog* ValSelectDialog;
void CreateCMDParamDialog();
void CreateValSelectDialog();
