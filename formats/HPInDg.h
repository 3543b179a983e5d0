// The HPGL import dialog: steps per millimetre of the file, and where what is read
// lands (the file's zero point or the lower left corner of the extents goes there).
#pragma once
#include "platform/Forms.h"

class THPInputDialog : public TForm {
public:
    THPInputDialog();
    ~THPInputDialog() override;

    TGroupBox* GrBoxScale;  // "Měřítko [kroků / mm]"
    TLabel* LabXscale;
    TLabel* LabYscale;
    TEdit* EditXscale;  // steps per millimetre
    TEdit* EditYscale;
    TGroupBox* GrBoxDest;  // "Poloha [mm]"
    TLabel* LabXdest;
    TLabel* LabYdest;
    TEdit* EditXdest;
    TEdit* EditYdest;
    TRadioButton* RBtnZeroHpCoord;  // the file's (0, 0) goes to the position
    TRadioButton* RBtnLeftBottom;   // the extents' lower left corner goes there
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;
};

// The one instance, created at start-up (and again by the reset between tests).
extern THPInputDialog* HPInputDialog;
// Replaces the instance with a new one in its design-time state.
void CreateHPInputDialog();
