// The HPGL export dialog.
#pragma once
#include "platform/Forms.h"

class THPOutputDialog : public TForm {
public:
    THPOutputDialog();
    ~THPOutputDialog() override;

    TEdit* EditXscale;  // steps per millimetre
    TEdit* EditYscale;
};

// The one instance, created at start-up (and again by the reset between tests).
extern THPOutputDialog* HPOutputDialog;
// Replaces the instance with a new one in its design-time state.
void CreateHPOutputDialog();
