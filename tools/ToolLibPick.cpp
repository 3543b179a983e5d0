#include "tools/ToolLibPick.h"

#include <algorithm>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"
#include "tools/FormPlace.h"
#include "tools/ToolDialog.h"
#include "tools/UniTType.h"

int32_t LibPickIndex = -1;
std::vector<int32_t> LibPickRowMap;
std::vector<bool> LibPickTypeFilter(26, true);
bool ToolLocOpen = true;
TToolLibOpenDialog* ToolLibOpenDialog = nullptr;
TToolLocDialog* ToolLocDialog = nullptr;

namespace {

// One filter per type the lists hold (the lathe boxes reach type 9); a tool of a type
// beyond the filter is listed.
size_t TypeSlots() { return std::max<size_t>({Glob.MillToolType.size(), Glob.LatheToolType.size(), 10}); }

bool TypeListed(int32_t Type) {
    return Type < 0 || size_t(Type) >= LibPickTypeFilter.size() || LibPickTypeFilter[size_t(Type)];
}


}  // namespace

std::string LibPickRowText(int32_t Record) {
    if (Record < 0 || size_t(Record) >= Glob.ToolLib.size()) return "";
    const TTool& T = Glob.ToolLib[size_t(Record)].Tool;
    return T.JmNastroje + " T#=" + std::to_string(T.Tnum) + " D#=" + std::to_string(T.Dnum) +
           " Dia=" + ExtToStr(T.SpodniPrumer) + " L=" + ExtToStr(T.DelkaBritu);
}

TToolLibOpenDialog::TToolLibOpenDialog() : TForm("ToolLibOpenDialog") {
    Caption = "Otevřít nástroj z knihovny";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 620;
    Height = 456;
    LabMat = MakeAt<TLabel>(*this, "LabMat", "Nástroje pro materiál:", nullptr, 12, 10, 170, 20);
    LabMatInfo = MakeAt<TLabel>(*this, "LabMatInfo", "", nullptr, 186, 10, 260, 20);
    LabMatInfo->Font.Bold = true;
    LboxTools = MakeAt<TListBox>(*this, "LboxTools", "", nullptr, 12, 36, 390, 334);
    GrBoxFilter = MakeAt<TGroupBox>(*this, "GrBoxFilter", " Typ nástroje ", nullptr, 412, 30, 196, 340);
    for (int i = 0; i < 12; ++i) {
        ChBoxTType[i] = MakeAt<TCheckBox>(*this, "ChBoxTType" + std::to_string(i), "", GrBoxFilter, 8, 34 + 22 * i, 176, 22);
        ChBoxTType[i]->OnClick = [this, i] {
            if (ShownDone) WriteLog("Usr:All/none");
            if (size_t(i) >= LibPickTypeFilter.size()) LibPickTypeFilter.resize(size_t(i) + 1, true);
            LibPickTypeFilter[size_t(i)] = ChBoxTType[i]->Checked;
            FillList();
        };
    }
    SbtnShowAll = MakeAt<TButton>(*this, "SbtnShowAll", "Všechny / žádný", GrBoxFilter, 8, 2, 176, 26);
    SbtnShowAll->OnClick = [this] {
        if (ShownDone) WriteLog("Usr:All/none");
        LibPickTypeFilter.assign(std::max(LibPickTypeFilter.size(), TypeSlots()), true);
        for (int i = 0; i < 10; ++i) ChBoxTType[i]->Checked = true;
        FillList();
    };
    ChBoxApply = MakeAt<TCheckBox>(*this, "ChBoxApply", "Použít parametry nástroje do nastavení hladiny", nullptr, 12,
                                380, 390, 24);
    BitBtnOk = MakeAt<TBitBtn>(*this, "BitBtnOk", "OK", nullptr, 396, 414, 100, 30);
    BitBtnOk->ModalResult = mrOk;
    BitBtnOk->Default = true;
    BitBtnOk->OnClick = [] { WriteLog("Usr:ok"); };
    BitBtnCancel = MakeAt<TBitBtn>(*this, "BitBtnCancel", "Cancel", nullptr, 508, 414, 100, 30);
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    LboxTools->OnClick = [this] {
        const int r = LboxTools->ItemIndex;
        if (r < 0 || size_t(r) >= LibPickRowMap.size()) return;
        LibPickIndex = LibPickRowMap[size_t(r)];
        if (LibPickIndex >= 0) BitBtnOk->Enabled = true;
    };
    LboxTools->OnDblClick = [this] {
        LboxTools->OnClick();
        if (BitBtnOk->Enabled && LibPickIndex >= 0) {
            WriteLog("Usr:ok");
            ModalResult = mrOk;
        }
    };
    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction&) {
        const int r = LboxTools->ItemIndex;
        if (r < 0 || size_t(r) >= LibPickRowMap.size() || LibPickRowMap[size_t(r)] < 0) {
            WriteLog("Sys:ToolLibDgOpDg Close (no tool selected)");
            return;
        }
        const TTool& T = Glob.ToolLib[size_t(LibPickRowMap[size_t(r)])].Tool;
        WriteLog("Sys:ToolLibOpenDg Close (ToolName:" + T.JmNastroje + ", TID:" + std::to_string(T.TID) +
                 ", ApplyToLay:" + (ChBoxApply->Checked ? "true" : "false") + ")");
    };
    BelowGroupTitles(*this);
    LangRegisterForm("ToolLibOpenDg", this);
}
TToolLibOpenDialog::~TToolLibOpenDialog() { LangUnregisterForm(this); }

