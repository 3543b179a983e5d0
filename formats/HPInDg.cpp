#include "formats/HPInDg.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

THPInputDialog* HPInputDialog = nullptr;

THPInputDialog::THPInputDialog() : TForm("HPInputDialog") {
    Caption = "Parametry vstupu HPGL";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 420;
    Height = 250;
    auto Group = [this](const char* N, const char* C, int X) {
        TGroupBox* G = Make<TGroupBox>(N);
        G->Caption = C;
        G->Left = X;
        G->Top = 8;
        G->Width = 196;
        G->Height = 100;
        return G;
    };
    auto Row = [this](TGroupBox* G, const char* LN, const char* EN, int Y, const char* Text, TLabel*& L, TEdit*& E) {
        L = Make<TLabel>(LN, G);
        L->Caption = Y < 50 ? "osa X" : "osa Y";
        L->Left = 10;
        L->Top = Y + 4;
        L->Width = 50;
        E = Make<TEdit>(EN, G);
        E->Text = Text;
        E->Left = 70;
        E->Top = Y;
        E->Width = 110;
        E->Height = 24;
    };
    GrBoxScale = Group("LabScale", "Měřítko [kroků / mm]", 8);
    Row(GrBoxScale, "LabScX", "EditXscale", 24, "80", LabXscale, EditXscale);
    Row(GrBoxScale, "LabScY", "EditYscale", 58, "80", LabYscale, EditYscale);
    GrBoxDest = Group("LabPosition", "Poloha [mm]", 212);
    Row(GrBoxDest, "LabPosX", "EditXdest", 24, "0", LabXdest, EditXdest);
    Row(GrBoxDest, "LabPosY", "EditYdest", 58, "0", LabYdest, EditYdest);
    auto Radio = [this](const char* N, const char* C, int Y) {
        TRadioButton* R = Make<TRadioButton>(N);
        R->Caption = C;
        R->Left = 16;
        R->Top = Y;
        R->Width = 380;
        R->Height = 22;
        return R;
    };
    RBtnZeroHpCoord = Radio("RBtnZeroHpCoord", "0,0 HPGL souřadnic", 116);
    RBtnLeftBottom = Radio("RBtnLeftBottom", "Levý,spodní roh", 142);
    RBtnZeroHpCoord->Checked = true;
    auto Btn = [this](const char* N, const char* C, int Result, int X) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 180;
        B->Width = 100;
        B->Height = 28;
        return B;
    };
    BitBtnOK = Btn("BitBtnOK", "OK", mrOk, 100);
    BitBtnCancel = Btn("BitBtnCancel", "Cancel", mrCancel, 220);
    BitBtnOK->Default = true;
    BitBtnCancel->Cancel = true;
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    OnShow = [] { WriteLog("Sys:HpglInDg Open"); };
    OnClose = [this](TCloseAction&) {
        WriteLog("Sys:HpglInDg Close (ScaleX:" + EditXscale->Text + " ScaleY:" + EditYscale->Text +
                 " PosX:" + EditXdest->Text + " PosY;" + EditYdest->Text +
                 " Origin:" + (RBtnZeroHpCoord->Checked ? "0,0" : "Down-left"));
    };
    LangRegisterForm("HpInDg", this);
}

THPInputDialog::~THPInputDialog() {
    LangUnregisterForm(this);
    if (HPInputDialog == this) HPInputDialog = nullptr;
}

void CreateHPInputDialog() {
    HPInputDialog = RemakeForm<THPInputDialog>();
}
