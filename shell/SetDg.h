// The settings dialog.
#pragma once
#include "platform/Forms.h"

class TSetDialog : public TForm {
public:
    TSetDialog();
    ~TSetDialog() override;

    TCheckBox* CheckBoxWheel;    // the wheel zoom reads it directly
    TCheckBox* ChBoxZoomCenter;
    // Keep or delete the source objects of ROTATE, MIRROR and OFFSET; the commands
    // read the delete buttons directly.
    TGroupBox* GrBoxRotate;
    TRadioButton* RBtnRotLeave;
    TRadioButton* RBtnRotDel;
    TGroupBox* GrBoxMirror;
    TRadioButton* RBtnMirLeave;
    TRadioButton* RBtnMirDel;
    TGroupBox* GrBoxOffset;
    TRadioButton* RbtnOffLeave;
    TRadioButton* RbtnOffDel;
};

// The one instance, created at start-up (and again by the reset between tests).
extern TSetDialog* SetDialog;
// Replaces the instance with a new one in its design-time state.
void CreateSetDialog();
