#include "platform/qt/QtLayoutCheck.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <set>

#include "platform/qt/QtFormView.h"
#include "platform/qt/QtResponder.h"

namespace {
void Settle() {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 60) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

std::string Where(const TForm& F, const TControl* C) { return F.Name + "." + C->Name + ": "; }

// The room a caption needs beside what it is drawn on.
int TextWidth(const QWidget* W, const QString& S) {
    int Wd = 0;
    for (const QString& Line : S.split('\n')) Wd = std::max(Wd, W->fontMetrics().horizontalAdvance(Line));
    return Wd;
}
int TextHeight(const QWidget* W, const QString& S) { return W->fontMetrics().height() * int(S.count('\n') + 1); }

// Captions that do not fit their control.
void CaptionFaults(const TForm& F, const TControl* C, QWidget* W, std::vector<std::string>& Out) {
    const QSize Sz = W->size();
    auto Fault = [&](const char* What) { Out.push_back(Where(F, C) + What); };
    if (auto* L = qobject_cast<QLabel*>(W)) {
        if (L->text().isEmpty()) return;
        if (L->wordWrap()) {
            if (L->heightForWidth(Sz.width()) > Sz.height() + 1) Fault("caption clipped (too low)");
        } else {
            const QSize H = L->sizeHint();
            if (H.width() > Sz.width() + 1) Fault("caption clipped (too narrow)");
            if (H.height() > Sz.height() + 1) Fault("caption clipped (too low)");
        }
    } else if (qobject_cast<QCheckBox*>(W) || qobject_cast<QRadioButton*>(W)) {
        auto* B = static_cast<QAbstractButton*>(W);
        if (B->text().isEmpty()) return;
        if (B->sizeHint().width() > Sz.width() + 1) Fault("caption clipped (too narrow)");
        if (TextHeight(W, B->text()) > Sz.height()) Fault("caption clipped (too low)");
    } else if (qobject_cast<QPushButton*>(W) || qobject_cast<QToolButton*>(W)) {
        auto* B = static_cast<QAbstractButton*>(W);
        if (B->text().isEmpty() || !B->icon().isNull()) return;
        if (TextWidth(W, B->text()) + 4 > Sz.width()) Fault("caption clipped (too narrow)");
        if (TextHeight(W, B->text()) > Sz.height()) Fault("caption clipped (too low)");
    } else if (auto* G = qobject_cast<QGroupBox*>(W)) {
        if (!G->title().isEmpty() && TextWidth(W, G->title()) + 12 > Sz.width()) Fault("title clipped");
        // A group laying out its own items (a radio group) must hold them all.
        if (G->layout() && G->layout()->count() > 0) {
            const QSize M = G->minimumSizeHint();
            if (M.height() > Sz.height() + 1 || M.width() > Sz.width() + 1) Fault("items do not fit the group");
        }
    }
}

bool Alternatives(const TControl* A, const TControl* B, const std::set<const TControl*>& Revealed) {
    return (Revealed.count(A) || Revealed.count(B)) && A->Width > 0 && A->Height > 0 && A->Left == B->Left &&
           A->Top == B->Top && A->Width == B->Width && A->Height == B->Height;
}

// Revealed: the controls the walk showed. Two controls the form puts in the very same
// place, one of them shown later, are alternatives: a choice shows one and hides the
// other.
void FaultsOfShown(TQtFormView* V, const std::set<const TControl*>& Revealed, std::set<std::string>& Seen,
                   std::vector<std::string>& Out) {
    const TForm& F = V->Form;
    std::map<QWidget*, std::vector<std::pair<const TControl*, QWidget*>>> ByParent;
    for (TControl* C : F.Components()) {
        QWidget* W = V->WidgetOf(C);
        if (!W || dynamic_cast<TTabSheet*>(C) || !W->isVisibleTo(V) || !W->parentWidget()) continue;
        if (!W->parentWidget()->isVisibleTo(V) && W->parentWidget() != V) continue;
        std::vector<std::string> Found;
        const QRect Client = W->parentWidget()->rect();
        if (!Client.contains(W->geometry())) Found.push_back(Where(F, C) + "outside its parent's client area");
        // A titled group's children sit below its title.
        if (auto* G = qobject_cast<QGroupBox*>(W->parentWidget()->parentWidget());
            G && !G->title().isEmpty() && !G->layout() && W->y() < G->fontMetrics().height())
            Found.push_back(Where(F, C) + "overlaps its group's title");
        if (W->width() <= 0 || W->height() <= 0) Found.push_back(Where(F, C) + "has no size");
        CaptionFaults(F, C, W, Found);
        for (auto& S : Found)
            if (Seen.insert(S).second) Out.push_back(S);
        ByParent[W->parentWidget()].push_back({C, W});
    }
    for (auto& [P, Kids] : ByParent)
        for (size_t i = 0; i < Kids.size(); ++i)
            for (size_t j = i + 1; j < Kids.size(); ++j)
                if (!Kids[i].first->Stacked && !Kids[j].first->Stacked &&
                    !Alternatives(Kids[i].first, Kids[j].first, Revealed) &&
                    Kids[i].second->geometry().intersects(Kids[j].second->geometry())) {
                    std::string S = Where(F, Kids[i].first) + "overlaps " + Kids[j].first->Name;
                    if (Seen.insert(S).second) Out.push_back(S);
                }
}
}  // namespace

