// The rectangular array dialog of RECTARR: rows, columns and their spacings.
#pragma once
#include "platform/Forms.h"

class TArrRectDialog : public TForm {
public:
    TArrRectDialog();
    ~TArrRectDialog() override;

    TLabel *LabRowCount, *LabColCount, *LabRowDist, *LabColDist;
    TEdit *EditRowCount, *EditColCount, *EditRowDist, *EditColDist;  // "1" at creation
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;
};

extern TArrRectDialog* ArrRectDialog;
void CreateArrRectDialog();
