#include "commands/PrintDg.h"

#include "core/UniLog.h"
#include "platform/Printer.h"
#include "shell/UniLang.h"

TTiskDialog* TiskDialog = nullptr;

namespace {
// The instance of the run (the start-up makes it; a command makes it when missing).
// It is left to the end of the process: no form may outlive the responder's teardown.
TTiskDialog* Dlg = nullptr;
}  // namespace

TTiskDialog::TTiskDialog() : TForm("TiskDialog") {
    Caption = "Tisk";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 330;
    Height = 250;
    LabNote = Make<TLabel>("LabNote");
    LabNote->Caption = "Vytištěny budou jen viditelné objekty.";
    LabNote->Left = 8;
    LabNote->Top = 6;
    auto Group = [this](const char* N, const char* C, int Y, int H) {
        TGroupBox* G = Make<TGroupBox>(N);
        G->Caption = C;
        G->Left = 8;
        G->Top = Y;
        G->Width = 310;
        G->Height = H;
        return G;
    };
    auto Radio = [this](const char* N, const char* C, TGroupBox* G, int Y) {
        TRadioButton* B = Make<TRadioButton>(N, G);
        B->Caption = C;
        B->Left = 12;
        B->Top = Y;
        return B;
    };
    GrBoxWhat = Group("GrBoxWhat", " Co tisknout ", 26, 86);
    RBtnDisplay = Radio("RBtnDisplay", "Vše v okně programu", GrBoxWhat, 18);
    RBtnObjects = Radio("RBtnObjects", "Všechny objekty", GrBoxWhat, 40);
    RBtnLimits = Radio("RBtnLimits", "Vše v limitech kresby", GrBoxWhat, 62);
    GrBoxHow = Group("GrBoxHow", " Jak tisknout ", 118, 64);
    RBtnScale1 = Radio("RBtnScale1", "1:1", GrBoxHow, 18);
    RBtnFitToPage = Radio("RBtnFitToPage", "Vyplnit papír", GrBoxHow, 40);
    RBtnDisplay->Checked = true;
    RBtnFitToPage->Checked = true;
    auto Btn = [this](const char* N, const char* C, int Result, int X, int W) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 190;
        B->Width = W;
        B->Height = 28;
        return B;
    };
    BitBtnOK = Btn("BitBtnOK", "OK", mrOk, 8, 80);
    BitBtnCancel = Btn("BitBtnCancel", "Zrušit", mrCancel, 94, 80);
    BitBtnOK->Default = true;
    BitBtnCancel->Cancel = true;
    BtnSetup = Make<TButton>("BtnSetup");
    BtnSetup->Caption = "Nastavení tiskárny";
    BtnSetup->Left = 180;
    BtnSetup->Top = 190;
    BtnSetup->Width = 138;
    BtnSetup->Height = 28;

    for (TRadioButton* B : {RBtnDisplay, RBtnObjects, RBtnLimits}) B->OnClick = [this] { RBtnDisplayClick(); };
    for (TRadioButton* B : {RBtnScale1, RBtnFitToPage}) B->OnClick = [this] { RBtnScale1Click(); };
    BtnSetup->OnClick = [this] { BtnSetupClick(); };
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    OnShow = [] { WriteLog("Sys:PrintDg Open"); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:PrintDg Close"); };
    LangRegisterForm("TiskDg", this);
}

TTiskDialog::~TTiskDialog() {
    LangUnregisterForm(this);
    if (TiskDialog == this) TiskDialog = nullptr;
}

void TTiskDialog::RBtnDisplayClick() {
    WriteLog(std::string("Usr:Select view:") +
             (RBtnDisplay->Checked ? "All in win" : RBtnObjects->Checked ? "All objects" : "Limits"));
}

void TTiskDialog::RBtnScale1Click() {
    WriteLog(std::string("Usr:Select scale:") + (RBtnScale1->Checked ? "1:1" : "Zoom all"));
}

void TTiskDialog::BtnSetupClick() {
    WriteLog("Usr:Print setup");
    Printer().Setup();
}

void CreateTiskDialog() {
    delete Dlg;
    Dlg = new TTiskDialog();
    TiskDialog = Dlg;
}

void FreeTiskDialog() {
    delete Dlg;
    Dlg = nullptr;
    TiskDialog = nullptr;
}
