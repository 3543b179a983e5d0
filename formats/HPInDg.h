// The HPGL import dialog.
#pragma once
#include "platform/Forms.h"

class THPInputDialog : public TForm {
public:
    THPInputDialog();
    ~THPInputDialog() override;

    TEdit* EditXscale;  // steps per millimetre
    TEdit* EditYscale;
};

// The one instance, created at start-up (and again by the reset between tests).
extern THPInputDialog* HPInputDialog;
// Replaces the instance with a new one in its design-time state.
void CreateHPInputDialog();
