// Picking a library tool for the current material, and choosing between the library and
// a geometry file as the place a tool is taken from or kept in.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Forms.h"

// The library record last selected in the pick dialog (-1: none).
extern int32_t LibPickIndex;
// The record shown in each row of the pick list.
extern std::vector<int32_t> LibPickRowMap;
// Per tool type: its tools are listed. Types beyond the list's end count as listed.
extern std::vector<bool> LibPickTypeFilter;
// Open (true) or save mode of the location dialog.
extern bool ToolLocOpen;

// The row text of a library tool in the pick list.
std::string LibPickRowText(int32_t Record);

class TToolLibOpenDialog : public TForm {
public:
    TToolLibOpenDialog();
    ~TToolLibOpenDialog() override;
    TLabel *LabMat, *LabMatInfo;
    TListBox* LboxTools;
    TGroupBox* GrBoxFilter;
    TCheckBox* ChBoxTType[12];
    TButton* SbtnShowAll;
    TCheckBox* ChBoxApply;
    TBitBtn *BitBtnOk, *BitBtnCancel;
    bool ShownDone = false;
    void FillList();
    void FormShow();
};

class TToolLocDialog : public TForm {
public:
    TToolLocDialog();
    ~TToolLocDialog() override;
    TButton *SbtnLib, *SbtnFile;
    TBitBtn* BitBtnCancel;
    std::string StrFromLib = "Z knihovny", StrToLib = "Do knihovny", StrFromFile = "Ze souboru",
                StrToFile = "Do souboru", StrSaveTool = "Uložit nástroj", StrOpenTool = "Otevřít nástroj";
};

extern TToolLibOpenDialog* ToolLibOpenDialog;
extern TToolLocDialog* ToolLocDialog;
void CreateToolLibOpenDialog();
void CreateToolLocDialog();
