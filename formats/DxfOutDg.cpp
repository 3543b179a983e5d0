#include "formats/DxfOutDg.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TDxfOutDialog* DxfOutDialog = nullptr;

TDxfOutDialog::TDxfOutDialog() : TForm("DxfOutDialog") {
    Caption = "Parametry výstupu DXF";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 340;
    Height = 200;
    auto Check = [this](const char* N, const char* C, int Y) {
        TCheckBox* B = Make<TCheckBox>(N);
        B->Caption = C;
        B->Left = 12;
        B->Top = Y;
        B->Width = 316;
        B->Height = 22;
        return B;
    };
    auto Label = [this](const char* N, const char* C, int X, int Y) {
        TLabel* L = Make<TLabel>(N);
        L->Caption = C;
        L->Left = X;
        L->Top = Y;
        L->Width = 328 - X;
        L->Height = 20;
        return L;
    };
    ChBoxPlineWidth = Check("ChBoxPlineWidth", "Použít tloušťky polyline podle vrstev", 12);
    LabPlineWidthNote = Label("LabPlineWidthNote", "(pokud ne, budou nulové)", 32, 36);
    ChBoxExplodeText = Check("ChBoxExplodeText", "Písmo do polyline", 64);
    ChBoxToInch = Check("ChBoxToInch", "Převést na palce  (1/25,4)", 92);
    LabVisibleOnly = Label("LabVisibleOnly", "Ven se dostanou jen viditelné hladiny", 12, 124);
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Left = 120;
    BitBtnOK->Top = 154;
    BitBtnOK->Width = 100;
    BitBtnOK->Height = 28;
    BitBtnOK->Default = true;
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    OnShow = [] { WriteLog("Sys:DxfOutDg Open"); };
    OnClose = [this](TCloseAction&) {
        WriteLog(std::string("Sys:DxfOutDg Close (") +
                 (ChBoxPlineWidth->Checked ? "WidthBylayer:true" : "WidthBylayer:false") +
                 (ChBoxExplodeText->Checked ? ", FontsToPoly:true" : ", FontsToPoly:false") +
                 (ChBoxToInch->Checked ? ", Units:inch" : " Units:mm") + ")");
    };
    LangRegisterForm("DxfOutDg", this);
}

TDxfOutDialog::~TDxfOutDialog() {
    LangUnregisterForm(this);
    if (DxfOutDialog == this) DxfOutDialog = nullptr;
}

void CreateDxfOutDialog() {
    DxfOutDialog = RemakeForm<TDxfOutDialog>();
}
