#include "cam/ErrorDg.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/Main.h"
#include "shell/UniLang.h"

TErrorDialog* ErrorDialog = nullptr;

TErrorDialog::TErrorDialog() : TForm("ErrorDialog") {
    Caption = "Seznam chyb";
    Width = 520;
    Height = 360;
    ErrorList = Make<TMemo>("ErrorList");
    ErrorList->Left = 0;
    ErrorList->Top = 0;
    ErrorList->Width = Width;
    ErrorList->ReadOnly = true;
    ErrorList->WordWrap = false;
    ErrorList->ScrollBars = true;
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->Width = 90;
    BitBtnOK->Height = 28;
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnOK->Cancel = true;
    // Escape typed in the list closes the window: the form sees keys before its memo.
    KeyPreview = true;
    OnKeyPress = [this](char32_t& Key) { ErrorListKeyPress(Key); };
    FormResize();
    OnShow = [this] { FormShow(); };
    OnResize = [this] { FormResize(); };
    ErrorList->OnKeyPress = [this](char32_t& Key) { ErrorListKeyPress(Key); };
    LangRegisterForm("ErrorDg", this);
}

TErrorDialog::~TErrorDialog() {
    LangUnregisterForm(this);
    if (ErrorDialog == this) ErrorDialog = nullptr;
}

void TErrorDialog::FormShow() {
    std::string Text;
    for (const std::string& L : ErrorList->Lines) Text += (Text.empty() ? "" : "\r\n") + L;
    WriteLog("Sys:ErrorDG:" + Text);
}

void TErrorDialog::FormResize() {
    ErrorList->Width = Width;
    ErrorList->Height = Height > 80 ? Height - 80 : 0;
    BitBtnOK->Left = (Width - BitBtnOK->Width) / 2;
    BitBtnOK->Top = ErrorList->Height + (80 - BitBtnOK->Height) / 2;
}

void TErrorDialog::ErrorListKeyPress(char32_t& Key) {
    if (Key == 27) {
        Key = 0;
        ModalResult = mrCancel;
        Close();
    }
}

void CreateErrorDialog() {
    ErrorDialog = RemakeForm<TErrorDialog>();
}

void ShowErrorList(const std::vector<std::string>& Lines) {
    if (!ErrorDialog) CreateErrorDialog();
    ErrorDialog->ErrorList->Lines = Lines;
    if (MainForm) {
        ErrorDialog->Left = MainForm->Left;
        ErrorDialog->Top = MainForm->Top;
    }
    ErrorDialog->ShowModal();
}
