// The alignment dialog of ALIGN: which point of the selection's extents goes to the
// picked point, and whether a rectangle around the selection is added first.
#pragma once
#include <array>

#include "platform/Forms.h"

class TAlignDialog : public TForm {
public:
    TAlignDialog();
    ~TAlignDialog() override;

    TGroupBox* GrBoxJustify;
    // Row by row from the top: TopLeft .. BottomRight (one radio group).
    TRadioButton *TopLeft, *TopCenter, *TopRight, *MiddleLeft, *MiddleCenter, *MiddleRight,
        *BottomLeft, *BottomCenter, *BottomRight;
    TCheckBox* ChBoxAddEnvelope;  // "Přidat obálku vybraných objektů"
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;

    // The nine buttons in the order above.
    std::array<TRadioButton*, 9> Buttons() const;
};

extern TAlignDialog* AlignDialog;
// Replaces the instance with a new one in its start-up state.
void CreateAlignDialog();
