// The PCB export dialog: which program layers go to which PCB layer, the millimetre
// ranges of the line types and pad types, the layers whose circles are pads, and the
// step of the file.
#pragma once
#include <string>

#include "core/Types.h"
#include "platform/Forms.h"

class TFormicaOutDg : public TForm {
public:
    TFormicaOutDg();
    ~TFormicaOutDg() override;

    TStringGrid* StrGridLayer;     // 2 x 17: PCB layer 0..15, program layer names
    TStringGrid* StrGridLineType;  // 3 x 17: line type, Min., Max. (mm)
    TStringGrid* StrGridPadType;   // 3 x 13: pad type, Min., Max. (mm)
    TLabel* LabPadLayer;           // "Hladiny pro hledání Padů"
    TEdit* EditPadLayer;
    TGroupBox* GroupBoxOut;        // " Výstup "
    TRadioButton *RBtnInch, *RBtnMetric;
    TBitBtn *BitBtnOK, *BitBtnCancel;

    // The step the radio buttons choose, mm.
    Extended Step() const { return RBtnMetric->Checked ? 0.025L : 0.0254L; }
    // A change of step: new row labels, and every numeric range cell converted.
    void Aktualizace();
    // Writes the drawing as the layout block of a PCB file through the temporary file.
    // True when the file was written.
    bool SaveFormica(const std::string& JmPCB);

private:
    void Labels();
};

extern TFormicaOutDg* FormicaOutDg;
// Replaces the instance with a new one in its start-up state.
void CreateFormicaOutDg();

// The built-in ranges, in steps.
inline constexpr int FormicaLineTypes = 16, FormicaPadTypes = 12;
inline constexpr int FormicaLineNominal[FormicaLineTypes] = {4, 6, 8, 10, 12, 16, 20, 24, 32, 40, 52, 60, 80, 100, 120, 200};
inline constexpr int FormicaLineMin[FormicaLineTypes] = {0, 5, 7, 9, 11, 14, 18, 22, 28, 36, 46, 56, 70, 90, 110, 160};
inline constexpr int FormicaLineMax[FormicaLineTypes] = {5, 7, 9, 11, 14, 18, 22, 28, 36, 46, 56, 70, 90, 110, 160, 240};
inline constexpr int FormicaPadNominal[FormicaPadTypes] = {32, 40, 48, 52, 60, 64, 72, 80, 96, 120, 152, 200};
inline constexpr int FormicaPadMin[FormicaPadTypes] = {0, 36, 44, 50, 56, 62, 68, 76, 88, 108, 136, 176};
inline constexpr int FormicaPadMax[FormicaPadTypes] = {36, 44, 50, 56, 62, 68, 76, 88, 108, 136, 176, 240};
