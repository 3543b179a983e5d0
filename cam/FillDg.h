// The pocket fill dialog.
#pragma once
#include "platform/Forms.h"

class TFillDialog : public TForm {
public:
    TFillDialog();
    ~TFillDialog() override;

    TEdit* EditAllError;      // widen the whole object by, mm
    TEdit* EditThinError;     // widen narrow places by, mm
    TEdit* EditUhelSraf;      // main fill: angle (degrees), overlap, allowance
    TEdit* EditPresahSrafMm;
    TEdit* EditPridSrafMm;
    TEdit* EditSmUhelSraf;    // fill with the smaller tool: angle, overlap, allowance
    TEdit* EditSmPresahSraf;
    TEdit* EditSmPridSraf;
    TGroupBox* GrBoxFinish;   // finishing direction
    TRadioButton* RBtnSousl;
    TRadioButton* RBtnNesousl;
};

// The one instance, created at start-up (and again by the reset between tests).
extern TFillDialog* FillDialog;
// Replaces the instance with a new one in its design-time state.
void CreateFillDialog();
