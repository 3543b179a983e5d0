// The SORT dialog: puts the objects of the checked tool layers into machining order,
// optionally dividing groups by layer, joining polylines and sorting inside groups.
#pragma once
#include <array>

#include "cam/Sort.h"
#include "platform/Forms.h"

class TSortDialog : public TForm {
public:
    TSortDialog();
    ~TSortDialog() override;

    TLabel* LabLayer;
    TPanel* CheckListBox;                 // the layer list: one box per tool layer, 4 columns
    std::array<TCheckBox*, 64> LayerBox;  // "T1" .. "T64"
    TCheckBox* ChBoxSortGroup;            // "Obsah skupin"
    TCheckBox* ChBoxDivGroup;             // "Dělení skupin"
    TCheckBox* ChBoxJoin;                 // "Spojování pline"
    TCheckBox* ChBoxPlineSwap1;           // "Změny směrů"
    TButton* BtnNone;
    TButton* BtnAll;
    TMemo* MemoHelp;
    TProgressBar* ProgressBar;
    TLabel* LabDone;  // "Seřazeno", shown once a Start has sorted the checked layers
    TBitBtn* BitBtnStart;
    TBitBtn* BtnStatistika;
    TBitBtn* BitBtnExit;

    // The options the boxes give now.
    TSortOptions Options() const;
    // One layer of any list in machining order from StartPt with the boxes' options;
    // the progress bar follows.
    void Sort(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr, const Osy& StartPt);

    void FormShow();
    void BitBtnStartClick();
};

// The one instance, created at start-up (and again by the reset between tests).
extern TSortDialog* SortDialog;
void CreateSortDialog();

// SORT: shows the dialog modally.
void ComSort();