void TToolLibOpenDialog::FillList() {
    LboxTools->Items.clear();
    LibPickRowMap.clear();
    for (size_t r = 0; r < Glob.ToolLib.size(); ++r) {
        const TToolLib& R = Glob.ToolLib[r];
        if (!TypeListed(R.Tool.ToolType)) continue;
        // Materials are matched by their number, not by their place in the list.
        for (const TMaterial& M : R.Material)
            if (M.MID == Glob.MID) {
                LboxTools->Items.push_back(LibPickRowText(int32_t(r)));
                LibPickRowMap.push_back(int32_t(r));
            }
    }
    if (LboxTools->ItemIndex >= int32_t(LboxTools->Items.size())) LboxTools->ItemIndex = -1;
}

void TToolLibOpenDialog::FormShow() {
    ShownDone = false;
    WriteLog("Sys:ToolLibOpenDg Open");
    std::string mat;
    for (const TMaterial& M : Glob.Material)
        if (M.MID == Glob.MID) {
            mat = M.Jmeno;
            break;
        }
    LabMatInfo->Caption = mat;
    ChBoxApply->Checked = Glob.AutoApplyToolOpen;
    if (LibPickTypeFilter.size() < TypeSlots()) LibPickTypeFilter.resize(TypeSlots(), true);
    for (int i = 0; i < 12; ++i) {
        ChBoxTType[i]->Checked = size_t(i) >= LibPickTypeFilter.size() || LibPickTypeFilter[size_t(i)];
        ChBoxTType[i]->Visible = false;
    }
    if (Glob.JobType <= 3) {
        for (int i = 0; i < 9 && size_t(i) < Glob.MillToolType.size(); ++i) {
            ChBoxTType[i]->Caption = Glob.MillToolType[size_t(i)].Name;
            ChBoxTType[i]->Visible = true;
        }
    } else {
        for (int i = 0; i < 7 && size_t(i) < StrLatheTType.size(); ++i) {
            ChBoxTType[i]->Caption = StrLatheTType[size_t(i)];
            ChBoxTType[i]->Visible = true;
        }
        if (LibPickTypeFilter.size() < 10) LibPickTypeFilter.resize(10, true);
        for (int i = 7; i <= 9; ++i) LibPickTypeFilter[size_t(i)] = true;
    }
    BitBtnOk->Enabled = false;
    LboxTools->ItemIndex = -1;
    FillList();
    ShownDone = true;
}

TToolLocDialog::TToolLocDialog() : TForm("ToolLocDialog") {
    Caption = "Tool";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 360;
    Height = 70;
    SbtnLib = MakeAt<TButton>(*this, "SbtnLib", "Z knihovny", nullptr, 12, 20, 110, 32);
    SbtnFile = MakeAt<TButton>(*this, "SbtnFile", "Ze souboru", nullptr, 128, 20, 110, 32);
    BitBtnCancel = MakeAt<TBitBtn>(*this, "BitBtnCancel", "Cancel", nullptr, 244, 20, 104, 32);
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    SbtnLib->OnClick = [this] {
        WriteLog("Usr:Library");
        if (ToolLocOpen) {
            WriteLog("Usr:Lib load");
            ModalResult = ToolLibOpenDialog->ShowModal() == mrOk ? mrOk : mrCancel;
        } else {
            WriteLog("Usr:Lib save");
            ModalResult = mrOk;
        }
    };
    SbtnFile->OnClick = [this] {
        const int La = ToolDialog ? ToolDialog->CurLayer() : 1;
        if (ToolLocOpen) {
            WriteLog("Usr:File load (La:" + std::to_string(La) + ")");
            if (ToolDialog) ToolDialog->OpenToolGeo(La);
        } else {
            WriteLog("Usr:File save (La:" + std::to_string(La) + ")");
            if (ToolDialog) ToolDialog->SaveToolGeo(La);
        }
        ModalResult = mrCancel;
    };
    OnShow = [this] {
        WriteLog("Sys:ToolLocDg Open");
        SbtnLib->Caption = ToolLocOpen ? StrFromLib : StrToLib;
        SbtnFile->Caption = ToolLocOpen ? StrFromFile : StrToFile;
    };
    OnClose = [](TCloseAction&) { WriteLog("Sys:ToolLocDg Close"); };
    LangRegisterForm("ToolLocDg", this);
}
TToolLocDialog::~TToolLocDialog() { LangUnregisterForm(this); }

void CreateToolLibOpenDialog() {
    ToolLibOpenDialog = RemakeForm<TToolLibOpenDialog>();
    LibPickIndex = -1;
    LibPickTypeFilter.assign(TypeSlots(), true);
}

void CreateToolLocDialog() {
    ToolLocDialog = RemakeForm<TToolLocDialog>();
    ToolLocOpen = true;
}
