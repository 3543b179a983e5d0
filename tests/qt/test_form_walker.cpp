// Every form of the started program walked through its real window, page by page: each
// shown, enabled control that has a handler in the model hears it from the Qt input a
// user gives it (a click, a double click, a key, typed text), and each grid the model
// lets the user edit takes typed text into its cells. The handlers are stood in for by
// counters while the input is given, so nothing the program would do runs.
// Every form opened modally closes again as a user closes it: with Escape or one of its
// buttons, whatever the handlers ask on the way.
#include <gtest/gtest.h>

#include <algorithm>
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

    // The buttons a user may close the form with, the likeliest first: the one Escape
    // presses, those that end the modal loop, then the rest.
    static std::vector<TControl*> ClosingButtons(TForm& Fm, TQtFormView* V) {
        std::vector<std::pair<int, TControl*>> Ranked;
        for (TControl* C : Fm.Components()) {
            if (!C->Showing() || !C->Enabled || !WidgetShown(V, C)) continue;
            if (!WidgetIs(V, C, "QPushButton") && !WidgetIs(V, C, "QToolButton")) continue;
            auto* B = dynamic_cast<TButton*>(C);
            const int Rank = B && B->Cancel ? 0 : C->ModalResult == mrCancel ? 1 : C->ModalResult != mrNone ? 2 : 3;
            Ranked.emplace_back(Rank, C);
        }
        std::stable_sort(Ranked.begin(), Ranked.end(), [](auto& A, auto& B) { return A.first < B.first; });
        std::vector<TControl*> Out;
        for (auto& [Rank, C] : Ranked) Out.push_back(C);
        return Out;
    }

    // One step of closing the form shown modally (from the event loop): a message box on
    // the way is answered, a file dialog cancelled, a window opened from the form gets
    // Escape and then is ended; the form itself gets Escape, then each of its buttons,
    // each tried twice, its questions once answered with the button Escape presses and
    // once with the default one. After TimeoutMs the windows are ended and the form is
    // named a fault.
    struct TClosing {
        TForm* Form = nullptr;
        TQtFormView* View = nullptr;
        std::vector<TControl*> Buttons;
        std::vector<std::string> Tried;
        size_t Attempt = 0;  // 0, 1: Escape; then two per button
        int Ticks = 0, Stuck = 0;
        bool Ended = false, Forced = false;
    };
    static constexpr int TickMs = 50, TicksPerAttempt = 8, TimeoutMs = 20000;
    void CloseStep(std::shared_ptr<TClosing> S) {
        After(TickMs, [this, S, A = Alive] {
            if (!*A || S->Ended) return;
            if (++S->Ticks * TickMs > TimeoutMs) {
                S->Forced = true;
                EndModalWindows();
                return;
            }
            // The next step first: what this one gives may open a modal window, which
            // returns only once it is answered.
            CloseStep(S);
            const bool WithEscape = S->Attempt % 2 == 0;
            if (!AnswerMessageBox(WithEscape).empty() || CancelFileDialog() || ForeignModalShowing()) return;
            TForm* M = ActiveModalForm();
            if (M && M != S->Form) {
                // A window the form opened: Escape, and ended when that does not close it.
                if (++S->Stuck % TicksPerAttempt == 1) WindowKey(FormViewOf(*Program, *M), "Escape");
                else if (S->Stuck % TicksPerAttempt == 0) M->ModalResult = mrCancel, AfterEvent();
                return;
            }
            if (M == S->Form && S->Ticks % TicksPerAttempt == 1) {
                const size_t Which = S->Attempt++ / 2;
                // The buttons as the form shows them once Escape did not close it.
                if (Which == 1 && S->Tried.size() == 2) S->Buttons = ClosingButtons(*S->Form, S->View);
                if (Which == 0) {
                    WindowKey(S->View, "Escape");
                    S->Tried.push_back("Escape");
                } else if (Which <= S->Buttons.size()) {
                    TControl* B = S->Buttons[Which - 1];
                    ClickWidget(S->View, B);
                    S->Tried.push_back(B->Name);
                } else {
                    S->Attempt--;  // nothing left to try: the timeout names the form
                }
            }
        });
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

namespace {

TEST_F(FormWalkerTest, EveryModalDialogClosesWithEscapeOrAButton) {
    int Closed = 0;
    for (TForm* Fm : LiveForms()) {
        if (Fm == F) continue;
        auto S = std::make_shared<TClosing>();
        S->Form = Fm;
        S->View = FormViewOf(*Program, *Fm);
        CloseStep(S);
        Fm->ShowModal();
        S->Ended = true;
        Pump(50);
        std::string Tried;
        for (const std::string& T : S->Tried) Tried += " " + T;
        if (S->Forced)
            Faults.push_back(Fm->Name + ": still open after" + Tried);
        else if (ViewVisible(S->View))
            Faults.push_back(Fm->Name + ": its window stays shown");
        else
            ++Closed;
        MainVars.FileSaved = true;
    }
    std::string All;
    for (const std::string& S : Faults) All += "\n  " + S;
    EXPECT_TRUE(Faults.empty()) << All;
    EXPECT_GT(Closed, 20);
}

}  // namespace
