// The short-contour marking module: every top-level closed polyline shorter than a
// limit moves to one layer and gets a point at its centre on another layer.
#pragma once
#include "platform/Forms.h"

class TPelmoraDialog : public TForm {
public:
    TPelmoraDialog();

    TEdit* EditMaxLen;      // length limit in mm
    TEdit* EditDestLayer;   // layer name that receives the short polylines
    TEdit* EditPointLayer;  // layer name of the centre points
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnStorno;

    // The OK button's work; true when the drawing was searched (the inputs were sound).
    bool BitBtnOKClick();
};

extern TPelmoraDialog* PelmoraDialog;
void CreatePelmoraDialog();

// The tool or plain layer among 1..16 whose name equals Name (letter case ignored;
// the last one when several match); 0 when none.
int FindLayerByName16(const std::string& Name);
