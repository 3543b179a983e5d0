#include "commands/ArRectDg.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TArrRectDialog* ArrRectDialog = nullptr;

TArrRectDialog::TArrRectDialog() : TForm("ArrRectDialog") {
    Caption = "Pravoúhlé pole";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 250;
    Height = 200;
    auto Row = [this](const char* LName, const char* C, const char* EName, int Y, TLabel*& L, TEdit*& E) {
        L = Make<TLabel>(LName);
        L->Caption = C;
        L->Left = 12;
        L->Top = Y + 4;
        E = Make<TEdit>(EName);
        E->Text = "1";
        E->Left = 140;
        E->Top = Y;
        E->Width = 90;
    };
    Row("LabRowCount", "Počet řádků", "EditRowCount", 12, LabRowCount, EditRowCount);
    Row("LabColCount", "Počet sloupců", "EditColCount", 40, LabColCount, EditColCount);
    Row("LabRowDist", "Rozteč řádků", "EditRowDist", 68, LabRowDist, EditRowDist);
    Row("LabColDist", "Rozteč sloupců", "EditColDist", 96, LabColDist, EditColDist);
    auto Btn = [this](const char* N, const char* C, int Result, int X, const char* Log) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 132;
        B->Width = 100;
        B->Height = 28;
        B->OnClick = [Log] { WriteLog(Log); };
        return B;
    };
    BitBtnOK = Btn("BitBtnOK", "OK", mrOk, 12, "Usr:ok");
    BitBtnCancel = Btn("BitBtnCancel", "Cancel", mrCancel, 128, "Usr:cancel ");
    BitBtnOK->Default = true;
    BitBtnCancel->Cancel = true;
    OnShow = [] { WriteLog("Sys:RectArrayDg Open"); };
    OnClose = [this](TCloseAction&) {
        WriteLog("Sys:RectArrayDg Close (H.Dist:" + EditColDist->Text + " V.Dist:" + EditRowDist->Text +
                 " H.Cnt:" + EditColCount->Text + " V.Cnt:" + EditRowCount->Text);
    };
    LangRegisterForm("ArrRectDg", this);
}

TArrRectDialog::~TArrRectDialog() {
    LangUnregisterForm(this);
    if (ArrRectDialog == this) ArrRectDialog = nullptr;
}

void CreateArrRectDialog() {
    ArrRectDialog = RemakeForm<TArrRectDialog>();
}
