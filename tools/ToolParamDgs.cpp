#include "tools/ToolParamDgs.h"

#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"
#include "tools/FormPlace.h"

TCMDParamDialog* CMDParamDialog = nullptr;
TValSelectDialog* ValSelectDialog = nullptr;

namespace {

void OkCancel(TForm& F, TBitBtn*& Ok, TBitBtn*& Cancel, int Top) {
    Ok = MakeAt<TBitBtn>(F, "BitBtnOK", "OK", nullptr, F.Width - 224, Top, 100, 30);
    Ok->ModalResult = mrOk;
    Ok->Default = true;
    Cancel = MakeAt<TBitBtn>(F, "BitBtnCancel", "Cancel", nullptr, F.Width - 116, Top, 100, 30);
    Cancel->ModalResult = mrCancel;
    Cancel->Cancel = true;
}

}  // namespace

TCMDParamDialog::TCMDParamDialog() : TForm("CMDParamDialog") {
    BorderStyle = TBorderStyle::bsDialog;
    Width = 340;
    Height = 100;
    EditParam = MakeAt<TEdit>(*this, "EditParam", "", nullptr, 16, 16, 308, 24);
    OkCancel(*this, BitBtnOK, BitBtnCancel, 56);
    OnShow = [this] { WriteLog("Sys:CMDParamDg Open (" + Caption + ")"); };
    OnClose = [this](TCloseAction&) { WriteLog("Sys:CMDParamDg Close (" + EditParam->Text + ")"); };
    LangRegisterForm("CMDParamDg", this);
}
TCMDParamDialog::~TCMDParamDialog() { LangUnregisterForm(this); }

TValSelectDialog::TValSelectDialog() : TForm("ValSelectDialog") {
    BorderStyle = TBorderStyle::bsDialog;
    Width = 340;
    Height = 100;
    CBoxSelect = MakeAt<TComboBox>(*this, "CBoxSelect", "", nullptr, 16, 16, 308, 24);
    CBoxSelect->DropDownList = false;
    OkCancel(*this, BitBtnOK, BitBtnCancel, 56);
    OnShow = [this] { WriteLog("Sys:ValSelectDg Open (" + Caption + ")"); };
    OnClose = [this](TCloseAction&) { WriteLog("Sys:ValSelectDg Close (" + CBoxSelect->Text + ")"); };
    LangRegisterForm("ValSelectDg", this);
}
TValSelectDialog::~TValSelectDialog() { LangUnregisterForm(this); }

int TValSelectDialog::Chosen() const {
    const int i = CBoxSelect->ItemIndex;
    if (i >= 0 && size_t(i) < CBoxSelect->Items.size() && CBoxSelect->Items[size_t(i)] == CBoxSelect->Text) return i;
    for (size_t k = 0; k < CBoxSelect->Items.size(); ++k)
        if (CBoxSelect->Items[k] == CBoxSelect->Text) return int(k);
    return -1;
}

void CreateCMDParamDialog() {
    CMDParamDialog = RemakeForm<TCMDParamDialog>();
}

void CreateValSelectDialog() {
    ValSelectDialog = RemakeForm<TValSelectDialog>();
}
