#include "commands/EndDg.h"

#include <memory>

#include "shell/UniLang.h"

TEndDialog* EndDialog = nullptr;

TEndDialog::TEndDialog() : TForm("EndDialog") {
    Caption = "Ukončení programu";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 330;
    Height = 110;
    Label1 = Make<TLabel>("Label1");
    Label1->Caption = "Uložit soubor ?";
    Label1->Left = 16;
    Label1->Top = 14;
    Label1->Width = 290;
    Label1->Height = 20;
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
    LangRegisterForm("EndDg", this);
}

TEndDialog::~TEndDialog() {
    LangUnregisterForm(this);
    if (EndDialog == this) EndDialog = nullptr;
}

void CreateEndDialog() {
    static std::unique_ptr<TEndDialog> Dlg;
    Dlg.reset();
    Dlg = std::make_unique<TEndDialog>();
    EndDialog = Dlg.get();
}
