// The import dialog of DXF drawings and job files: where the objects read land (the
// file's own zero point or the lower left corner of what was read goes to Glob.Dest),
// and which further sections of a job file are read.
#pragma once
#include "platform/Forms.h"

class TDxfInputDialog : public TForm {
public:
    TDxfInputDialog();
    ~TDxfInputDialog() override;

    TGroupBox* GrBoxOrigin;
    TRadioButton* RBtnZeroDxfCoord;  // "0,0 YDF nebo DXF souřadnic": the file's zero goes to Dest
    TRadioButton* RBtnLeftBottom;    // "Levý, spodní roh": the extents' lower left corner goes to Dest
    TGroupBox* GrBoxDest;            // "Poloha"
    TLabel* LabXdest;
    TLabel* LabYdest;
    TEdit* EditXdest;
    TEdit* EditYdest;
    TCheckBox* ChBoxTools;  // job files only: tools
    TCheckBox* ChBoxCfg;
    TCheckBox* ChBoxOps;
    TCheckBox* ChBoxTech;
    TCheckBox* ChBoxPluns;
    TCheckBox* ChBoxOuts;
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;
};

extern TDxfInputDialog* DxfInputDialog;
// Replaces the instance with a new one in its start-up state.
void CreateDxfInputDialog();
