#include "cam/SelOpsDg.h"

#include "cam/CamOpList.h"
#include "cam/OpHighlight.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TSelOpsDialog* SelOpsDialog = nullptr;

TSelOpsDialog::TSelOpsDialog() : TForm("SelOpsDialog") {
    Caption = "Výběr";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 260;
    Height = 240;
    ListBoxOps = Make<TListBox>("ListBoxOps");
    ListBoxOps->Left = 8;
    ListBoxOps->Top = 8;
    ListBoxOps->Width = 244;
    ListBoxOps->Height = 180;
    SbtnOk = Make<TButton>("SbtnOk");
    SbtnOk->Caption = "Ok";
    SbtnOk->Left = 172;
    SbtnOk->Top = 200;
    SbtnOk->Width = 80;
    SbtnOk->Height = 30;
    SbtnOk->Default = true;
    OnShow = [this] { FormShow(); };
    ListBoxOps->OnClick = [this] { ListBoxOpsClick(); };
    ListBoxOps->OnMouseMove = [this](uint8_t, int32_t, int32_t) { ListBoxOpsMouseMove(); };
    SbtnOk->OnClick = [this] { SbtnOkClick(); };
    // The picker has no cancel button and its OK waits for a row: Escape leaves it
    // choosing nothing, which OPEDIT takes as a no.
    KeyPreview = true;
    OnKeyDown = [this](uint16_t& Key, uint8_t) {
        if (Key != VK_ESCAPE) return;
        Key = 0;
        ModalResult = mrCancel;
    };
    LangRegisterForm("SelOpsDg", this);
}

TSelOpsDialog::~TSelOpsDialog() {
    LangUnregisterForm(this);
    if (SelOpsDialog == this) SelOpsDialog = nullptr;
}

void TSelOpsDialog::SetOps(const std::vector<int>& Ops) {
    RowOps = Ops;
    ListBoxOps->Items.clear();
    for (int Op : Ops) ListBoxOps->Items.push_back(Op >= 0 && Op < MaxCamOps ? OpList.Cam[Op].Name : "");
    ListBoxOps->ItemIndex = -1;
}

void TSelOpsDialog::FormShow() { SbtnOk->Enabled = false; }

void TSelOpsDialog::ListBoxOpsClick() { SbtnOk->Enabled = ListBoxOps->ItemIndex >= 0; }

void TSelOpsDialog::SbtnOkClick() { ModalResult = mrOk; }

void TSelOpsDialog::ListBoxOpsMouseMove() {
    const int Row = ListBoxOps->HotIndex;
    if (Row < 0 || Row >= int(RowOps.size())) {
        ListBoxOps->Hint.clear();
        OpList.LastHintIndex = -1;
        return;
    }
    const int Op = RowOps[Row];
    if (Op == OpList.LastHintIndex || Op < 0 || Op >= MaxCamOps) return;
    HighlightCamOp(Op);
    OpList.LastHintIndex = Op;
    const uint8_t St = OpList.Cam[Op].Status;
    ListBoxOps->Hint = St < StrOpStatus.size() ? StrOpStatus[St] : "";
}

void CreateSelOpsDialog() {
    SelOpsDialog = RemakeForm<TSelOpsDialog>();
}
