#include "commands/AlignDg.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TAlignDialog* AlignDialog = nullptr;

TAlignDialog::TAlignDialog() : TForm("AlignDialog") {
    Caption = "Zarovnání";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 260;
    Height = 230;
    GrBoxJustify = Make<TGroupBox>("GrBoxJustify");
    GrBoxJustify->Left = 8;
    GrBoxJustify->Top = 8;
    GrBoxJustify->Width = 236;
    GrBoxJustify->Height = 120;
    auto Lab = [this](const char* N, const char* C, int X, int Y) {
        TLabel* L = Make<TLabel>(N, GrBoxJustify);
        L->Caption = C;
        L->Left = X;
        L->Top = Y;
    };
    Lab("LabLeft", "Vlevo", 70, 16);
    Lab("LabCenter", "Střed", 130, 16);
    Lab("LabRight", "Vpravo", 190, 16);
    Lab("LabTop", "Nahoru", 8, 40);
    Lab("LabMiddle", "Střed", 8, 66);
    Lab("LabBottom", "Dolů", 8, 92);
    auto Btn = [this](const char* N, int Col, int Row) {
        TRadioButton* R = Make<TRadioButton>(N, GrBoxJustify);
        R->Left = 76 + 60 * Col;
        R->Top = 40 + 26 * Row;
        R->Width = 16;
        R->Height = 16;
        R->OnClick = [R] { WriteLog("Usr:" + R->Name); };
        return R;
    };
    TopLeft = Btn("TopLeft", 0, 0);
    TopCenter = Btn("TopCenter", 1, 0);
    TopRight = Btn("TopRight", 2, 0);
    MiddleLeft = Btn("MiddleLeft", 0, 1);
    MiddleCenter = Btn("MiddleCenter", 1, 1);
    MiddleRight = Btn("MiddleRight", 2, 1);
    BottomLeft = Btn("BottomLeft", 0, 2);
    BottomCenter = Btn("BottomCenter", 1, 2);
    BottomRight = Btn("BottomRight", 2, 2);
    BottomLeft->Checked = true;
    ChBoxAddEnvelope = Make<TCheckBox>("ChBoxAddEnvelope");
    ChBoxAddEnvelope->Caption = "Přidat obálku vybraných objektů";
    ChBoxAddEnvelope->Left = 8;
    ChBoxAddEnvelope->Top = 136;
    ChBoxAddEnvelope->Width = 236;
    auto Ok = [this](const char* N, const char* C, int Result, int X, const char* Log) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 164;
        B->Width = 100;
        B->Height = 28;
        B->OnClick = [Log] { WriteLog(Log); };
        return B;
    };
    BitBtnOK = Ok("BitBtnOK", "OK", mrOk, 20, "Usr:ok");
    BitBtnCancel = Ok("BitBtnCancel", "Cancel", mrCancel, 136, "Usr:cancel");
    BitBtnOK->Default = true;
    BitBtnCancel->Cancel = true;
    OnShow = [] { WriteLog("Sys:AlignDg Open"); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:AlignDg Close"); };
    LangRegisterForm("AlignDg", this);
}

TAlignDialog::~TAlignDialog() {
    LangUnregisterForm(this);
    if (AlignDialog == this) AlignDialog = nullptr;
}

std::array<TRadioButton*, 9> TAlignDialog::Buttons() const {
    return {TopLeft, TopCenter, TopRight, MiddleLeft, MiddleCenter, MiddleRight, BottomLeft, BottomCenter,
            BottomRight};
}

void CreateAlignDialog() {
    AlignDialog = RemakeForm<TAlignDialog>();
}
