// The text replacement dialog of CHANGETEXTS ("Záměna textu"): what to replace and
// whether by a constant text, a number series or the rows of a table. Its OK replaces
// in the selected texts; the controls keep their values between showings.
#pragma once
#include "platform/Dialogs.h"
#include "platform/Forms.h"

class TChangeTextDialog : public TForm {
public:
    TChangeTextDialog();
    ~TChangeTextDialog() override;

    TGroupBox* GrBoxReplaced;       // " Co nahradit "
    TEdit* EditReplaced;
    TGroupBox* GrBoxReplaceBy;      // " Čím nahradit "
    TRadioButton* RBtnConstText;    // "Konstantní text"
    TEdit* EditConstText;
    TRadioButton* RBtnNumSeries;    // "Číselná řada", selected
    TLabel *LabStart, *LabInkrement;
    TEdit* EditStart;               // "1"
    TEdit* EditInkrement;           // "1"
    TRadioButton* RBtnTableRow;     // "Řádek z tabulky"
    TMemo* Table;                   // one value per line
    TButton* BtnLoadFile;           // "Načíst soubor"
    TButton* BtnClear;              // "Vymazat"
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;
    TOpenDialog OpenDialog;

    void BitBtnOKClick();
    void BtnLoadFileClick();
};

extern TChangeTextDialog* ChangeTextDialog;
void CreateChangeTextDialog();
// Frees it (the start-up state: made again by the start-up or on first use).
void FreeChangeTextDialog();
