// The filter dialog of FILTR ("Filtrace"): which filters run and the length limit of
// the short-segment filter. Its OK runs the filters; the controls keep their values
// between showings.
#pragma once
#include "platform/Forms.h"

class TFiltrDialog : public TForm {
public:
    TFiltrDialog();
    ~TFiltrDialog() override;

    TCheckBox* ChBoxSmall;      // "Filtr úseků kratších než", checked
    TEdit* EditSmall;           // "0,01"
    TLabel* LabMm;              // "mm"
    TCheckBox* ChBoxDuplicity;  // "Smazat duplicitní polyline", checked
    TRadioButton* RBtnEqLayer;  // "Jen ve stejné hladině", checked
    TRadioButton* RBtnAnyLayer; // "V jakékoli hladině"
    TCheckBox* ChBoxArc;        // 'Smazat oblouky i s "loukotěmi"'
    TBitBtn* BitBtnOk;
    TBitBtn* BitBtnCancel;
    TMemo* MemoHelp;            // replaced by Language/HelpFiltr.txt when it exists

    void BitBtnOkClick();
};

extern TFiltrDialog* FiltrDialog;
void CreateFiltrDialog();
// Frees it (the start-up state: made again by the start-up or on first use).
void FreeFiltrDialog();
