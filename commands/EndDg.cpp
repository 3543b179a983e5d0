#include "commands/EndDg.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TEndDialog* EndDialog = nullptr;

TEndDialog::TEndDialog() : TForm("EndDialog") {
    Caption = "Ukončení programu";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 330;
    Height = 110;
    LabSaveFile = Make<TLabel>("LabSaveFile");
    LabSaveFile->Caption = "Uložit soubor ?";
    LabSaveFile->Left = 16;
    LabSaveFile->Top = 14;
    LabSaveFile->Width = 290;
    LabSaveFile->Height = 20;
    auto Btn = [this](const char* N, const char* C, int Result, int X, int W) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 52;
        B->Width = W;
        B->Height = 28;
        return B;
    };
    BitBtnYes = Btn("BitBtnYes", "ANO", mrYes, 12, 80);
    BitBtnNo = Btn("BitBtnNo", "NE", mrNo, 98, 80);
    BitBtnReturn = Btn("BitBtnReturn", "Zpět do programu", mrRetry, 184, 134);
    BitBtnYes->Default = true;
    BitBtnReturn->Cancel = true;
    BitBtnYes->OnClick = [] { WriteLog("Usr:Yes"); };
    BitBtnNo->OnClick = [] { WriteLog("Usr:No"); };
    BitBtnReturn->OnClick = [] { WriteLog("Usr:return"); };
    OnShow = [] { WriteLog("Sys:EndDg Open"); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:EndDg Close"); };
    LangRegisterForm("EndDg", this);
}

TEndDialog::~TEndDialog() {
    LangUnregisterForm(this);
    if (EndDialog == this) EndDialog = nullptr;
}

void CreateEndDialog() {
    EndDialog = RemakeForm<TEndDialog>();
}
