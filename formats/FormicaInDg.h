// The PCB import dialog: which of the 24 PCB layers are taken, and whether tracks stay
// centre lines.
#pragma once
#include <array>

#include "platform/Forms.h"

class TFormicaInDg : public TForm {
public:
    TFormicaInDg();
    ~TFormicaInDg() override;

    static constexpr int Layers = 24;
    TPanel* CheckListBox;                       // the layer list, two columns
    std::array<TCheckBox*, Layers> LayerItems;  // "0" .. "23"
    TCheckBox* ChBoxSingle;                     // "Spoje jako jednoduché čáry"
    TLabel *LabLayer, *LabNote1, *LabNote2;
    TBitBtn *BitBtnOK, *BitBtnCancel;

    bool LayerTicked(int Layer) const { return Layer >= 0 && Layer < Layers && LayerItems[size_t(Layer)]->Checked; }
};

extern TFormicaInDg* FormicaInDg;
// Replaces the instance with a new one in its start-up state.
void CreateFormicaInDg();
