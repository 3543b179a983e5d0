#include "formats/DxfInDg.h"

#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TDxfInputDialog* DxfInputDialog = nullptr;

namespace {

// OK takes the position only when both numbers are valid; the dialog closes either way.
void TakeDest(const TDxfInputDialog& D) {
    Extended X = 0, Y = 0;
    if (!StrToExtCalc(D.EditXdest->Text, X, false)) {
        WriteLog("Err:Wrong number X pos (" + D.EditXdest->Text + ")");
        return;
    }
    if (!StrToExtCalc(D.EditYdest->Text, Y, false)) {
        WriteLog("Err:Wrong number Y pos (" + D.EditYdest->Text + ")");
        return;
    }
    Glob.Dest = Osy{X, Y};
}

}  // namespace

TDxfInputDialog::TDxfInputDialog() : TForm("DxfInputDialog") {
    Caption = "Parametry vstupu YDF a DXF";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 520;
    Height = 300;
    GrBoxOrigin = Make<TGroupBox>("GrBoxOrigin");
    GrBoxOrigin->Left = 8;
    GrBoxOrigin->Top = 8;
    GrBoxOrigin->Width = 250;
    GrBoxOrigin->Height = 96;
    auto Radio = [this](const char* N, const char* C, int Y) {
        TRadioButton* R = Make<TRadioButton>(N, GrBoxOrigin);
        R->Caption = C;
        R->Left = 10;
        R->Top = Y;
        R->Width = 232;
        R->Height = 22;
        return R;
    };
    RBtnZeroDxfCoord = Radio("RBtnZeroDxfCoord", "0,0 YDF nebo DXF souřadnic", 8);
    RBtnLeftBottom = Radio("RBtnLeftBottom", "Levý, spodní roh", 38);
    RBtnZeroDxfCoord->Checked = true;

    GrBoxDest = Make<TGroupBox>("GrBoxDest");
    GrBoxDest->Caption = "Poloha";
    GrBoxDest->Left = 8;
    GrBoxDest->Top = 112;
    GrBoxDest->Width = 250;
    GrBoxDest->Height = 104;
    auto Row = [this](const char* LN, const char* C, const char* EN, int Y, TLabel*& L, TEdit*& E) {
        L = Make<TLabel>(LN, GrBoxDest);
        L->Caption = C;
        L->Left = 10;
        L->Top = Y + 4;
        L->Width = 60;
        E = Make<TEdit>(EN, GrBoxDest);
        E->Left = 80;
        E->Top = Y;
        E->Width = 140;
        E->Height = 24;
    };
    Row("LabXdest", "osa X", "EditXdest", 24, LabXdest, EditXdest);
    Row("LabYdest", "osa Y", "EditYdest", 58, LabYdest, EditYdest);

    auto Check = [this](const char* N, const char* C, int Y, bool On) {
        TCheckBox* B = Make<TCheckBox>(N);
        B->Caption = C;
        B->Left = 270;
        B->Top = Y;
        B->Width = 242;
        B->Height = 22;
        B->Checked = On;
        return B;
    };
    ChBoxTools = Check("ChBoxTools", "Nástroje a technologii", 12, true);
    ChBoxCfg = Check("ChBoxCfg", "Nastavení a barvy", 40, false);
    ChBoxOps = Check("ChBoxOps", "Nastavení obráběcích operací", 68, true);
    ChBoxTech = Check("ChBoxTech", "Řezné podmínky nástrojů", 96, true);
    ChBoxPluns = Check("ChBoxPluns", "Nastavení zápichu nástrojů", 124, true);
    ChBoxOuts = Check("ChBoxOuts", "nastavení výstupů nástrojů", 152, true);

    auto Btn = [this](const char* N, const char* C, int Result, int X) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 232;
        B->Width = 100;
        B->Height = 28;
        return B;
    };
    BitBtnOK = Btn("BitBtnOK", "OK", mrOk, 150);
    BitBtnCancel = Btn("BitBtnCancel", "Cancel", mrCancel, 270);
    BitBtnOK->Default = true;
    BitBtnCancel->Cancel = true;
    BitBtnOK->OnClick = [this] {
        WriteLog("Usr:ok");
        TakeDest(*this);
    };
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    OnShow = [this] {
        WriteLog("Sys:DxfInDg Open");
        EditXdest->Text = GeneralNumText(Glob.Dest.x);
        EditYdest->Text = GeneralNumText(Glob.Dest.y);
    };
    OnClose = [this](TCloseAction&) {
        WriteLog("Sys: DxfInDg Close (Xpos:" + GeneralNumText(Glob.Dest.x) + " Ypos:" + GeneralNumText(Glob.Dest.y) +
                 " Origin:" + (RBtnZeroDxfCoord->Checked ? "0,0" : "Down-left") + ")");
    };
    LangRegisterForm("DxfInDg", this);
}

TDxfInputDialog::~TDxfInputDialog() {
    LangUnregisterForm(this);
    if (DxfInputDialog == this) DxfInputDialog = nullptr;
}

void CreateDxfInputDialog() {
    DxfInputDialog = RemakeForm<TDxfInputDialog>();
}
