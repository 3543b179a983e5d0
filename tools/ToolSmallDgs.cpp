#include "tools/ToolSmallDgs.h"

#include <cmath>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "tools/FormPlace.h"

TConfirmDialog* ConfirmDialog = nullptr;
TCopyFromToolDialog* CopyFromToolDialog = nullptr;
TGenParamDialog* GenParamDialog = nullptr;

namespace {


TBitBtn* Button(TForm& F, const std::string& Name, const std::string& Caption, int Result, int L, int T,
                const char* Log) {
    TBitBtn* b = MakeAt<TBitBtn>(F, Name, Caption, nullptr, L, T, 100, 30);
    b->ModalResult = Result;
    b->OnClick = [Log] { WriteLog(Log); };
    return b;
}

}  // namespace

TConfirmDialog::TConfirmDialog() : TForm("ConfirmDialog") {
    Caption = "Pozor";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 260;
    Height = 64;
    BitBtnYes = Button(*this, "BitBtnYes", "Ano", mrOk, 20, 16, "Usr:Yes");
    BitBtnYes->Default = true;
    BitBtnNo = Button(*this, "BitBtnNo", "Ne", mrCancel, 140, 16, "Usr:No");
    BitBtnNo->Cancel = true;
    OnShow = [this] { WriteLog("Sys:ConfirmDg Open (" + Caption + ")"); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:ConfirmDg Close"); };
    LangRegisterForm("ConfirmDg", this);
}
TConfirmDialog::~TConfirmDialog() { LangUnregisterForm(this); }

bool ConfirmYes(const std::string& Question) {
    ConfirmDialog->Caption = Question;
    return ConfirmDialog->ShowModal() == mrOk;
}

TCopyFromToolDialog::TCopyFromToolDialog() : TForm("CopyFromToolDialog") {
    Caption = "Kopírovat nastavení hladiny";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 260;
    Height = 100;
    LabCopy = MakeAt<TLabel>(*this, "LabCopy", "Kopírovat z", nullptr, 20, 16, 110, 20);
    LabT = MakeAt<TLabel>(*this, "LabT", "T", nullptr, 136, 16, 14, 20);
    LabT->Font.Bold = true;
    EditCopyFromTool = MakeAt<TEdit>(*this, "EditCopyFromTool", "", nullptr, 154, 14, 86, 24);
    EditCopyFromTool->Text = "1";
    BitBtnOK = Button(*this, "BitBtnOK", "OK", mrOk, 20, 56, "Usr:ok");
    BitBtnOK->Default = true;
    BitBtnCancel = Button(*this, "BitBtnCancel", "Cancel", mrCancel, 140, 56, "Usr:cancel");
    BitBtnCancel->Cancel = true;
    OnShow = [this] {
        WriteLog("Sys:CopyFromToolDg Open");
        EditCopyFromTool->Tag = 1;  // the input has the focus
    };
    OnClose = [this](TCloseAction&) { WriteLog("Sys:CopyFromToolDg Close (T" + EditCopyFromTool->Text + ")"); };
    LangRegisterForm("CopyFromToolDg", this);
}
TCopyFromToolDialog::~TCopyFromToolDialog() { LangUnregisterForm(this); }

TGenParamDialog::TGenParamDialog() : TForm("GenParamDialog") {
    Caption = "Společné parametry obrábění";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 560;
    Height = 394;
    GBoxUnitVel = MakeAt<TGroupBox>(*this, "GBoxUnitVel", " Jednotky obráběcí rychlosti ", nullptr, 12, 8, 536, 70);
    RBtnMmPerSec = MakeAt<TRadioButton>(*this, "RBtnMmPerSec", "mm/s", GBoxUnitVel, 8, 4, 120, 24);
    RBtnMmPerMin = MakeAt<TRadioButton>(*this, "RBtnMmPerMin", "mm/min", GBoxUnitVel, 160, 4, 120, 24);
    RBtnMmPerSec->OnClick = [this] { UnitClick(false); };
    RBtnMmPerMin->OnClick = [this] { UnitClick(true); };
    int y = 88;
    auto row = [&](const char* LName, const char* Cap, const char* EName, TLabel*& L, TEdit*& E, int W) {
        L = MakeAt<TLabel>(*this, LName, Cap, nullptr, 12, y + 2, 330, 20);
        E = MakeAt<TEdit>(*this, EName, "", nullptr, 348, y, W, 24);
        y += 32;
    };
    row("LabCrossingRate", "Rychloposuv [mm/s]", "EditRychloposuv", LabCrossingRate, EditRychloposuv, 100);
    row("LabMatCrossHeight", "Výška přejezdu nad materálem [mm]", "EditVyskaMat", LabMatCrossHeight, EditVyskaMat, 100);
    row("LabClampCrossHeight", "Výška přejezdu nad upínkami [mm]", "EditVyskaUpin", LabClampCrossHeight,
        EditVyskaUpin, 100);
    row("LabPlungeHeight", "Výška zápichu k řezu [mm]", "EditHeightToPlunge", LabPlungeHeight, EditHeightToPlunge,
        100);
    row("LabStartXYNote", "Počátek X,Y na polotovaru (v přípravku a pod.)", "EditPocatekXY", LabStartXYNote,
        EditPocatekXY, 200);
    row("LabSizeNote", "Rozměr polotovaru [mm]", "EditRozmerPolotovaru", LabSizeNote, EditRozmerPolotovaru, 200);
    LabMaterialNote = MakeAt<TLabel>(*this, "LabMaterialNote", "Materiál polotovaru", nullptr, 12, y + 2, 330, 20);
    CboxMat = MakeAt<TComboBox>(*this, "CboxMat", "", nullptr, 348, y, 200, 24);
    y += 32;
    row("LabNote", "Poznámka", "EditPoznamka", LabNote, EditPoznamka, 200);
    BitBtnOK = MakeAt<TBitBtn>(*this, "BitBtnOK", "OK", nullptr, 332, y + 8, 100, 30);
    BitBtnOK->Default = true;
    BitBtnOK->OnClick = [this] {
        BitBtnOKClick();
        ModalResult = mrOk;
    };
    BitBtnCancel = Button(*this, "BitBtnCancel", "Cancel", mrCancel, 448, y + 8, "Usr:cancel");
    BitBtnCancel->Cancel = true;
    OnShow = [this] { FormShow(); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:GenParamDg Close"); };
    BelowGroupTitles(*this);
    LangRegisterForm("GenParamDg", this);
}
TGenParamDialog::~TGenParamDialog() { LangUnregisterForm(this); }

namespace {
bool Parse(const TEdit* E, Extended& V) {
    Extended x = 0;
    if (!StrToExtCalc(E->Text, x, false) || !std::isfinite(x)) return false;
    V = x;
    return true;
}
}  // namespace

void TGenParamDialog::FormShow() {
    WriteLog("Sys:GenParamDg Open");
    TSpolParObr& S = Glob.SpolParObr;
    const bool perMin = S.VelUnit == MmPerMin;
    RBtnMmPerSec->Checked = !perMin;
    RBtnMmPerMin->Checked = perMin;
    LabCrossingRate->Caption = perMin ? StrRapidmmpm : StrRapidmmps;
    EditRychloposuv->Text = CfgRegionalReal(perMin ? S.Rychloposuv * 60 : S.Rychloposuv);
    EditVyskaMat->Text = CfgRegionalReal(S.PrejezdNadMat);
    EditVyskaUpin->Text = CfgRegionalReal(S.PrejezdNadUpin);
    EditHeightToPlunge->Text = CfgRegionalReal(S.DepthToPlunge);
    EditPocatekXY->Text = S.PocatekXY;
    EditRozmerPolotovaru->Text = S.RozmerPolot;
    CboxMat->Items.clear();
    for (const TMaterial& M : Glob.Material) CboxMat->Items.push_back(M.Jmeno);
    const bool inList = S.MatIndex >= 0 && size_t(S.MatIndex) < Glob.Material.size();
    if (inList) S.MatPolot = Glob.Material[size_t(S.MatIndex)].Jmeno;
    CboxMat->ItemIndex = inList ? S.MatIndex : -1;
    CboxMat->Text = inList ? S.MatPolot : "";
    EditPoznamka->Text = S.Poznamka;
}

void TGenParamDialog::UnitClick(bool PerMin) {
    Extended v = 0;
    // The caption follows the value: a text that does not read changes neither.
    if (LabCrossingRate->Caption == (PerMin ? StrRapidmmpm : StrRapidmmps) || !Parse(EditRychloposuv, v)) return;
    EditRychloposuv->Text = CfgRegionalReal(PerMin ? v * 60 : v / 60);
    LabCrossingRate->Caption = PerMin ? StrRapidmmpm : StrRapidmmps;
}

// Set by the tool dialog: its feed captions follow the unit at once.
void (*GenParamUnitChanged)() = nullptr;

void TGenParamDialog::BitBtnOKClick() {
    WriteLog("Usr:ok");
    TSpolParObr& S = Glob.SpolParObr;
    if (RBtnMmPerSec->Checked) S.VelUnit = MmPerSec;
    if (RBtnMmPerMin->Checked) S.VelUnit = MmPerMin;
    if (GenParamUnitChanged) GenParamUnitChanged();
    Extended v = 0;
    if (Parse(EditRychloposuv, v)) S.Rychloposuv = S.VelUnit == MmPerMin ? v / 60 : v;
    Parse(EditVyskaMat, S.PrejezdNadMat);
    Parse(EditHeightToPlunge, S.DepthToPlunge);
    Parse(EditVyskaUpin, S.PrejezdNadUpin);
    S.PocatekXY = EditPocatekXY->Text;
    S.RozmerPolot = EditRozmerPolotovaru->Text;
    // Only a listed material: a typed name that is none of them keeps the stored one.
    if (CboxMat->ItemIndex >= 0 && size_t(CboxMat->ItemIndex) < Glob.Material.size()) {
        S.MatIndex = CboxMat->ItemIndex;
        S.MatPolot = Glob.Material[size_t(S.MatIndex)].Jmeno;
    }
    S.Poznamka = EditPoznamka->Text;
}

void CreateConfirmDialog() {
    ConfirmDialog = RemakeForm<TConfirmDialog>();
}

void CreateCopyFromToolDialog() {
    CopyFromToolDialog = RemakeForm<TCopyFromToolDialog>();
}

void CreateGenParamDialog() {
    GenParamDialog = RemakeForm<TGenParamDialog>();
}
