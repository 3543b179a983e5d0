#include "formats/HPOutDg.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

THPOutputDialog* HPOutputDialog = nullptr;

namespace {

void HeaderCells(TStringGrid& G) {
    if (G.ColCount() < 9 || G.RowCount() < 9) G.SetSize(9, 9);
    for (int i = 1; i <= 8; ++i) {
        G.Cells[0][i] = "SP" + std::to_string(i);
        G.Cells[i][0] = std::string("File_") + char(64 + i);
    }
}

}  // namespace

THPOutputDialog::THPOutputDialog() : TForm("HPOutputDialog") {
    Caption = "HPGL výstup";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 560;
    Height = 430;
    auto Label = [this](const char* N, const char* C, int X, int Y) {
        TLabel* L = Make<TLabel>(N);
        L->Caption = C;
        L->Left = X;
        L->Top = Y + 4;
        L->Width = 90;
        return L;
    };
    auto Edit = [this](const char* N, const char* T, int X, int Y) {
        TEdit* E = Make<TEdit>(N);
        E->Text = T;
        E->Left = X;
        E->Top = Y;
        E->Width = 100;
        E->Height = 24;
        return E;
    };
    LabScale = Label("LabStepPerMm", "Kroků na mm", 12, 8);
    LabXscale = Label("LabStepX", "osa X", 12, 36);
    EditXscale = Edit("EditXscale", "80.000", 70, 36);
    LabYscale = Label("LabStepY", "osa Y", 190, 36);
    EditYscale = Edit("EditYscale", "80.000", 250, 36);
    LabXscale->Width = LabYscale->Width = 50;
    auto Check = [this](const char* N, const char* C, int Y, bool On) {
        TCheckBox* B = Make<TCheckBox>(N);
        B->Caption = C;
        B->Left = 12;
        B->Top = Y;
        B->Width = 530;
        B->Height = 22;
        B->Checked = On;
        return B;
    };
    ChBoxInfoToPlt = Check("ChBoxInfoToPlt", "Informace o krocích do souboru", 68, false);
    ChBoxExplodeArc = Check("ChBoxExplodeArc", "Oblouky do čárek (Odchylka sečny = 1/2 kroku)", 94, false);
    ChBoxOnlyOne = Check("ChBoxOnlyOne", "Jen File_A, nepřidávat písmeno do názvu", 120, true);
    StrGrid = Make<TStringGrid>("StrGrid");
    StrGrid->Left = 12;
    StrGrid->Top = 150;
    StrGrid->Width = 530;
    StrGrid->Height = 200;
    StrGrid->SetSize(9, 9);
    StrGrid->Editing = true;  // the layer of each pen is typed in
    auto Button = [this](const char* N, const char* C, int X) {
        TButton* B = Make<TButton>(N);
        B->Caption = C;
        B->Left = X;
        B->Top = 358;
        B->Width = 120;
        B->Height = 28;
        return B;
    };
    BtnDelTab = Button("BtnDelTab", "Vymazat tabulku", 12);
    BtnFillTab = Button("BtnFillTab", "Vyplnit tabulku", 140);
    BtnDelTab->OnClick = [this] {
        WriteLog("Usr:Delete table");
        HeaderCells(*StrGrid);
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r) StrGrid->Cells[c][r].clear();
    };
    BtnFillTab->OnClick = [this] {
        WriteLog("Usr:AutoFill table");
        HeaderCells(*StrGrid);
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r) StrGrid->Cells[c][r] = "T" + std::to_string((c - 1) * 8 + r);
    };
    LblDorsek = Label("LblDorsek", "Zkosení", 380, 8);
    EditDorsek = Edit("EditDorsek", "", 440, 8);
    LblDorsek->Width = 55;
    LblDorsek->Visible = false;
    EditDorsek->Visible = false;
    auto Btn = [this](const char* N, const char* C, int Result, int X) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 392;
        B->Width = 100;
        B->Height = 28;
        return B;
    };
    BitBtnOK = Btn("BitBtnOK", "OK", mrOk, 320);
    BitBtnCancel = Btn("BitBtnCancel", "Cancel", mrCancel, 440);
    BitBtnOK->Default = true;
    BitBtnCancel->Cancel = true;
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    OnShow = [this] {
        WriteLog("Sys:HpglOutDg Open");
        HeaderCells(*StrGrid);
    };
    OnClose = [this](TCloseAction&) {
        WriteLog(std::string("Sys:HpglOutDg Close (") + (ChBoxInfoToPlt->Checked ? "StepInfo:true" : "StepInfo:false") +
                 (ChBoxExplodeArc->Checked ? " Arcs:lines" : " Arcs:Arc") +
                 (ChBoxOnlyOne->Checked ? " OneFile:true" : " OneFile:false") + " Steps/mm X:" + EditXscale->Text +
                 " Steps/mm Y:" + EditYscale->Text);
    };
    LangRegisterForm("HpOutDg", this);
}

THPOutputDialog::~THPOutputDialog() {
    LangUnregisterForm(this);
    if (HPOutputDialog == this) HPOutputDialog = nullptr;
}

void CreateHPOutputDialog() {
    HPOutputDialog = RemakeForm<THPOutputDialog>();
}
