#include "cam/SortDg.h"


#include "cam/LenDg.h"
#include "commands/ComOrder.h"
#include "commands/ComRegen.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

TSortDialog* SortDialog = nullptr;

namespace {
constexpr int ItemHeight = 19, ItemWidth = 62, Columns = 4, Rows = 16;
constexpr int ListLeft = 8, ListTop = 28, Side = ListLeft + Columns * ItemWidth + 16, SideWidth = 200;

std::string TrueFalse(bool B) { return B ? "true" : "false"; }

void Place(TControl* C, int L, int T, int W, int H) {
    C->Left = L;
    C->Top = T;
    C->Width = W;
    C->Height = H;
}
}  // namespace

TSortDialog::TSortDialog() : TForm("SortDialog") {
    Caption = "Automatické řazení";
    BorderStyle = TBorderStyle::bsDialog;
    Width = Side + SideWidth + 12;
    Height = ListTop + Rows * ItemHeight + 100;
    LabLayer = Make<TLabel>("LabLayer");
    LabLayer->Caption = "Hladiny";
    Place(LabLayer, ListLeft, 8, 120, 18);
    CheckListBox = Make<TPanel>("CheckListBox");
    Place(CheckListBox, ListLeft, ListTop, Columns * ItemWidth + 8, Rows * ItemHeight + 8);
    for (int i = 0; i < 64; ++i) {
        TCheckBox* B = Make<TCheckBox>("ChBoxT" + std::to_string(i + 1), CheckListBox);
        B->Caption = "T" + std::to_string(i + 1);
        // Column by column, as a multi-column list fills.
        Place(B, 4 + (i / Rows) * ItemWidth, 4 + (i % Rows) * ItemHeight, ItemWidth - 4, ItemHeight);
        LayerBox[size_t(i)] = B;
    }
    auto Box = [this](const char* Name, const char* Text, int Row) {
        TCheckBox* B = Make<TCheckBox>(Name);
        B->Caption = Text;
        Place(B, Side, ListTop + Row * 24, SideWidth, 22);
        return B;
    };
    ChBoxSortGroup = Box("ChBoxSortGroup", "Obsah skupin", 0);
    ChBoxDivGroup = Box("ChBoxDivGroup", "Dělení skupin", 1);
    ChBoxJoin = Box("ChBoxJoin", "Spojování pline", 2);
    ChBoxPlineSwap1 = Box("ChBoxPlineSwap1", "Změny směrů", 3);
    BtnNone = Make<TButton>("BtnNone");
    BtnNone->Caption = "Žádná hladina";
    Place(BtnNone, Side, ListTop + 4 * 24 + 8, SideWidth, 28);
    BtnNone->OnClick = [this] {
        for (TCheckBox* B : LayerBox) B->Checked = false;
    };
    BtnAll = Make<TButton>("BtnAll");
    BtnAll->Caption = "Všechny hladiny";
    Place(BtnAll, Side, ListTop + 4 * 24 + 40, SideWidth, 28);
    BtnAll->OnClick = [this] {
        for (TCheckBox* B : LayerBox) B->Checked = true;
    };
    MemoHelp = Make<TMemo>("MemoHelp");
    MemoHelp->ReadOnly = true;
    MemoHelp->Lines = {"Objekty zaškrtnutých hladin se seřadí tak, aby přejezdy mezi nimi byly co nejkratší."};
    const int HelpTop = ListTop + 4 * 24 + 76;
    Place(MemoHelp, Side, HelpTop, SideWidth, ListTop + Rows * ItemHeight + 8 - HelpTop);
    ProgressBar = Make<TProgressBar>("ProgressBar");
    Place(ProgressBar, ListLeft, ListTop + Rows * ItemHeight + 16, Width - 2 * ListLeft - 4, 16);
    const int BtnTop = ListTop + Rows * ItemHeight + 42;
    LabDone = Make<TLabel>("LabDone");
    LabDone->Caption = "Seřazeno";
    LabDone->Visible = false;
    Place(LabDone, ListLeft + 220, BtnTop + 5, 130, 20);
    BitBtnStart = Make<TBitBtn>("BitBtnStart");
    BitBtnStart->Caption = "Start";
    Place(BitBtnStart, ListLeft, BtnTop, 100, 28);
    BitBtnStart->OnClick = [this] { BitBtnStartClick(); };
    BtnStatistika = Make<TBitBtn>("BtnStatistika");
    BtnStatistika->Caption = "Statistika";
    Place(BtnStatistika, ListLeft + 110, BtnTop, 100, 28);
    BtnStatistika->OnClick = [] {
        WriteLog("Usr:Stats show");
        if (!LengthDialog) CreateLengthDialog();
        LengthDialog->ShowModal();
    };
    BitBtnExit = Make<TBitBtn>("BitBtnExit");
    BitBtnExit->Caption = "Konec";
    Place(BitBtnExit, Width - ListLeft - 104, BtnTop, 100, 28);
    BitBtnExit->ModalResult = mrOk;
    BitBtnExit->OnClick = [] { WriteLog("Usr:End"); };
    OnShow = [this] { FormShow(); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:SortDg Close"); };
    LangRegisterForm("SortDg", this);
}

TSortDialog::~TSortDialog() {
    LangUnregisterForm(this);
    if (SortDialog == this) SortDialog = nullptr;
}

TSortOptions TSortDialog::Options() const {
    return {ChBoxJoin->Checked, ChBoxSortGroup->Checked, ChBoxPlineSwap1->Checked};
}

void TSortDialog::Sort(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr, const Osy& StartPt) {
    TRegenQueue Q(false);
    SortLayer(Layer, StartAdr, EndAdr, StartPt, Options(), &Q, [this](int32_t P) { ProgressBar->Position = P; });
    HandOffRegen(Q);
}

void TSortDialog::FormShow() {
    WriteLog("Sys:SortDg Open");
    for (TCheckBox* B : {ChBoxSortGroup, ChBoxDivGroup, ChBoxJoin, ChBoxPlineSwap1}) B->Checked = false;
    ProgressBar->Position = 0;
    LabDone->Visible = false;
    for (TCheckBox* B : LayerBox) B->Checked = false;
}

void TSortDialog::BitBtnStartClick() {
    WriteLog("Usr:Start sort (params:SortGroups:" + TrueFalse(ChBoxSortGroup->Checked) +
             " DivGroups:" + TrueFalse(ChBoxDivGroup->Checked) + " JoinPlines:" + TrueFalse(ChBoxJoin->Checked) +
             " ChDirPlines:" + TrueFalse(ChBoxPlineSwap1->Checked));
    TMainVars& V = MainVars;
    V.FileSaved = false;
    if (ChBoxDivGroup->Checked) {
        // Groups made by the division go to the front; walk only the groups there were.
        std::vector<TObjHeader*> Groups;
        for (TObjHeader* p = V.DataStart; p; p = p->Next)
            if (p->Type == ObjGroup) Groups.push_back(p);
        ResetEditAdr();
        for (TObjHeader* g : Groups) DivideGroupByLayer(g, V.DataStart, V.DataEnd);
        // Same geometry under new records: the operations follow without regenerating.
        RepointOpLinks();
        ResetEditAdr();
    }
    LabDone->Visible = false;
    bool Sorted = false;
    for (int i = 0; i < 64; ++i)
        if (LayerBox[size_t(i)]->Checked) {
            Sort(uint8_t(i + 1), V.DataStart, V.DataEnd, {0, 0});
            Sorted = true;
        }
    // An empty layer sorted last sets the bar back to 0: the whole run is done.
    if (Sorted) ProgressBar->Position = 100;
    LabDone->Visible = Sorted;
}

// Left to the end of the process: no form may outlive the responder's teardown.
void CreateSortDialog() {
    delete SortDialog;
    SortDialog = new TSortDialog();
}

void ComSort() {
    MainVars.ComCnt = -1;
    WriteLog("Sys:ComSort Start");
    if (!SortDialog) CreateSortDialog();
    SortDialog->ShowModal();
    WriteLog("Sys:ComSort End");
}
