// The contour operation dialog.
#pragma once
#include "platform/Forms.h"

class TContourDialog : public TForm {
public:
    TContourDialog();
    ~TContourDialog() override;

    TGroupBox* GrBoxWhere;         // where to machine: one radio group
    TRadioButton* RBtnInside;
    TRadioButton* RBtnOutside;
    TRadioButton* RBtnBoth;
    TGroupBox* GrBoxHow;           // climb or conventional milling
    TRadioButton* RBtnSousledne;
    TRadioButton* RBtnNesousledne;
    TEdit* EditPridavek;           // stock allowance, mm
    TEdit* EditDepth;
};

// The one instance, created at start-up (and again by the reset between tests).
extern TContourDialog* ContourDialog;
// Replaces the instance with a new one in its design-time state.
void CreateContourDialog();
