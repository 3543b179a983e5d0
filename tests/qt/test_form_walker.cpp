// Every form of the started program walked through its real window, page by page: each
// shown, enabled control that has a handler in the model hears it from the Qt input a
// user gives it (a click, a double click, a key, typed text), and each grid the model
// lets the user edit takes typed text into its cells. The handlers are stood in for by
// counters while the input is given, so nothing the program would do runs.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "RealProgram.h"

namespace {
using namespace QtProbe;

class FormWalkerTest : public RealProgramTest {
protected:
    // While Input runs, every handler of the control (and the form's key handlers)
    // only counts; the fault when Handler heard nothing.
    template <class H>
    void Expect(TForm& Fm, TControl* C, H& Handler, const char* What, const std::function<bool()>& Input) {
        if (!Handler) return;
        std::map<const void*, int> Heard;
        std::vector<std::function<void()>> Restore;
        auto Muffle = [&](auto& Field) {
            if (!Field) return;
            auto Kept = std::move(Field);
            int* N = &Heard[&Field];
            Field = [N](auto&&...) { ++*N; };
            Restore.push_back([&Field, K = std::move(Kept)]() mutable { Field = std::move(K); });
        };
        // A control inside this one (a picture in a group box) may have handlers of its own.
        for (TControl* O : Fm.Components()) {
            Muffle(O->OnClick), Muffle(O->OnDblClick), Muffle(O->OnChange), Muffle(O->OnEnter), Muffle(O->OnExit);
            Muffle(O->OnKeyDown), Muffle(O->OnKeyUp), Muffle(O->OnKeyPress), Muffle(O->OnMouseDown);
            Muffle(O->OnMouseUp), Muffle(O->OnMouseMove), Muffle(O->OnMouseEnter), Muffle(O->OnMouseLeave);
            if (auto* G = dynamic_cast<TStringGrid*>(O)) Muffle(G->OnSelectCell), Muffle(G->OnSetEditText);
        }
        Muffle(Fm.OnKeyDown), Muffle(Fm.OnKeyUp), Muffle(Fm.OnKeyPress);
        const std::string Text = C->Text;
        const bool Given = Input();
        Pump(20);  // a button's press reaches its handler from the event loop
        for (auto& R : Restore) R();
        if (C->Text != Text) C->Text = Text;
        AfterEvent();
        ++Checked;
        // A control wholly covered by the controls inside it is reached through them.
        if (!Given && !C->Children.empty()) return;
        if (!Given || !Heard[&Handler])
            Faults.push_back(Fm.Name + "." + C->Name + " (" + C->ClassName() + ") " + What +
                             (Given ? ": not heard" : ": no widget to reach"));
    }

    // Every control shown on the form's current pages.
    void WalkShown(TForm& Fm, TQtFormView* V) {
        for (TControl* C : Fm.Components()) {
            if (!C->Showing() || !C->Enabled || C->Stacked || !WidgetShown(V, C)) continue;
            if (dynamic_cast<TMenuItem*>(C) || dynamic_cast<TPaintBox*>(C)) continue;
            if (!Walked.insert(C).second) continue;
            WalkOne(Fm, V, C);
        }
    }

