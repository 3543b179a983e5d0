#include "commands/ArPolDg.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TArrPolarDialog* ArrPolarDialog = nullptr;

TArrPolarDialog::TArrPolarDialog() : TForm("ArrPolarDialog") {
    Caption = "Rotační pole";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 250;
    Height = 150;
    auto Row = [this](const char* LName, const char* C, const char* EName, const char* T, int Y, TLabel*& L,
                      TEdit*& E) {
        L = Make<TLabel>(LName);
        L->Caption = C;
        L->Left = 12;
        L->Top = Y + 4;
        E = Make<TEdit>(EName);
        E->Text = T;
        E->Left = 140;
        E->Top = Y;
        E->Width = 90;
    };
    Row("LabCountElements", "Počet elementů", "EditCount", "1", 12, LabCountElements, EditCount);
    Row("LabAddAngle", "Přírůstek úhlu", "EditAngle", "0", 40, LabAddAngle, EditAngle);
    auto Btn = [this](const char* N, const char* C, int Result, int X, const char* Log) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 76;
        B->Width = 100;
        B->Height = 28;
        B->OnClick = [Log] { WriteLog(Log); };
        return B;
    };
    BitBtnOK = Btn("BitBtnOK", "OK", mrOk, 12, "Usr:ok");
    BitBtnCancel = Btn("BitBtnCancel", "Cancel", mrCancel, 128, "Usr:cancel");
    BitBtnOK->Default = true;
    BitBtnCancel->Cancel = true;
    OnShow = [] { WriteLog("Sys:PolarArrayDg Open"); };
    OnClose = [this](TCloseAction&) {
        WriteLog("Sys:PolarArrayDg Close (Cnt:" + EditCount->Text + ", Ang:" + EditAngle->Text);
    };
    LangRegisterForm("ArrPolarDg", this);
}

TArrPolarDialog::~TArrPolarDialog() {
    LangUnregisterForm(this);
    if (ArrPolarDialog == this) ArrPolarDialog = nullptr;
}

void CreateArrPolarDialog() {
    ArrPolarDialog = RemakeForm<TArrPolarDialog>();
}
