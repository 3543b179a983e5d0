// The print dialog: what to print (the window's view, all objects, the drawing limits)
// and how (1:1 or fitted to the paper). Created once; the choices stay between showings.
#pragma once
#include <memory>

#include "platform/Forms.h"

class TTiskDialog : public TForm {
public:
    TTiskDialog();
    ~TTiskDialog() override;

    TLabel* LabNote;
    TGroupBox *GrBoxWhat, *GrBoxHow;
    TRadioButton *RBtnDisplay, *RBtnObjects, *RBtnLimits;
    TRadioButton *RBtnScale1, *RBtnFitToPage;
    TBitBtn *BitBtnOK, *BitBtnCancel;
    TButton* BtnSetup;

    void RBtnDisplayClick();
    void RBtnScale1Click();
    void BtnSetupClick();
};

extern TTiskDialog* TiskDialog;
void CreateTiskDialog();
// Frees the instance (state between tests).
void FreeTiskDialog();