void QtPlaceDialog(TQtFormView* V, TQtFormView* MainView) {
    TForm& F = V->Form;
    if (F.Left || F.Top) {
        V->move(F.Left, F.Top);
        return;
    }
    QRect Around;
    if (MainView && MainView != V && MainView->isVisible())
        Around = MainView->frameGeometry();
    else if (QScreen* S = V->screen())
        Around = S->availableGeometry();
    if (!Around.isValid()) return;
    QRect R = V->frameGeometry();
    R.moveCenter(Around.center());
    if (QScreen* S = V->screen()) {
        const QRect A = S->availableGeometry();
        R.moveLeft(std::max(A.left(), std::min(R.left(), A.right() + 1 - R.width())));
        R.moveTop(std::max(A.top(), std::min(R.top(), A.bottom() + 1 - R.height())));
    }
    V->move(R.topLeft());
}

TQtFormView* QtOpenForInspection(TQtResponder& R, TForm& F) {
    TQtFormView* V = R.ViewOf(F);
    F.DoShow();
    if (!F.Visible || F.ModalResult != mrNone) return nullptr;
    V->SyncToWidgets();
    if (&F != R.MainForm) QtPlaceDialog(V, R.MainForm ? R.ViewOf(*R.MainForm) : nullptr);
    V->show();
    Settle();
    QtAfterEvent();
    Settle();
    return V;
}

void QtCloseInspected(TQtResponder& R, TForm& F) {
    F.ModalResult = mrNone;
    F.Hide();
    R.HideForm(F);
    Settle();
}

std::vector<std::string> QtLayoutFaults(TQtFormView* V, bool ShownLater) {
    std::vector<std::string> Out;
    std::set<std::string> Seen;
    QtWalkFormStates(V, [&](const std::string&, bool, const std::set<const TControl*>& Revealed) {
        FaultsOfShown(V, Revealed, Seen, Out);
    }, ShownLater);
    return Out;
}

