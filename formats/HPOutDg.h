// The HPGL export dialog: steps per millimetre, and the table of files by pens whose
// cells name the tool layer each pen draws in each file.
#pragma once
#include "platform/Forms.h"

class THPOutputDialog : public TForm {
public:
    THPOutputDialog();
    ~THPOutputDialog() override;

    TLabel* LabScale;  // "Kroků na mm"
    TLabel* LabXscale;
    TLabel* LabYscale;
    TEdit* EditXscale;  // steps per millimetre
    TEdit* EditYscale;
    TCheckBox* ChBoxInfoToPlt;   // the step header at the top of each file
    TCheckBox* ChBoxExplodeArc;  // arcs as chords
    TCheckBox* ChBoxOnlyOne;     // one file under the given name
    TStringGrid* StrGrid;        // columns File_A..File_H, rows SP1..SP8
    TButton* BtnDelTab;
    TButton* BtnFillTab;
    TLabel* LblDorsek;
    TEdit* EditDorsek;  // skew in degrees
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;
};

// The one instance, created at start-up (and again by the reset between tests).
extern THPOutputDialog* HPOutputDialog;
// Replaces the instance with a new one in its design-time state.
void CreateHPOutputDialog();
