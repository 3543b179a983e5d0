// The DXF export dialog: polyline widths from the layers' tools, texts as polylines,
// and the inch switch (only logged: files are always written in millimetres).
#pragma once
#include "platform/Forms.h"

class TDxfOutDialog : public TForm {
public:
    TDxfOutDialog();
    ~TDxfOutDialog() override;

    TCheckBox* ChBoxPlineWidth;   // "Použít tloušťky polyline podle vrstev"
    TLabel* LabPlineWidthNote;    // "(pokud ne, budou nulové)"
    TCheckBox* ChBoxExplodeText;  // "Písmo do polyline"
    TCheckBox* ChBoxToInch;       // "Převést na palce  (1/25,4)"
    TLabel* LabVisibleOnly;       // "Ven se dostanou jen viditelné hladiny"
    TBitBtn* BitBtnOK;
};

extern TDxfOutDialog* DxfOutDialog;
// Replaces the instance with a new one in its start-up state.
void CreateDxfOutDialog();
