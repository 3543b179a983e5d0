// The circle-centre marking module: a point at the centre of every top-level circle
// whose diameter lies in the range given for a tool layer, on that layer.
#pragma once
#include "platform/Forms.h"

class TVuzDialog : public TForm {
public:
    TVuzDialog();

    // Columns "Hladina", "Min.průměr [mm]", "Max.průměr [mm]"; row n is layer Tn.
    TStringGrid* StrGrid;
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;

    void FormShow();
    void FormResize();
    // The OK button's work: returns the number of points added.
    int BitBtnOKClick();
};

extern TVuzDialog* VuzDialog;
void CreateVuzDialog();
