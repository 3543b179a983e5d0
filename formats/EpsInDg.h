// The import dialog of PostScript, EPS and Illustrator files: where the lower left
// corner of what is read lands, and whether curves become arcs or line segments within
// the maximum error.
#pragma once
#include "platform/Forms.h"

class TEpsInputDialog : public TForm {
public:
    TEpsInputDialog();
    ~TEpsInputDialog() override;

    TGroupBox* GrBoxPosition;  // "Poloha levého, spodního rohu"
    TLabel* LabAxisX;
    TLabel* LabAxisY;
    TEdit* EditXdest;
    TEdit* EditYdest;
    TGroupBox* GrBoxConversion;  // "Převod křivek"
    TRadioButton* RBtnToLine;
    TRadioButton* RBtnToArc;
    TLabel* LabErrConv;  // "Maximální chyba"
    TLabel* LabErrUnit;
    TEdit* EditError;  // Glob.ErrorConv, mm
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;
};

extern TEpsInputDialog* EpsInputDialog;
// Replaces the instance with a new one in its start-up state.
void CreateEpsInputDialog();
