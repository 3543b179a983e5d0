// The Sinumerik export dialog: zero point, block numbering and program stop that the
// writer reads, the layers to be cut with their tool calls (every tool change shows as
// a change of the row colour), and the setup sheet for the machine operator.
#pragma once
#include <array>
#include <string>

#include "platform/Forms.h"

class TSinumericDialog : public TForm {
public:
    TSinumericDialog();
    ~TSinumericDialog() override;

    TGroupBox* GrBoxZeroPoint;
    TRadioButton *RBtnG54, *RBtnG55, *RBtnG56, *RBtnG57;
    TGroupBox* GroupBox1;
    TCheckBox* ChBoxLineCount;
    TLabel* LabNumIncrement;
    TEdit* EditInkrement;
    TGroupBox* GrBoxProgramStop;
    TCheckBox* ChBoxProgStop;
    TComboBox* CboxProgramStopMode;
    TRadioGroup* RGroupStopMode;
    TStringGrid* DrawGrid;
    TBitBtn *BitBtnOK, *BitBtnCancel;
    TButton* BtnSave;

    // One grid row (1..64): the layer it shows (0 none) and its marker colour.
    struct TGridRow {
        int La = 0;
        uint32_t Color = 0;
    };
    std::array<TGridRow, 65> GridRows{};
    int RowCount = 0;  // listed layers
    // The export target chosen before the dialog: the setup sheet's proposed name.
    std::string ExportFileName;

    // The zero-point word of the checked button.
    std::string ZeroPoint() const;

private:
    void FormShow();
    void FormResize();
    void FillGrid();
    void BtnSaveClick();
};

extern TSinumericDialog* SinumericDialog;
// Makes the dialog in its start-up state (replacing one made before).
void CreateSinumericDialog();
void FreeSinumericDialog();

// Writes the setup sheet of the listed layers to FileName; false when it cannot be written.
bool WriteSetupSheet(const TSinumericDialog& D, const std::string& FileName);
