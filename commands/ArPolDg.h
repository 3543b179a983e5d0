// The polar array dialog of POLARARR: the number of elements and the angle step.
#pragma once
#include "platform/Forms.h"

class TArrPolarDialog : public TForm {
public:
    TArrPolarDialog();
    ~TArrPolarDialog() override;

    TLabel *LabCountElements, *LabAddAngle;
    TEdit* EditCount;  // "1" at creation
    TEdit* EditAngle;  // "0" at creation, degrees
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;
};

extern TArrPolarDialog* ArrPolarDialog;
void CreateArrPolarDialog();
