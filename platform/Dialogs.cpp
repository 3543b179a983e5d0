#include "platform/Dialogs.h"

namespace {
// Without an installed responder every dialog is unexpected.
class TNoResponder : public TResponder {
public:
    int ShowModal(TForm& Form) override { throw EUnexpectedDialog("modal form " + Form.Name); }
    int MessageDlg(const std::string& Caption, const std::string& Msg, TMsgDlgType, uint16_t) override {
        throw EUnexpectedDialog("message box: " + Caption + "|" + Msg);
    }
    bool OpenDialog(TOpenDialog&) override { throw EUnexpectedDialog("open dialog"); }
    bool SaveDialog(TSaveDialog&) override { throw EUnexpectedDialog("save dialog"); }
    bool ColorDialog(TColorDialog&) override { throw EUnexpectedDialog("colour dialog"); }
};

TNoResponder NoResponder;
TResponder* Current = &NoResponder;
}  // namespace

TResponder& Responder() { return *Current; }

TResponder* SetResponder(TResponder* R) {
    TResponder* prev = Current == &NoResponder ? nullptr : Current;
    Current = R ? R : &NoResponder;
    return prev;
}

bool TOpenDialog::Execute() { return Responder().OpenDialog(*this); }
bool TSaveDialog::Execute() { return Responder().SaveDialog(*this); }
bool TColorDialog::Execute() { return Responder().ColorDialog(*this); }

int MessageDlg(const std::string& Msg, TMsgDlgType Type, uint16_t Buttons) {
    return Responder().MessageDlg("", Msg, Type, Buttons);
}

void ShowMessage(const std::string& Msg) { Responder().MessageDlg("", Msg, TMsgDlgType::mtCustom, mbOK); }

int MessageBox(const std::string& Text, const std::string& Caption, uint32_t Flags) {
    uint16_t buttons = mbOK;
    switch (Flags & 0x0F) {
        case MB_OKCANCEL: buttons = mbOKCancel; break;
        case MB_YESNOCANCEL: buttons = mbYesNoCancel; break;
        case MB_YESNO: buttons = mbYesNo; break;
        default: break;
    }
    TMsgDlgType type = TMsgDlgType::mtCustom;
    switch (Flags & 0xF0) {
        case MB_ICONERROR: type = TMsgDlgType::mtError; break;
        case MB_ICONQUESTION: type = TMsgDlgType::mtConfirmation; break;
        case MB_ICONWARNING: type = TMsgDlgType::mtWarning; break;
        case MB_ICONINFORMATION: type = TMsgDlgType::mtInformation; break;
        default: break;
    }
    // The mr... and ID... values of OK, Cancel, Yes and No are the same numbers.
    return Responder().MessageDlg(Caption, Text, type, buttons);
}

void ProcessMessages() { Responder().ProcessMessages(); }
