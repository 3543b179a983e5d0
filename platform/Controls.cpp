#include "platform/Controls.h"

#include <algorithm>

#include "platform/Dialogs.h"
#include "platform/Forms.h"

TControl::TControl(TForm* Owner, TControl* Parent, std::string Name)
    : Name(std::move(Name)), Owner(Owner), Parent(Parent) {
    if (Parent) Parent->Children.push_back(this);
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->Parent)
        if (!c->Visible) return false;
    return true;
}

void TControl::Click() {
    if (!Enabled) return;
    Fire(OnClick);
}

void TControl::TypeText(const std::string& NewText) {
    if (!Enabled || ReadOnly) return;
    Text = NewText;
    Fire(OnChange);
}

void TControl::ChooseItem(int32_t Index) {
    if (!Enabled) return;
    if (Index < -1 || Index >= int32_t(Items.size())) return;
    ItemIndex = Index;
    if (Index >= 0 && dynamic_cast<TComboBox*>(this)) Text = Items[Index];
    Fire(OnChange);
    Fire(OnClick);
}

void TButton::Click() {
    if (!Enabled) return;
    Fire(OnClick);
    if (ModalResult != mrNone && Owner) Owner->ModalResult = ModalResult;
}

void TSpeedButton::Click() {
    if (!Enabled) return;
    if (GroupIndex != 0) {
        if (Down && AllowAllUp)
            Down = false;
        else if (!Down) {
            Down = true;
            if (Parent)
                for (TControl* c : Parent->Children)
                    if (auto* sb = dynamic_cast<TSpeedButton*>(c); sb && sb != this && sb->GroupIndex == GroupIndex)
                        sb->Down = false;
        }
    }
    Fire(OnClick);
}

void TCheckBox::Click() {
    if (!Enabled) return;
    Checked = !Checked;
    Fire(OnClick);
}

void TRadioButton::Click() {
    if (!Enabled) return;
    Checked = true;
    if (Parent)
        for (TControl* c : Parent->Children)
            if (c != this && dynamic_cast<TRadioButton*>(c)) c->Checked = false;
    Fire(OnClick);
}

void TRichEdit::AddLine(const std::string& S, uint32_t C) {
    LineColors.resize(Lines.size(), Font.Color);
    Lines.push_back(S);
    LineColors.push_back(C);
}

void TRichEdit::DeleteLine(size_t Index) {
    if (Index >= Lines.size()) return;
    Lines.erase(Lines.begin() + Index);
    if (Index < LineColors.size()) LineColors.erase(LineColors.begin() + Index);
}

void TRichEdit::ClearLines() {
    Lines.clear();
    LineColors.clear();
}

void TPageControl::ChoosePage(int32_t Index) {
    if (!Enabled || Index < 0 || Index >= int32_t(Children.size())) return;
    ActivePageIndex = Index;
    Fire(OnChange);
}

void TTrackBar::MoveTo(int32_t Pos) {
    if (!Enabled) return;
    Position = std::clamp(Pos, Min, Max);
    Fire(OnChange);
}

void TStringGrid::SetSize(int32_t Cols, int32_t Rows) {
    Cols = std::max(Cols, 0);
    Rows = std::max(Rows, 0);
    Cells.resize(Cols);
    for (auto& col : Cells) col.resize(Rows);
}

void TStringGrid::EditCell(int32_t ACol, int32_t ARow, const std::string& Value) {
    if (!Enabled || ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    Cells[ACol][ARow] = Value;
    if (OnSetEditText) OnSetEditText(ACol, ARow, Value);
}

void TStringGrid::SelectCell(int32_t ACol, int32_t ARow) {
    if (!Enabled || ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    bool can = true;
    if (OnSelectCell) OnSelectCell(ACol, ARow, can);
    if (!can) return;
    Col = ACol;
    Row = ARow;
    Fire(OnClick);
}

int32_t TTreeView::AddNode(int32_t Parent, const std::string& Text, int32_t Image, int32_t SelImage) {
    const int32_t n = int32_t(Nodes.size());
    if (Parent >= n || Parent < -1) return -1;
    if (Parent >= 0) {
        int32_t a = n - 1;
        while (a >= 0 && a != Parent) a = Nodes[size_t(a)].Parent;
        if (a != Parent) return -1;
    }
    Nodes.push_back(TTreeNode{Text, Parent, Image, SelImage, false});
    return n;
}

void TTreeView::Clear() {
    Nodes.clear();
    Selected = -1;
}

int32_t TTreeView::Level(int32_t Index) const {
    int32_t l = 0;
    if (Index < 0 || Index >= int32_t(Nodes.size())) return 0;
    for (int32_t p = Nodes[size_t(Index)].Parent; p >= 0; p = Nodes[size_t(p)].Parent) ++l;
    return l;
}

bool TTreeView::HasChildren(int32_t Index) const {
    return Index >= 0 && Index + 1 < int32_t(Nodes.size()) && Nodes[size_t(Index) + 1].Parent == Index;
}

void TTreeView::SelectNode(int32_t Index) {
    if (!Enabled || Index < 0 || Index >= int32_t(Nodes.size()) || Index == Selected) return;
    Selected = Index;
    Fire(OnChange);
}

void TTreeView::SetExpanded(int32_t Index, bool On) {
    if (Index < 0 || Index >= int32_t(Nodes.size())) return;
    Nodes[size_t(Index)].Expanded = On;
}

void TPaintBox::Invalidate() { Responder().Invalidate(*this); }

void TMenuItem::Click() {
    if (!Enabled) return;
    Fire(OnClick);
}

std::string Utf8Of(char32_t C) {
    std::string s;
    if (C < 0x80) {
        s += char(C);
    } else if (C < 0x800) {
        s += char(0xC0 | (C >> 6));
        s += char(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
        s += char(0xE0 | (C >> 12));
        s += char(0x80 | ((C >> 6) & 0x3F));
        s += char(0x80 | (C & 0x3F));
    } else if (C < 0x110000) {
        s += char(0xF0 | (C >> 18));
        s += char(0x80 | ((C >> 12) & 0x3F));
        s += char(0x80 | ((C >> 6) & 0x3F));
        s += char(0x80 | (C & 0x3F));
    }
    return s;
}
