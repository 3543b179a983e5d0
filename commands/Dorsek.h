// The batch text export module for serial plates: the first text of the drawing that
// contains a given part gets each value of a number series or of a table in turn, and
// the whole drawing is written once per value as a job file (".YDF") or an HPGL file
// (".PLT"). The drawing ends as it was.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Forms.h"

class TDorsekDialog : public TForm {
public:
    TDorsekDialog();

    TGroupBox* GrBoxReplaced;
    TEdit* EditReplaced;
    TGroupBox* GrBoxBy;
    TRadioButton* RBtnNumber;
    TEdit* EditStart;
    TEdit* EditInkrement;
    TEdit* EditEnd;
    TRadioButton* RBtnTable;
    TMemo* Table;
    TButton* BtnFromFile;
    TButton* BtnClear;
    TEdit* EditName;
    TEdit* EditFirst;
    TBitBtn* BitBtnYDF;
    TBitBtn* BitBtnPLT;
    TBitBtn* BitBtnCancel;

    bool Hpgl = false;  // output mode of the last button pressed

    void BitBtnYDFClick();
    void BitBtnPLTClick();
    // One export run; returns the number of files written.
    int64_t Output();
    void BtnFromFileClick();
    void BtnClearClick();

private:
    std::string Slant;  // the slant typed in the HPGL dialog for these runs
};

extern TDorsekDialog* DorsekDialog;
void CreateDorsekDialog();

// Most files one run writes.
inline constexpr int64_t DorsekMaxFiles = 9999;
