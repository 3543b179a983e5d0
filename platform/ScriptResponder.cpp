#include "platform/ScriptResponder.h"

#include <cstdio>

namespace {
const char* KindName(int K) {
    static const char* names[] = {"modal form", "message box", "open dialog", "save dialog", "colour dialog"};
    return names[K];
}
}  // namespace

TScriptResponder::TScriptResponder() { Previous = SetResponder(this); }

TScriptResponder::~TScriptResponder() { SetResponder(Previous); }

void TScriptResponder::ExpectModal(const std::string& FormName, TModalScript Script) {
    TItem it;
    it.Kind = TKind::Modal;
    it.Name = FormName;
    it.Script = std::move(Script);
    Queue.push_back(std::move(it));
}

void TScriptResponder::ExpectModal(const std::string& FormName, int Result) {
    ExpectModal(FormName, [Result](TForm&) { return Result; });
}

void TScriptResponder::ExpectMessage(int Answer, const std::string& TextPart) {
    TItem it;
    it.Kind = TKind::Message;
    it.Name = TextPart;
    it.Answer = Answer;
    Queue.push_back(std::move(it));
}

void TScriptResponder::ExpectOpen(const std::string& FileName) {
    TItem it;
    it.Kind = TKind::Open;
    it.Name = FileName;
    it.Cancel = FileName.empty();
    Queue.push_back(std::move(it));
}

void TScriptResponder::ExpectSave(const std::string& FileName) {
    TItem it;
    it.Kind = TKind::Save;
    it.Name = FileName;
    it.Cancel = FileName.empty();
    Queue.push_back(std::move(it));
}

void TScriptResponder::ExpectColor(uint32_t Color) {
    TItem it;
    it.Kind = TKind::Color;
    it.Color = Color;
    Queue.push_back(std::move(it));
}

void TScriptResponder::ExpectColorCancel() {
    TItem it;
    it.Kind = TKind::Color;
    it.Cancel = true;
    Queue.push_back(std::move(it));
}

TScriptResponder::TItem TScriptResponder::Take(TKind Kind, const std::string& What) {
    bool ok = !Queue.empty() && Queue.front().Kind == Kind;
    if (ok && Kind == TKind::Modal) ok = Queue.front().Name == What;
    if (ok && Kind == TKind::Message) ok = What.find(Queue.front().Name) != std::string::npos;
    if (!ok) {
        std::string msg = std::string("unexpected ") + KindName(int(Kind)) + " (" + What + ")";
        if (!Queue.empty())
            msg += "; expected " + std::string(KindName(int(Queue.front().Kind))) + " (" + Queue.front().Name + ")";
        std::fprintf(stderr, "%s\n", msg.c_str());
        throw EUnexpectedDialog(msg);
    }
    TItem it = std::move(Queue.front());
    Queue.pop_front();
    return it;
}

int TScriptResponder::ShowModal(TForm& Form) {
    Shown.push_back("modal:" + Form.Name);
    TItem it = Take(TKind::Modal, Form.Name);
    Form.DoShow();
    int r = it.Script ? it.Script(Form) : mrCancel;
    if (Form.ModalResult == mrNone) Form.ModalResult = r;
    Form.DoCloseQuery();  // a script closes the form regardless of the answer
    Form.DoClose();
    return Form.ModalResult;
}

int TScriptResponder::MessageDlg(const std::string& Caption, const std::string& Msg, TMsgDlgType,
                                 uint16_t) {
    Shown.push_back("message:" + Caption + "|" + Msg);
    return Take(TKind::Message, Caption + "|" + Msg).Answer;
}

bool TScriptResponder::OpenDialog(TOpenDialog& D) {
    Shown.push_back("open:" + D.Title);
    TItem it = Take(TKind::Open, D.Title);
    if (it.Cancel) return false;
    D.FileName = it.Name;
    return true;
}

bool TScriptResponder::SaveDialog(TSaveDialog& D) {
    Shown.push_back("save:" + D.Title);
    TItem it = Take(TKind::Save, D.Title);
    if (it.Cancel) return false;
    D.FileName = it.Name;
    return true;
}

bool TScriptResponder::ColorDialog(TColorDialog& D) {
    Shown.push_back("color:");
    TItem it = Take(TKind::Color, "");
    if (it.Cancel) return false;
    D.Color = it.Color;
    return true;
}

void TScriptResponder::ShowForm(TForm& Form) {
    for (auto& n : OpenForms)
        if (n == Form.Name) return;
    OpenForms.push_back(Form.Name);
}

void TScriptResponder::HideForm(TForm& Form) {
    std::erase(OpenForms, Form.Name);
}