    void WalkOne(TForm& Fm, TQtFormView* V, TControl* C) {
        auto Click = [&] { return UserClick(V, C); };
        auto Key = [&] { return UserKey(V, C, "1"); };
        Expect(Fm, C, C->OnMouseDown, "mouse down", Click);
        Expect(Fm, C, C->OnMouseUp, "mouse up", Click);
        Expect(Fm, C, C->OnDblClick, "double click", [&] { return UserDoubleClick(V, C); });
        Expect(Fm, C, C->OnMouseMove, "mouse move", [&] { return UserMove(V, C); });
        Expect(Fm, C, C->OnKeyDown, "key down", Key);
        Expect(Fm, C, C->OnKeyUp, "key up", Key);
        Expect(Fm, C, C->OnKeyPress, "key press", Key);
        // A choice in a list: another row or item than the one chosen.
        const int Other = C->ItemIndex == 0 ? 1 : 0;
        const bool HasOther = Other < int(C->Items.size());
        std::function<bool()> Choose;
        if (dynamic_cast<TRadioGroup*>(C) || dynamic_cast<TListBox*>(C)) {
            if (HasOther) Choose = [&] { return UserClickItem(V, C, Other); };
        } else if (dynamic_cast<TComboBox*>(C)) {
            if (HasOther) Choose = [&] { return UserKey(V, C, Other > C->ItemIndex ? "Down" : "Up"); };
        } else if (auto* P = dynamic_cast<TPageControl*>(C)) {
            if (P->TabsVisible && P->Children.size() > 1)
                Choose = [&, P] { return UserClickTab(V, C, P->ActivePageIndex == 0 ? 1 : 0); };
        } else if (auto* T = dynamic_cast<TTreeView*>(C)) {
            if (T->Nodes.size() > 1) Choose = [&, T] { return ClickTreeNode(V, C, T->Selected == 0 ? 1 : 0); };
        } else if (dynamic_cast<TTrackBar*>(C)) {
            Choose = [&] { return UserKey(V, C, "Right") || UserKey(V, C, "Left"); };
        } else if (dynamic_cast<TEdit*>(C) || dynamic_cast<TMemo*>(C)) {
            if (!C->ReadOnly) Choose = Key;
        } else if (!dynamic_cast<TStringGrid*>(C)) {
            Choose = Click;
        }
        if (Choose) {
            const int Index = C->ItemIndex;
            const bool On = C->Checked;
            Expect(Fm, C, C->OnClick, "click", Choose);
            Expect(Fm, C, C->OnChange, "change", Choose);
            C->ItemIndex = Index;
            C->Checked = On;
        }
        if (auto* G = dynamic_cast<TStringGrid*>(C); G && G->Editing) WalkGrid(Fm, V, *G);
    }

    // The first cell the user may edit takes a typed value and the grid's handler hears it.
    void WalkGrid(TForm& Fm, TQtFormView* V, TStringGrid& G) {
        const int Col = G.FixedCols, Row = G.FixedRows;
        if (Col >= G.ColCount() || Row >= G.RowCount()) return;
        const std::string Was = G.Cells[Col][Row];
        std::string Heard;
        auto Kept = std::move(G.OnSetEditText);
        auto KeptSelect = std::move(G.OnSelectCell);
        auto KeptClick = std::move(G.OnClick);
        G.OnSetEditText = [&Heard](int32_t, int32_t, const std::string& V) { Heard = V; };
        const bool Typed = TypeIntoCell(V, &G, Col, Row, "7.5");
        G.OnSetEditText = std::move(Kept);
        G.OnSelectCell = std::move(KeptSelect);
        G.OnClick = std::move(KeptClick);
        ++Checked;
        if (!Typed || G.Cells[Col][Row] != "7.5" || Heard != "7.5")
            Faults.push_back(Fm.Name + "." + G.Name + ": the cell took \"" + G.Cells[Col][Row] + "\"");
        G.Cells[Col][Row] = Was;
        AfterEvent();
    }

    // The form on every page of each of its page controls.
    void WalkForm(TForm& Fm, TQtFormView* V) {
        WalkShown(Fm, V);
        for (TControl* C : Fm.Components()) {
            auto* P = dynamic_cast<TPageControl*>(C);
            if (!P || !P->TabsVisible || !WidgetShown(V, P)) continue;
            const int Was = P->ActivePageIndex;
            for (int i = 0; i < int(P->Children.size()); ++i) {
                if (!P->Children[size_t(i)]->Visible || !UserClickTab(V, P, i)) continue;
                WalkShown(Fm, V);
            }
            UserClickTab(V, P, Was);
        }
    }

    std::vector<std::string> Faults;
    std::set<TControl*> Walked;
    int Checked = 0;
};

TEST_F(FormWalkerTest, EveryHandledControlHearsItsUserInput) {
    for (TForm* Fm : LiveForms()) {
        if (Fm == F) {
            WalkForm(*Fm, View);
            continue;
        }
        TQtFormView* V = OpenForm(*Program, *Fm);
        if (!V) continue;
        WalkForm(*Fm, V);
        CloseForm(*Program, *Fm);
    }
    std::string All;
    for (const std::string& S : Faults) All += "\n  " + S;
    EXPECT_TRUE(Faults.empty()) << Faults.size() << " of " << Checked << ":" << All;
    EXPECT_GT(Checked, 100);
}

}  // namespace
