#include "shell/InputBox.h"

#include "platform/Dialogs.h"

namespace {
class TInputBoxForm : public TForm {
public:
    TInputBoxForm() : TForm("InputBoxForm") {
        BorderStyle = TBorderStyle::bsDialog;
        Width = 300;
        Height = 120;
        LabelPrompt = Make<TLabel>("LabelPrompt");
        LabelPrompt->Left = 10, LabelPrompt->Top = 8, LabelPrompt->Width = 280, LabelPrompt->Height = 18;
        EditValue = Make<TEdit>("EditValue");
        EditValue->Left = 10, EditValue->Top = 30, EditValue->Width = 280, EditValue->Height = 24;
        TButton* Ok = Make<TButton>("BtnOK");
        Ok->Caption = "OK", Ok->ModalResult = mrOk, Ok->Default = true;
        Ok->Left = 120, Ok->Top = 66, Ok->Width = 80, Ok->Height = 26;
        TButton* Cancel = Make<TButton>("BtnCancel");
        Cancel->Caption = "Cancel", Cancel->ModalResult = mrCancel, Cancel->Cancel = true;
        Cancel->Left = 210, Cancel->Top = 66, Cancel->Width = 80, Cancel->Height = 26;
    }
    TLabel* LabelPrompt;
    TEdit* EditValue;
};
}  // namespace

std::string InputBox(const std::string& Caption, const std::string& Prompt, const std::string& Default,
                     bool* Ok) {
    TInputBoxForm F;
    F.Caption = Caption;
    F.LabelPrompt->Caption = Prompt;
    F.EditValue->Text = Default;
    const bool Done = F.ShowModal() == mrOk;
    if (Ok) *Ok = Done;
    return Done ? F.EditValue->Text : std::string();
}
