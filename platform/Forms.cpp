#include "platform/Forms.h"

#include <algorithm>

#include "platform/Dialogs.h"

namespace {
std::string NameKey(const std::string& S) {
    std::string k = S;
    for (char& c : k)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return k;
}
// Never destroyed: forms held by static owners go after the statics of this file.
std::vector<TForm*>& FormList() {
    static auto* v = new std::vector<TForm*>;
    return *v;
}
}  // namespace

const std::vector<TForm*>& LiveForms() { return FormList(); }

TForm::TForm(std::string Name) : TControl(nullptr, nullptr, std::move(Name)) {
    Visible = false;
    FormList().push_back(this);
}

TForm::~TForm() {
    std::erase(FormList(), this);
    Responder().FormGone(*this);
}

void TForm::Adopt(std::unique_ptr<TControl> C) {
    if (!C->Name.empty()) ByName.emplace(NameKey(C->Name), C.get());
    if (auto* m = dynamic_cast<TMainMenu*>(C.get()); m && !Menu) Menu = m;
    Order.push_back(C.get());
    Owned.push_back(std::move(C));
}

TControl* TForm::FindComponent(const std::string& CName) const {
    auto key = NameKey(CName);
    auto sameNoCase = [](unsigned char a, unsigned char b) {
        return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == (b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    };
    if (std::equal(key.begin(), key.end(), Name.begin(), Name.end(), sameNoCase)) return const_cast<TForm*>(this);
    auto it = ByName.find(key);
    return it == ByName.end() ? nullptr : it->second;
}

int TForm::ShowModal() {
    ModalResult = mrNone;
    Modal = true;
    int r = mrCancel;
    try {
        r = Responder().ShowModal(*this);
    } catch (...) {
        Modal = false;
        Visible = false;
        throw;
    }
    Modal = false;
    Visible = false;
    return r;
}

void TForm::Show() {
    bool was = Visible;
    if (!was) DoShow();
    Responder().ShowForm(*this);
}

void TForm::Hide() {
    if (!Visible) return;
    Visible = false;
    Fire(OnHide);
    Responder().HideForm(*this);
}

void TForm::Close() {
    if (Modal) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
        return;  // the modal loop closes it
    }
    if (!DoCloseQuery()) return;
    TCloseAction a = TCloseAction::caHide;
    if (OnClose) OnClose(a);
    if (a == TCloseAction::caNone) return;
    Hide();
}

void TForm::BringToFront() { Responder().FocusForm(*this); }

void TForm::SetFocus() { Responder().FocusForm(*this); }

void TForm::DoShow() {
    Visible = true;
    Fire(OnShow);
}

bool TForm::DoCloseQuery() {
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(can);
    return can;
}

void TForm::DoClose() {
    TCloseAction a = TCloseAction::caHide;
    if (OnClose) OnClose(a);
    Visible = false;
    Fire(OnHide);
}

void TForm::DoResize(int32_t NewWidth, int32_t NewHeight) {
    Width = NewWidth;
    Height = NewHeight;
    Fire(OnResize);
}

void TForm::ClickButton(const std::string& CName) {
    if (TControl* c = FindComponent(CName)) c->Click();
}