namespace {
struct TPages {
    QTabWidget* W;
    int Was;
    bool Shown;  // its pages show in the form as it shows
};

// Brings the pages holding W to the front, the outermost first.
void FrontPagesHolding(QWidget* W, QWidget* Top) {
    std::vector<std::pair<QTabWidget*, QWidget*>> Chain;
    for (QWidget* A = W; A && A != Top; A = A->parentWidget()) {
        QWidget* Stack = A->parentWidget();
        auto* T = qobject_cast<QTabWidget*>(Stack ? Stack->parentWidget() : nullptr);
        if (T && T->indexOf(A) >= 0) Chain.push_back({T, A});
    }
    for (auto It = Chain.rbegin(); It != Chain.rend(); ++It)
        if (It->first->currentWidget() != It->second) It->first->setCurrentWidget(It->second);
}

// Shows every control the form hides now (pages and menus excepted) and adds it to
// Revealed; false when there was none.
bool ShowHidden(TQtFormView* V, std::set<const TControl*>& Revealed) {
    bool Any = false;
    for (TControl* C : V->Form.Components()) {
        if (C->Visible || C->NeverShown || !V->WidgetOf(C) || dynamic_cast<TTabSheet*>(C) || dynamic_cast<TMenuItem*>(C) ||
            dynamic_cast<TMainMenu*>(C) || dynamic_cast<TPopupMenu*>(C))
            continue;
        C->Visible = true;
        Revealed.insert(C);
        Any = true;
    }
    if (Any) {
        V->SyncToWidgets();
        Settle();
    }
    return Any;
}
}  // namespace

std::vector<std::string> QtWalkFormStates(TQtFormView* V, const TFormStateVisit& Visit, bool ShownLater) {
    // A message box would wait for a person: it is noted and answered.
    std::vector<std::string> Messages;
    std::string State;
    QTimer Answer;
    QObject::connect(&Answer, &QTimer::timeout, &Answer, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!Box) return;
        Messages.push_back(V->Form.Name + "." + State + ": " + Box->text().toStdString());
        if (QAbstractButton* B = Box->defaultButton() ? Box->defaultButton() : Box->escapeButton()) B->click();
        else Box->reject();
    });
    Answer.start(20);
    std::vector<TPages> Tabs;
    std::map<const QWidget*, std::string> PageName;
    std::map<const TControl*, bool> WasVisible;
    for (TControl* C : V->Form.Components()) {
        WasVisible[C] = C->Visible;
        QWidget* W = V->WidgetOf(C);
        if (auto* T = qobject_cast<QTabWidget*>(W)) Tabs.push_back({T, T->currentIndex(), T->isVisibleTo(V)});
        if (dynamic_cast<TTabSheet*>(C) && W) PageName[W] = C->Name;
    }
    std::set<const TControl*> Revealed;
    auto Restore = [&] {
        State.clear();
        for (const TPages& T : Tabs) T.W->setCurrentIndex(T.Was);
        Settle();
    };
    for (bool Later : {false, true}) {
        // A page's handlers may hide controls again: each state shows them anew.
        if (Later && (!ShownLater || !ShowHidden(V, Revealed))) break;
        Visit("", Later, Revealed);
        for (const TPages& T : Tabs) {
            for (int i = 0; i < T.W->count(); ++i) {
                if (T.Shown && i == T.Was) continue;
                FrontPagesHolding(T.W, V);
                if (!T.W->isVisibleTo(V)) break;
                State = PageName[T.W->widget(i)];
                T.W->setCurrentIndex(i);
                Settle();
                if (Later) ShowHidden(V, Revealed);
                Visit(PageName[T.W->widget(i)], Later, Revealed);
            }
            Restore();
        }
    }
    if (!Revealed.empty()) {
        for (const TControl* C : Revealed) const_cast<TControl*>(C)->Visible = WasVisible[C];
        V->SyncToWidgets();
        Settle();
    }
    return Messages;
}

bool QtSaveFormPicture(TQtFormView* V, const std::string& PngFile) {
    return V->grab().save(QString::fromStdString(PngFile), "PNG");
}

std::vector<std::string> QtSaveFormPictures(TQtFormView* V, const std::string& Stem, std::vector<std::string>& Failed,
                                            std::vector<std::string>& Messages) {
    std::vector<std::string> Written;
    Messages = QtWalkFormStates(V, [&](const std::string& Page, bool Later, const std::set<const TControl*>&) {
        const std::string File = Stem + (Page.empty() ? "" : "." + Page) + (Later ? ".later" : "") + ".png";
        (QtSaveFormPicture(V, File) ? Written : Failed).push_back(File);
    });
    return Written;
}
