#include "platform/qt/QtFormView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <tuple>
#include <QPointer>

#include "platform/qt/QtCanvas.h"

namespace {
QString Q(const std::string& S) { return QString::fromStdString(S); }

std::vector<TQtFormView*>& Views() {
    static std::vector<TQtFormView*> v;
    return v;
}

struct TModalLoop {
    TQtFormView* View;
    QEventLoop* Loop;
};
std::vector<TModalLoop>& ModalLoops() {
    static std::vector<TModalLoop> v;
    return v;
}

char32_t FirstCodePoint(const QString& S) {
    if (S.isEmpty()) return 0;
    auto u = S.toUcs4();
    return u.isEmpty() ? 0 : char32_t(u[0]);
}

// Hosts the child controls of one container control and lays them out.
class TQtContainer : public QWidget {
public:
    TQtContainer(TQtFormView* V, TControl* C, QWidget* Parent) : QWidget(Parent), View(V), Ctl(C) {}
    TQtFormView* View;
    TControl* Ctl;
    int FlowTop = 4;  // where controls without a position start

protected:
    void resizeEvent(QResizeEvent*) override { View->LayoutContainer(this, Ctl); }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (Ctl->Color != clDefault) p.fillRect(rect(), ToQColor(Ctl->Color));
        if (dynamic_cast<TPanel*>(Ctl) && !Ctl->Caption.empty()) {
            if (Ctl->Font.Color != clDefault) p.setPen(ToQColor(Ctl->Font.Color));
            p.drawText(rect(), Qt::AlignCenter, Q(Ctl->Caption));
        }
    }
};

// A group box whose children are placed from its own top-left corner, frame and title
// included (as the form's coordinates say): the host covers the whole box.
class TQtGroupBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;
    TQtContainer* Host = nullptr;
    // Room for the title and for every child, positioned or flowed.
    QSize sizeHint() const override {
        if (!Host) return QGroupBox::sizeHint();
        QSize S = Host->View->ContentsHint(Host->Ctl, FlowTop());
        S.setWidth(std::max(S.width(), fontMetrics().horizontalAdvance(title()) + 20));
        return S;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
    int FlowTop() const { return fontMetrics().height() + 4; }

protected:
    void resizeEvent(QResizeEvent* E) override {
        QGroupBox::resizeEvent(E);
        if (Host) Host->setGeometry(rect());
    }
};

// The drawing area: shows the back buffer that the logic paints into.
class TQtDrawArea : public QWidget {
public:
    TQtDrawArea(TPaintBox* B, QWidget* Parent) : QWidget(Parent), Box(B) {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        Canvas.OnChanged = [this] {
            if (!InPaint) update();
        };
        Box->Canvas = &Canvas;
    }
    ~TQtDrawArea() override {
        if (Box->Canvas == &Canvas) Box->Canvas = nullptr;
    }
    TPaintBox* Box;
    TQtCanvas Canvas;
    bool NeedsModelPaint = true;
    bool InPaint = false;

protected:
    void resizeEvent(QResizeEvent*) override {
        Canvas.Resize(width(), height());
        Box->Width = width();
        Box->Height = height();
        NeedsModelPaint = true;
        Fire(Box->OnResize);
    }
    void paintEvent(QPaintEvent*) override {
        InPaint = true;
        if (NeedsModelPaint) {
            NeedsModelPaint = false;
            Fire(Box->OnPaint);
        }
        InPaint = false;
        QPainter p(this);
        p.drawImage(0, 0, Canvas.Image());
    }
    static TMouseButton Btn(Qt::MouseButton B) {
        return B == Qt::RightButton ? TMouseButton::mbRight
               : B == Qt::MiddleButton ? TMouseButton::mbMiddle
                                       : TMouseButton::mbLeft;
    }
    void mousePressEvent(QMouseEvent* E) override {
        setFocus();
        auto pt = E->position().toPoint();
        if (Box->OnMouseDown) Box->OnMouseDown(Btn(E->button()), QtShift(E->modifiers(), E->buttons()), pt.x(), pt.y());
        QtAfterEvent();
    }
    void mouseReleaseEvent(QMouseEvent* E) override {
        auto pt = E->position().toPoint();
        if (Box->OnMouseUp) Box->OnMouseUp(Btn(E->button()), QtShift(E->modifiers(), E->buttons()), pt.x(), pt.y());
        Box->Click();
        QtAfterEvent();
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        Fire(Box->OnDblClick);
        QtAfterEvent();
    }
    void mouseMoveEvent(QMouseEvent* E) override {
        auto pt = E->position().toPoint();
        if (Box->OnMouseMove) Box->OnMouseMove(QtShift(E->modifiers(), E->buttons()), pt.x(), pt.y());
        QtAfterEvent();
    }
    void wheelEvent(QWheelEvent* E) override {
        bool handled = false;
        auto pt = E->position().toPoint();
        if (Box->OnMouseWheel)
            Box->OnMouseWheel(QtShift(E->modifiers(), E->buttons()), E->angleDelta().y(), TPoint{pt.x(), pt.y()}, handled);
        QtAfterEvent();
    }
    void enterEvent(QEnterEvent*) override {
        if (Box->OnMouseEnter) Box->OnMouseEnter();
        QtAfterEvent();
    }
    void leaveEvent(QEvent*) override {
        if (Box->OnMouseLeave) Box->OnMouseLeave();
        QtAfterEvent();
    }
};

// The editor of a grid's cell (it sits in the grid's viewport): Enter and Escape end
// the edit there.
bool InCellEditor(const QWidget* W) {
    const QWidget* Port = W->parentWidget();
    return Port && qobject_cast<const QAbstractItemView*>(Port->parentWidget());
}

// Controls that only show something: a click on them is theirs alone (it goes no
// further to the control below).
bool Passive(const TControl* C) {
    return dynamic_cast<const TPanel*>(C) || dynamic_cast<const TLabel*>(C) || dynamic_cast<const TImage*>(C) ||
           dynamic_cast<const TGroupBox*>(C) || dynamic_cast<const TTabSheet*>(C);
}

TQtFormView* ViewOfWidget(const QWidget* W) {
    if (!W) return nullptr;
    for (auto* v : Views())
        if (W->window() == v) return v;
    return nullptr;
}

TMouseButton BtnOf(Qt::MouseButton B) {
    return B == Qt::RightButton ? TMouseButton::mbRight
           : B == Qt::MiddleButton ? TMouseButton::mbMiddle
                                   : TMouseButton::mbLeft;
}

// User input to the controls of the form windows, as the model's handlers expect it:
// keys reach the form's handlers first when it previews keys (or when the key goes to
// the window itself or its drawing area), then the focused control's own; mouse
// presses, releases, moves, double clicks and the pointer entering or leaving reach the
// control under the pointer, whatever kind of widget stands for it.
class TControlFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* Obj, QEvent* E) override {
        switch (E->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease: return Key(Obj, static_cast<QKeyEvent*>(E));
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Enter:
            case QEvent::Leave: return Pointer(Obj, E);
            default: return false;
        }
    }

private:
    static bool Key(QObject* Obj, QKeyEvent* ke) {
        auto* w = qobject_cast<QWidget*>(Obj);
        TQtFormView* view = ViewOfWidget(w);
        if (!view || (w != QApplication::focusWidget() && w != view)) return false;
        TForm& f = view->Form;
        bool toForm = f.KeyPreview || w == view || dynamic_cast<TQtDrawArea*>(w);
        TControl* ctl = w == view || dynamic_cast<TQtDrawArea*>(w) ? nullptr : view->ControlOf(w);
        if (ctl && !ctl->Enabled) ctl = nullptr;
        uint16_t vk = QtKeyToVk(ke->key());
        uint8_t shift = QtShift(ke->modifiers());
        bool consumed = false, ran = false;
        if (ke->type() == QEvent::KeyRelease) {
            if (!vk) return false;
            if (toForm && f.OnKeyUp) {
                f.OnKeyUp(vk, shift);
                ran = true;
            }
            if (vk && ctl && ctl->OnKeyUp) {
                ctl->OnKeyUp(vk, shift);
                ran = true;
            }
            if (ran) QtAfterEvent();
            return ran && vk == 0;
        }
        if (toForm && f.OnKeyDown && vk) {
            f.OnKeyDown(vk, shift);
            ran = true;
            if (vk == 0) consumed = true;
        }
        if (!consumed && vk && ctl && ctl->OnKeyDown) {
            ctl->OnKeyDown(vk, shift);
            ran = true;
            if (vk == 0) consumed = true;
        }
        // Ctrl with a key is a shortcut, never typed text (AltGr arrives as Ctrl+Alt).
        const Qt::KeyboardModifiers mods = ke->modifiers();
        char32_t ch = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) ? 0 : FirstCodePoint(ke->text());
        if (!consumed && ch && toForm && f.OnKeyPress) {
            f.OnKeyPress(ch);
            ran = true;
            if (ch == 0 || !f.KeyPreview || w == view || dynamic_cast<TQtDrawArea*>(w)) consumed = true;
        }
        if (!consumed && ch && ctl && ctl->OnKeyPress) {
            ctl->OnKeyPress(ch);
            ran = true;
            if (ch == 0) consumed = true;
        }
        // Enter and Escape press the default and cancel buttons.
        if (!consumed && (vk == VK_RETURN || vk == VK_ESCAPE) && !qobject_cast<QPlainTextEdit*>(w) &&
            !qobject_cast<QTextEdit*>(w) && !InCellEditor(w)) {
            for (TControl* c : f.Components())
                if (auto* b = dynamic_cast<TButton*>(c);
                    b && b->Showing() && b->Enabled && (vk == VK_RETURN ? b->Default : b->Cancel)) {
                    b->Click();
                    consumed = true;
                    break;
                }
        }
        if (ran || consumed) QtAfterEvent();
        return consumed;
    }

    static bool Pointer(QObject* Obj, QEvent* E) {
        auto* w = qobject_cast<QWidget*>(Obj);
        if (!w || qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) return false;
        TQtFormView* view = ViewOfWidget(w);
        if (!view || w == view) return false;
        TControl* C = view->ControlOf(w);
        // The drawing area has its own mouse handling.
        if (!C || dynamic_cast<TPaintBox*>(C) || !C->Enabled) return false;
        const QEvent::Type T = E->type();
        if (T == QEvent::Enter || T == QEvent::Leave) {
            // The pointer enters the parts of a control together with it: once is enough.
            if (!view->IsOwnWidget(w)) return false;
            const auto& H = T == QEvent::Enter ? C->OnMouseEnter : C->OnMouseLeave;
            if (!H) return false;
            H();
            QtAfterEvent();
            return false;
        }
        const bool Still = Passive(C);
        if (T == QEvent::MouseButtonDblClick) {
            if (!C->OnDblClick) return false;
            C->OnDblClick();
            QtAfterEvent();
            return Still;
        }
        auto* M = static_cast<QMouseEvent*>(E);
        const QPoint P = M->position().toPoint();
        const uint8_t Shift = QtShift(M->modifiers(), M->buttons());
        const TMouseButton B = BtnOf(M->button());
        if (T == QEvent::MouseButtonPress) {
            if (!C->OnMouseDown) return false;
            if (qobject_cast<QAbstractButton*>(w)) {
                // A button holds the pointer until it is released: what the handler runs
                // (often a modal window) comes once Qt has finished with the press.
                QTimer::singleShot(0, w, [C, B, Shift, P] {
                    if (!C->OnMouseDown || !C->Enabled) return;
                    C->OnMouseDown(B, Shift, P.x(), P.y());
                    QtAfterEvent();
                });
                return false;
            }
            C->OnMouseDown(B, Shift, P.x(), P.y());
        } else if (T == QEvent::MouseButtonRelease) {
            if (!C->OnMouseUp && !(Still && C->OnClick)) return false;
            if (C->OnMouseUp) C->OnMouseUp(B, Shift, P.x(), P.y());
            // A click on a panel, a label or a picture is theirs.
            if (Still && M->button() == Qt::LeftButton && w->rect().contains(P)) Fire(C->OnClick);
        } else {
            // A list box reports the row under the pointer with its moves (its own filter).
            if (!C->OnMouseMove || dynamic_cast<TListBox*>(C)) return false;
            C->OnMouseMove(Shift, P.x(), P.y());
        }
        QtAfterEvent();
        return Still;
    }
};
// Goes with the application that owns it: a later application gets a filter of its own.
QPointer<TControlFilter> KeyFilter;

// Pointer moves over a list box: the row under the pointer goes into the model, then
// the model's OnMouseMove runs (leaving the list counts as no row).
class TListHoverFilter : public QObject {
public:
    TListHoverFilter(TListBox* Box, QListWidget* List) : QObject(List), Box(Box), List(List) {}
    bool eventFilter(QObject*, QEvent* E) override {
        if (E->type() != QEvent::MouseMove && E->type() != QEvent::Leave) return false;
        QPoint pt;
        if (E->type() == QEvent::MouseMove) pt = static_cast<QMouseEvent*>(E)->position().toPoint();
        const QModelIndex I = E->type() == QEvent::MouseMove ? List->indexAt(pt) : QModelIndex();
        Box->HotIndex = I.isValid() ? I.row() : -1;
        if (Box->OnMouseMove) Box->OnMouseMove(0, pt.x(), pt.y());
        QtAfterEvent();
        return false;
    }

private:
    TListBox* Box;
    QListWidget* List;
};
}  // namespace

uint16_t QtKeyToVk(int Key) {
    if ((Key >= Qt::Key_A && Key <= Qt::Key_Z) || (Key >= Qt::Key_0 && Key <= Qt::Key_9)) return uint16_t(Key);
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) return uint16_t(VK_F1 + (Key - Qt::Key_F1));
    switch (Key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab: return VK_TAB;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_Delete: return VK_DELETE;
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_End: return VK_END;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        default: return 0;
    }
}

uint8_t QtShift(Qt::KeyboardModifiers M, Qt::MouseButtons B) {
    uint8_t s = 0;
    if (M & Qt::ShiftModifier) s |= ssShift;
    if (M & Qt::AltModifier) s |= ssAlt;
    if (M & Qt::ControlModifier) s |= ssCtrl;
    if (B & Qt::LeftButton) s |= ssLeft;
    if (B & Qt::RightButton) s |= ssRight;
    if (B & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

void QtAfterEvent() {
    for (auto* v : Views())
        if (v->isVisible() || v->Form.Visible) v->SyncToWidgets();
    for (auto& m : ModalLoops()) {
        TForm& f = m.View->Form;
        if (f.ModalResult != mrNone) {
            if (f.DoCloseQuery())
                m.Loop->quit();
            else
                f.ModalResult = mrNone;
        }
    }
}

void QtQuitModalLoops() {
    for (auto It = ModalLoops().rbegin(); It != ModalLoops().rend(); ++It) {
        if (It->View->Form.ModalResult == mrNone) It->View->Form.ModalResult = mrCancel;
        It->Loop->quit();
    }
}

TQtFormView::TQtFormView(TForm& F) : QWidget(nullptr, Qt::Window), Form(F) {
    if (!KeyFilter) {
        KeyFilter = new TControlFilter(qApp);
        qApp->installEventFilter(KeyFilter);
        // The keyboard moving from one control to another: the one left hears OnExit, the
        // one reached OnEnter (moves inside one control, such as into a grid's cell
        // editor, are none).
        QObject::connect(qApp, &QApplication::focusChanged, KeyFilter, [](QWidget* Old, QWidget* Now) {
            TQtFormView* OldView = ViewOfWidget(Old);
            TQtFormView* NowView = ViewOfWidget(Now);
            TControl* From = OldView ? OldView->ControlOf(Old) : nullptr;
            TControl* To = NowView ? NowView->ControlOf(Now) : nullptr;
            if (From == To) return;
            bool ran = false;
            if (From && From->OnExit) {
                From->OnExit();
                ran = true;
            }
            if (To && To->OnEnter) {
                To->OnEnter();
                ran = true;
            }
            if (ran) QtAfterEvent();
        });
    }
    Views().push_back(this);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    if (Form.Menu) {
        MenuBar = new QMenuBar(this);
        lay->setMenuBar(MenuBar);
        BuildMenu();
    }
    Client = new TQtContainer(this, &Form, this);
    lay->addWidget(Client);
    BuildChildren(&Form, Client);
    switch (Form.BorderStyle) {
        case TBorderStyle::bsNone: setWindowFlag(Qt::FramelessWindowHint, true); break;
        case TBorderStyle::bsToolWindow: setWindowFlag(Qt::Tool, true); break;
        default: break;
    }
    if (Form.FormStyle == TFormStyle::fsStayOnTop) setWindowFlag(Qt::WindowStaysOnTopHint, true);
    int w = Form.Width > 0 ? Form.Width : 480, h = Form.Height > 0 ? Form.Height : 360;
    resize(w, h + (MenuBar ? MenuBar->sizeHint().height() : 0));
    if (Form.Left || Form.Top) move(Form.Left, Form.Top);
    auto* timer = new QTimer(this);
    timer->setInterval(50);
    connect(timer, &QTimer::timeout, this, [this] {
        if (isVisible()) SyncToWidgets();
    });
    timer->start();
    SyncToWidgets();
}

TQtFormView::~TQtFormView() { std::erase(Views(), this); }

QWidget* TQtFormView::WidgetOf(const TControl* C) const {
    if (C == &Form) return const_cast<TQtFormView*>(this);
    auto it = Widgets.find(C);
    return it == Widgets.end() ? nullptr : it->second;
}

TControl* TQtFormView::ControlOf(const QWidget* W) const {
    for (; W && W != this; W = W->parentWidget()) {
        auto it = Controls.find(W);
        if (it != Controls.end()) return it->second;
    }
    return nullptr;
}

bool TQtFormView::IsOwnWidget(const QWidget* W) const { return Controls.count(W) != 0; }

void TQtFormView::BuildChildren(TControl* Container, QWidget* Host) {
    for (TControl* c : Container->Children) Build(c, Host);
}

void TQtFormView::PushCommon(TControl* C, QWidget* W) {
    if (auto* t = qobject_cast<QTableWidget*>(W)) {
        // A disabled grid only shows values: it stays readable, not greyed.
        t->setAttribute(Qt::WA_TransparentForMouseEvents, !C->Enabled);
        t->setFocusPolicy(C->Enabled ? Qt::StrongFocus : Qt::NoFocus);
    } else if (W->isEnabled() != C->Enabled) {
        W->setEnabled(C->Enabled);
    }
    if (W->isHidden() == C->Visible) W->setVisible(C->Visible);
    // A drawing area without a pointer of its own shows the form's: the program hides
    // the system pointer there when it draws its own cross-hair.
    if (dynamic_cast<TPaintBox*>(C)) {
        const TCursor K = C->Cursor != TCursor::crDefault ? C->Cursor : Form.Cursor;
        const Qt::CursorShape Shape = K == TCursor::crNone       ? Qt::BlankCursor
                                      : K == TCursor::crAppStart ? Qt::BusyCursor
                                                                 : Qt::ArrowCursor;
        if (K == TCursor::crDefault && W->testAttribute(Qt::WA_SetCursor))
            W->unsetCursor();
        else if (K != TCursor::crDefault && (!W->testAttribute(Qt::WA_SetCursor) || W->cursor().shape() != Shape))
            W->setCursor(Shape);
    }
    if (W->toolTip() != Q(C->Hint)) W->setToolTip(Q(C->Hint));
    QPalette pal = W->palette();
    bool changed = false;
    if (C->Font.Color != clDefault && pal.color(QPalette::WindowText) != ToQColor(C->Font.Color)) {
        pal.setColor(QPalette::WindowText, ToQColor(C->Font.Color));
        pal.setColor(QPalette::Text, ToQColor(C->Font.Color));
        pal.setColor(QPalette::ButtonText, ToQColor(C->Font.Color));
        W->setProperty("kestrilonInk", true);
        changed = true;
    } else if (C->Font.Color == clDefault && W->property("kestrilonInk").toBool()) {
        // Back to the default colour (a caption that was red is valid again).
        const QPalette Def = QApplication::palette(W);
        for (QPalette::ColorRole R : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            for (QPalette::ColorGroup G : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                pal.setColor(G, R, Def.color(G, R));
        W->setProperty("kestrilonInk", false);
        changed = true;
    }
    if (C->Color != clDefault && pal.color(QPalette::Base) != ToQColor(C->Color)) {
        pal.setColor(QPalette::Base, ToQColor(C->Color));
        pal.setColor(QPalette::Window, ToQColor(C->Color));
        changed = true;
    }
    if (changed) W->setPalette(pal);
    if (C->Font.Size > 0 || !C->Font.Name.empty() || C->Font.Bold) {
        QFont f = C->Font.Name.empty() ? W->font() : QFont(Q(C->Font.Name));
        if (C->Font.Name == "monospace") f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (C->Font.Size > 0) f.setPointSize(C->Font.Size);
        f.setBold(C->Font.Bold);
        if (W->font() != f) W->setFont(f);
    }
}

QWidget* TQtFormView::Build(TControl* C, QWidget* Host) {
    QWidget* w = nullptr;
    std::function<void()> push;

    if (auto* pb = dynamic_cast<TPaintBox*>(C)) {
        w = new TQtDrawArea(pb, Host);
    } else if (auto* re = dynamic_cast<TRichEdit*>(C)) {
        auto* e = new QTextEdit(Host);
        w = e;
        e->setReadOnly(true);
        e->setUndoRedoEnabled(false);
        e->setLineWrapMode(re->WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        auto shownLines = std::make_shared<std::vector<std::string>>();
        auto shownColors = std::make_shared<std::vector<uint32_t>>();
        push = [re, e, shownLines, shownColors] {
            if (*shownLines != re->Lines || *shownColors != re->LineColors) {
                e->clear();
                QTextCursor cur(e->document());
                for (size_t i = 0; i < re->Lines.size(); ++i) {
                    QTextCharFormat fmt;
                    uint32_t c = i < re->LineColors.size() ? re->LineColors[i] : re->Font.Color;
                    if (c != clDefault) fmt.setForeground(ToQColor(c));
                    if (i) cur.insertBlock();
                    cur.insertText(Q(re->Lines[i]), fmt);
                }
                *shownLines = re->Lines;
                *shownColors = re->LineColors;
                if (re->TopLine < 0) e->verticalScrollBar()->setValue(e->verticalScrollBar()->maximum());
            }
            if (re->TopLine < 0) e->verticalScrollBar()->setValue(e->verticalScrollBar()->maximum());
        };
    } else if (auto* m = dynamic_cast<TMemo*>(C)) {
        auto* e = new QPlainTextEdit(Host);
        w = e;
        e->setLineWrapMode(m->WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        QObject::connect(e, &QPlainTextEdit::textChanged, e, [this, m, e] {
            if (Pushing) return;
            m->Lines.clear();
            for (const QString& l : e->toPlainText().split('\n')) m->Lines.push_back(l.toStdString());
            Fire(m->OnChange);
            QtAfterEvent();
        });
        push = [m, e] {
            std::string all;
            for (size_t i = 0; i < m->Lines.size(); ++i) all += (i ? "\n" : "") + m->Lines[i];
            if (e->toPlainText() != Q(all)) e->setPlainText(Q(all));
            e->setReadOnly(m->ReadOnly);
        };
    } else if (dynamic_cast<TLabel*>(C)) {
        auto* l = new QLabel(Host);
        w = l;
        push = [C, l] {
            if (l->text() != Q(C->Caption)) l->setText(Q(C->Caption));
        };
    } else if (dynamic_cast<TEdit*>(C)) {
        auto* e = new QLineEdit(Host);
        w = e;
        QObject::connect(e, &QLineEdit::textEdited, e, [C](const QString& t) {
            C->TypeText(t.toStdString());
            QtAfterEvent();
        });
        push = [C, e] {
            if (e->text() != Q(C->Text)) e->setText(Q(C->Text));
            e->setReadOnly(C->ReadOnly);
        };
    } else if (auto* sb = dynamic_cast<TSpeedButton*>(C)) {
        auto* b = new QToolButton(Host);
        w = b;
        b->setCheckable(true);
        b->setAutoRaise(sb->Flat);
        QObject::connect(b, &QToolButton::clicked, b, [sb] {
            sb->Click();
            QtAfterEvent();
        });
        push = [sb, b] {
            if (b->text() != Q(sb->Caption)) b->setText(Q(sb->Caption));
            b->setCheckable(sb->GroupIndex != 0 || sb->AllowAllUp);
            if (b->isChecked() != sb->Down) b->setChecked(sb->Down);
        };
    } else if (dynamic_cast<TButton*>(C)) {
        auto* b = new QPushButton(Host);
        w = b;
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, b, [C] {
            C->Click();
            QtAfterEvent();
        });
        push = [C, b] {
            if (b->text() != Q(C->Caption)) b->setText(Q(C->Caption));
        };
    } else if (dynamic_cast<TCheckBox*>(C)) {
        auto* b = new QCheckBox(Host);
        w = b;
        QObject::connect(b, &QCheckBox::clicked, b, [C](bool checked) {
            C->Checked = checked;
            Fire(C->OnClick);
            QtAfterEvent();
        });
        push = [C, b] {
            if (b->text() != Q(C->Caption)) b->setText(Q(C->Caption));
            if (b->isChecked() != C->Checked) b->setChecked(C->Checked);
        };
    } else if (dynamic_cast<TRadioButton*>(C)) {
        auto* b = new QRadioButton(Host);
        w = b;
        b->setAutoExclusive(false);
        QObject::connect(b, &QRadioButton::clicked, b, [C] {
            C->Click();
            QtAfterEvent();
        });
        push = [C, b] {
            if (b->text() != Q(C->Caption)) b->setText(Q(C->Caption));
            if (b->isChecked() != C->Checked) b->setChecked(C->Checked);
        };
    } else if (dynamic_cast<TRadioGroup*>(C)) {
        auto* g = new QGroupBox(Host);
        w = g;
        auto* lay = new QVBoxLayout(g);
        auto shown = std::make_shared<std::vector<std::string>>();
        auto buttons = std::make_shared<std::vector<QRadioButton*>>();
        push = [C, g, lay, shown, buttons] {
            if (g->title() != Q(C->Caption)) g->setTitle(Q(C->Caption));
            if (*shown != C->Items) {
                for (auto* b : *buttons) delete b;
                buttons->clear();
                for (size_t i = 0; i < C->Items.size(); ++i) {
                    auto* b = new QRadioButton(Q(C->Items[i]), g);
                    b->setAutoExclusive(false);
                    QObject::connect(b, &QRadioButton::clicked, b, [C, i] {
                        C->ChooseItem(int32_t(i));
                        QtAfterEvent();
                    });
                    lay->addWidget(b);
                    buttons->push_back(b);
                }
                *shown = C->Items;
            }
            for (size_t i = 0; i < buttons->size(); ++i)
                if ((*buttons)[i]->isChecked() != (int32_t(i) == C->ItemIndex))
                    (*buttons)[i]->setChecked(int32_t(i) == C->ItemIndex);
        };
        w = g;
    } else if (auto* cb = dynamic_cast<TComboBox*>(C)) {
        auto* b = new QComboBox(Host);
        w = b;
        b->setEditable(!cb->DropDownList);
        auto shown = std::make_shared<std::vector<std::string>>();
        QObject::connect(b, &QComboBox::activated, b, [C](int i) {
            C->ChooseItem(i);
            QtAfterEvent();
        });
        if (b->lineEdit())
            QObject::connect(b->lineEdit(), &QLineEdit::textEdited, b, [C](const QString& t) {
                C->TypeText(t.toStdString());
                QtAfterEvent();
            });
        push = [this, C, b, shown] {
            Pushing = true;
            if (*shown != C->Items) {
                b->clear();
                for (auto& s : C->Items) b->addItem(Q(s));
                *shown = C->Items;
            }
            if (b->currentIndex() != C->ItemIndex) b->setCurrentIndex(C->ItemIndex);
            if (b->isEditable() && b->currentText() != Q(C->Text)) b->setEditText(Q(C->Text));
            Pushing = false;
        };
    } else if (dynamic_cast<TListBox*>(C)) {
        auto* l = new QListWidget(Host);
        w = l;
        auto shown = std::make_shared<std::vector<std::string>>();
        QObject::connect(l, &QListWidget::currentRowChanged, l, [this, C](int row) {
            if (Pushing) return;
            C->ChooseItem(row);
            QtAfterEvent();
        });
        auto* lb = static_cast<TListBox*>(C);
        l->setMouseTracking(true);
        l->viewport()->setMouseTracking(true);
        l->viewport()->installEventFilter(new TListHoverFilter(lb, l));
        if (lb->Hint.empty()) l->setToolTip(QString());
        auto colors = std::make_shared<std::vector<uint32_t>>();
        push = [this, C, l, lb, shown, colors] {
            Pushing = true;
            if (*shown != C->Items || *colors != lb->ItemColors) {
                l->clear();
                for (size_t i = 0; i < C->Items.size(); ++i) {
                    l->addItem(Q(C->Items[i]));
                    if (i < lb->ItemColors.size()) l->item(int(i))->setForeground(ToQColor(lb->ItemColors[i]));
                }
                *shown = C->Items;
                *colors = lb->ItemColors;
            }
            if (l->currentRow() != C->ItemIndex) l->setCurrentRow(C->ItemIndex);
            if (l->toolTip() != Q(C->Hint)) l->setToolTip(Q(C->Hint));
            Pushing = false;
        };
    } else if (auto* tb = dynamic_cast<TTrackBar*>(C)) {
        auto* s = new QSlider(Qt::Horizontal, Host);
        w = s;
        QObject::connect(s, &QSlider::valueChanged, s, [this, tb](int v) {
            if (Pushing) return;
            tb->MoveTo(v);
            QtAfterEvent();
        });
        push = [this, tb, s] {
            Pushing = true;
            s->setRange(tb->Min, tb->Max);
            if (s->value() != tb->Position) s->setValue(tb->Position);
            Pushing = false;
        };
    } else if (auto* pg = dynamic_cast<TProgressBar*>(C)) {
        auto* p = new QProgressBar(Host);
        w = p;
        push = [pg, p] {
            p->setRange(pg->Min, pg->Max);
            if (p->value() != pg->Position) p->setValue(pg->Position);
        };
    } else if (auto* gr = dynamic_cast<TStringGrid*>(C)) {
        auto* t = new QTableWidget(Host);
        w = t;
        t->horizontalHeader()->hide();
        // A column a form makes a few pixels wide (a separator) stays that narrow.
        t->horizontalHeader()->setMinimumSectionSize(1);
        t->verticalHeader()->hide();
        // A cell the grid lets the user edit opens for typing as a spreadsheet's does.
        t->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
        // Moving through the cells with the keys selects as a click does.
        QObject::connect(t, &QTableWidget::currentCellChanged, t, [this, gr](int row, int col) {
            if (Pushing || row < 0 || col < 0 || QApplication::mouseButtons() != Qt::NoButton) return;
            gr->SelectCell(col, row);
            QtAfterEvent();
        });
        QObject::connect(t, &QTableWidget::cellChanged, t, [this, gr, t](int row, int col) {
            if (Pushing) return;
            gr->EditCell(col, row, t->item(row, col)->text().toStdString());
            QtAfterEvent();
        });
        QObject::connect(t, &QTableWidget::cellClicked, t, [this, gr](int row, int col) {
            if (Pushing) return;
            gr->SelectCell(col, row);
            QtAfterEvent();
        });
        push = [this, gr, t] {
            Pushing = true;
            if (gr->DefaultRowHeight > 0 && t->verticalHeader()->defaultSectionSize() != gr->DefaultRowHeight) {
                t->verticalHeader()->setMinimumSectionSize(1);
                t->verticalHeader()->setDefaultSectionSize(gr->DefaultRowHeight);
            }
            if (t->columnCount() != gr->ColCount()) t->setColumnCount(gr->ColCount());
            if (t->rowCount() != gr->RowCount()) t->setRowCount(gr->RowCount());
            for (int c = 0; c < gr->ColCount(); ++c) {
                if (c < int(gr->ColWidths.size()) && t->columnWidth(c) != gr->ColWidths[c])
                    t->setColumnWidth(c, gr->ColWidths[c]);
                for (int r = 0; r < gr->RowCount(); ++r) {
                    QTableWidgetItem* it = t->item(r, c);
                    QString v = Q(gr->Cells[c][r]);
                    if (!it) {
                        it = new QTableWidgetItem(v);
                        t->setItem(r, c, it);
                    } else if (it->text() != v) {
                        it->setText(v);
                    }
                    const uint32_t bg = c < int(gr->CellColors.size()) && r < int(gr->CellColors[c].size())
                                            ? gr->CellColors[c][r]
                                            : clDefault;
                    if (bg != clDefault && it->background().color() != ToQColor(bg))
                        it->setBackground(ToQColor(bg));
                    else if (bg == clDefault && it->background().style() != Qt::NoBrush)
                        it->setBackground(QBrush());
                    bool fixed = c < gr->FixedCols || r < gr->FixedRows;
                    Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                    if (gr->Editing && !fixed) fl |= Qt::ItemIsEditable;
                    if (it->flags() != fl) it->setFlags(fl);
                }
            }
            Pushing = false;
        };
        w = t;
    } else if (auto* tv = dynamic_cast<TTreeView*>(C)) {
        auto* t = new QTreeWidget(Host);
        w = t;
        t->setHeaderHidden(true);
        t->setColumnCount(1);
        t->setIndentation(tv->Indent);
        auto items = std::make_shared<std::vector<QTreeWidgetItem*>>();
        auto shape = std::make_shared<std::vector<std::tuple<std::string, int32_t, int32_t, int32_t>>>();
        auto indexOf = [items](QTreeWidgetItem* It) {
            const auto f = std::find(items->begin(), items->end(), It);
            return f == items->end() ? -1 : int32_t(f - items->begin());
        };
        // The model hears of the choice once Qt has finished with it: what it runs may
        // refill the tree or open a modal window.
        QObject::connect(t, &QTreeWidget::currentItemChanged, t, [this, tv, t, indexOf](QTreeWidgetItem* It) {
            if (Pushing || !It) return;
            const int32_t Index = indexOf(It);
            QTimer::singleShot(0, t, [tv, Index] {
                tv->SelectNode(Index);
                QtAfterEvent();
            });
        });
        auto expand = [this, tv, indexOf](QTreeWidgetItem* It, bool On) {
            if (Pushing) return;
            tv->SetExpanded(indexOf(It), On);
        };
        QObject::connect(t, &QTreeWidget::itemExpanded, t, [expand](QTreeWidgetItem* It) { expand(It, true); });
        QObject::connect(t, &QTreeWidget::itemCollapsed, t, [expand](QTreeWidgetItem* It) { expand(It, false); });
        push = [this, tv, t, items, shape] {
            Pushing = true;
            std::vector<std::tuple<std::string, int32_t, int32_t, int32_t>> now;
            now.reserve(tv->Nodes.size());
            for (const TTreeNode& n : tv->Nodes) now.emplace_back(n.Text, n.Parent, n.ImageIndex, n.SelectedIndex);
            if (now != *shape) {
                t->clear();
                items->clear();
                for (const TTreeNode& n : tv->Nodes) {
                    auto* it = n.Parent >= 0 && size_t(n.Parent) < items->size()
                                   ? new QTreeWidgetItem((*items)[size_t(n.Parent)])
                                   : new QTreeWidgetItem(t);
                    it->setText(0, Q(n.Text));
                    if (n.ImageIndex >= 0 && size_t(n.ImageIndex) < tv->Images.size()) {
                        QIcon icon(Q(tv->Images[size_t(n.ImageIndex)]));
                        if (n.SelectedIndex >= 0 && size_t(n.SelectedIndex) < tv->Images.size())
                            icon.addFile(Q(tv->Images[size_t(n.SelectedIndex)]), QSize(), QIcon::Selected);
                        it->setIcon(0, icon);
                    }
                    items->push_back(it);
                }
                *shape = std::move(now);
            }
            for (size_t i = 0; i < items->size() && i < tv->Nodes.size(); ++i)
                if ((*items)[i]->isExpanded() != tv->Nodes[i].Expanded) (*items)[i]->setExpanded(tv->Nodes[i].Expanded);
            QTreeWidgetItem* sel =
                tv->Selected >= 0 && size_t(tv->Selected) < items->size() ? (*items)[size_t(tv->Selected)] : nullptr;
            if (t->currentItem() != sel) {
                t->setCurrentItem(sel);
                if (!sel) t->clearSelection();
            }
            Pushing = false;
        };
    } else if (auto* im = dynamic_cast<TImage*>(C)) {
        auto* l = new QLabel(Host);
        w = l;
        auto shown = std::make_shared<std::string>();
        push = [im, l, shown] {
            if (*shown != im->PictureFile) {
                l->setPixmap(QPixmap(Q(im->PictureFile)));
                *shown = im->PictureFile;
            }
            l->setScaledContents(im->Stretch);
        };
    } else if (auto* pc = dynamic_cast<TPageControl*>(C)) {
        auto* t = new QTabWidget(Host);
        w = t;
        for (TControl* page : pc->Children) {
            auto* host = new TQtContainer(this, page, nullptr);
            t->addTab(host, Q(page->Caption));
            Widgets[page] = host;
            Controls[host] = page;
            BuildChildren(page, host);
        }
        QObject::connect(t, &QTabWidget::currentChanged, t, [this, pc](int i) {
            if (Pushing) return;
            pc->ChoosePage(i);
            QtAfterEvent();
        });
        push = [this, pc, t] {
            Pushing = true;
            t->tabBar()->setVisible(pc->TabsVisible);
            for (int i = 0; i < t->count() && i < int(pc->Children.size()); ++i) {
                if (t->tabText(i) != Q(pc->Children[i]->Caption)) t->setTabText(i, Q(pc->Children[i]->Caption));
                // An invalid colour gives the tab bar's own text colour back.
                const auto* sheet = dynamic_cast<const TTabSheet*>(pc->Children[i]);
                const QColor ink = sheet && sheet->TabColor != clDefault ? ToQColor(sheet->TabColor) : QColor();
                if (t->tabBar()->tabTextColor(i) != ink) t->tabBar()->setTabTextColor(i, ink);
            }
            if (t->currentIndex() != pc->ActivePageIndex) t->setCurrentIndex(pc->ActivePageIndex);
            Pushing = false;
        };
        w = t;
    } else if (dynamic_cast<TGroupBox*>(C)) {
        auto* g = new TQtGroupBox(Host);
        w = g;
        g->Host = new TQtContainer(this, C, g);
        g->Host->FlowTop = g->FlowTop();
        BuildChildren(C, g->Host);
        push = [C, g] {
            if (g->title() != Q(C->Caption)) g->setTitle(Q(C->Caption));
        };
        w = g;
    } else if (dynamic_cast<TScrollBox*>(C)) {
        auto* a = new QScrollArea(Host);
        w = a;
        a->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto* host = new TQtContainer(this, C, nullptr);
        BuildChildren(C, host);
        a->setWidget(host);
        a->setWidgetResizable(false);
        // The scrolled area holds every child; its width follows the visible part.
        push = [this, C, a, host] {
            const QSize S = ContentsHint(C, 4);
            const QSize Want(std::max(S.width(), a->viewport()->width()), S.height());
            if (host->size() != Want) host->resize(Want);
        };
    } else if (dynamic_cast<TMainMenu*>(C) || dynamic_cast<TMenuItem*>(C) || dynamic_cast<TPopupMenu*>(C)) {
        return nullptr;  // menus are built by BuildMenu
    } else {
        // Panels and any other container.
        auto* host = new TQtContainer(this, C, Host);
        BuildChildren(C, host);
        push = [host] { host->update(); };
        w = host;
    }
    if (!w) return nullptr;
    Widgets[C] = w;
    Controls[w] = C;
    if (C->OnMouseMove) w->setMouseTracking(true);
    // A positioned control has its place from the start, shown or not: a control shown
    // later appears where the form puts it.
    if (C->Align == TAlign::alNone && (C->Left || C->Top || C->Width > 0 || C->Height > 0)) {
        const QSize hint = w->sizeHint();
        w->setGeometry(C->Left, C->Top, C->Width > 0 ? C->Width : hint.width(), C->Height > 0 ? C->Height : hint.height());
    }
    TBinding b;
    b.C = C;
    b.W = w;
    b.Push = push;
    Bindings.push_back(std::move(b));
    return w;
}

namespace {
// The area a container control's children are placed in (a group box's and a scroll
// box's lie inside their frames); nullptr for other widgets.
TQtContainer* HostOf(QWidget* W) {
    if (auto* c = dynamic_cast<TQtContainer*>(W)) return c;
    if (auto* g = dynamic_cast<TQtGroupBox*>(W)) return g->Host;
    if (auto* a = qobject_cast<QScrollArea*>(W)) return dynamic_cast<TQtContainer*>(a->widget());
    return nullptr;
}

std::string MenuShapeOf(TControl* Item) {
    std::string s;
    for (TControl* c : Item->Children) s += c->Name + "|" + std::to_string(uintptr_t(c)) + "{" + MenuShapeOf(c) + "}";
    return s;
}
}  // namespace

void TQtFormView::BuildMenu() {
    MenuBar->clear();
    for (auto it = Widgets.begin(); it != Widgets.end();)
        it = qobject_cast<QMenu*>(it->second) ? Widgets.erase(it) : std::next(it);
    MenuShape = MenuShapeOf(Form.Menu);
    std::function<void(TControl*, QMenu*)> add = [&](TControl* item, QMenu* menu) {
        for (TControl* c : item->Children) {
            auto* mi = dynamic_cast<TMenuItem*>(c);
            if (!mi) continue;
            if (mi->IsSeparator()) {
                menu->addSeparator();
            } else if (!mi->Children.empty()) {
                QMenu* sub = menu->addMenu(Q(mi->Caption));
                Widgets[mi] = sub;
                add(mi, sub);
            } else {
                QAction* a = menu->addAction(Q(mi->Caption));
                a->setObjectName(Q(mi->Name));
                if (!mi->ShortCut.empty()) a->setShortcut(QKeySequence(Q(mi->ShortCut)));
                QObject::connect(a, &QAction::triggered, a, [mi] {
                    mi->Click();
                    QtAfterEvent();
                });
            }
        }
    };
    for (TControl* c : Form.Menu->Children) {
        auto* top = dynamic_cast<TMenuItem*>(c);
        if (!top) continue;
        if (top->Children.empty()) {
            QAction* a = MenuBar->addAction(Q(top->Caption));
            a->setObjectName(Q(top->Name));
            QObject::connect(a, &QAction::triggered, a, [top] {
                top->Click();
                QtAfterEvent();
            });
        } else {
            QMenu* m = MenuBar->addMenu(Q(top->Caption));
            Widgets[top] = m;
            add(top, m);
            // A menu closed with Escape leaves the bar in keyboard mode, holding the
            // keys the command line waits for: the bar lets go of them.
            QObject::connect(m, &QMenu::aboutToHide, MenuBar, [Bar = MenuBar, this] {
                QTimer::singleShot(0, Bar, [Bar, this] {
                    if (QApplication::activePopupWidget() || !Bar->hasFocus()) return;
                    QKeyEvent Esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                    QApplication::sendEvent(Bar, &Esc);
                    if (!isAncestorOf(QApplication::focusWidget())) setFocus();
                });
            });
        }
    }
}

void TQtFormView::SyncMenu() {
    if (!MenuBar || !Form.Menu) return;
    // Items added or removed by the logic: build the bar anew.
    if (MenuShapeOf(Form.Menu) != MenuShape) BuildMenu();
    MenuBar->setVisible(Form.Menu->Visible);
    for (QAction* a : MenuBar->findChildren<QAction*>()) {
        if (a->objectName().isEmpty()) continue;
        auto* mi = dynamic_cast<TMenuItem*>(Form.FindComponent(a->objectName().toStdString()));
        if (!mi) continue;
        if (a->text() != Q(mi->Caption)) a->setText(Q(mi->Caption));
        if (a->isEnabled() != mi->Enabled) a->setEnabled(mi->Enabled);
        if (a->isVisible() != mi->Visible) a->setVisible(mi->Visible);
        if (mi->Checked && !a->isCheckable()) a->setCheckable(true);
        if (a->isChecked() != mi->Checked) a->setChecked(mi->Checked);
    }
    for (auto& [ctl, w] : Widgets)
        if (auto* m = qobject_cast<QMenu*>(w)) {
            if (m->title() != Q(ctl->Caption)) m->setTitle(Q(ctl->Caption));
            m->menuAction()->setVisible(ctl->Visible);
            m->setEnabled(ctl->Enabled);
        }
}

void TQtFormView::SyncToWidgets() {
    bool was = Pushing;
    Pushing = true;
    if (windowTitle() != Q(Form.Caption)) setWindowTitle(Q(Form.Caption));
    for (auto& b : Bindings) {
        PushCommon(b.C, b.W);
        if (b.Push) b.Push();
    }
    SyncMenu();
    // Positions or sizes set by the logic.
    bool relayout = false;
    for (auto& b : Bindings) {
        QString want = QString("%1,%2,%3,%4,%5,%6")
                           .arg(b.C->Left).arg(b.C->Top).arg(b.C->Width).arg(b.C->Height)
                           .arg(int(b.C->Align)).arg(b.C->Visible);
        if (b.W->property("kestrilonGeom").toString() != want) {
            b.W->setProperty("kestrilonGeom", want);
            relayout = true;
        }
    }
    if (SizedOnce && Form.Width > 0 && Form.Height > 0 && Client->size() != QSize(Form.Width, Form.Height) &&
        property("kestrilonSize").toSize() != QSize(Form.Width, Form.Height)) {
        setProperty("kestrilonSize", QSize(Form.Width, Form.Height));
        resize(Form.Width, Form.Height + (MenuBar && MenuBar->isVisible() ? MenuBar->height() : 0));
    }
    if (relayout) {
        LayoutContainer(Client, &Form);
        for (auto& [ctl, w] : Widgets)
            if (TQtContainer* c = HostOf(w)) LayoutContainer(c, const_cast<TControl*>(ctl));
    }
    Pushing = was;
}

QSize TQtFormView::ContentsHint(TControl* Container, int FlowTop) const {
    int wd = 0, ht = 0, flowY = FlowTop;
    for (TControl* c : Container->Children) {
        QWidget* w = WidgetOf(c);
        if (!w || !c->Visible || dynamic_cast<TTabSheet*>(c)) continue;
        const QSize hint = w->sizeHint();
        const int cw = c->Width > 0 ? c->Width : hint.width(), ch = c->Height > 0 ? c->Height : hint.height();
        if (c->Align == TAlign::alNone && !(c->Left || c->Top || c->Width > 0 || c->Height > 0)) {
            wd = std::max(wd, cw + 8);
            flowY += ch + 4;
            ht = std::max(ht, flowY);
        } else {
            wd = std::max(wd, c->Left + cw + 4);
            ht = std::max(ht, c->Top + ch + 4);
        }
    }
    return {wd, ht};
}

void TQtFormView::LayoutContainer(QWidget* Host, TControl* Container) {
    QRect r = Host->rect();
    auto* own = dynamic_cast<TQtContainer*>(Host);
    int flowY = own ? own->FlowTop : 4;
    TControl* client = nullptr;
    for (TControl* c : Container->Children) {
        QWidget* w = WidgetOf(c);
        if (!w || dynamic_cast<TTabSheet*>(c)) continue;
        const bool Positioned = c->Align == TAlign::alNone && (c->Left || c->Top || c->Width > 0 || c->Height > 0);
        // A hidden control takes no room from the others, but one the form places itself
        // is laid where it belongs, so that it shows in place when it is shown.
        if (!c->Visible && !Positioned) continue;
        QSize hint = w->sizeHint();
        int wd = c->Width > 0 ? c->Width : hint.width();
        int ht = c->Height > 0 ? c->Height : hint.height();
        switch (c->Align) {
            case TAlign::alTop:
                w->setGeometry(r.left(), r.top(), r.width(), ht);
                r.setTop(r.top() + ht);
                break;
            case TAlign::alBottom:
                w->setGeometry(r.left(), r.bottom() + 1 - ht, r.width(), ht);
                r.setBottom(r.bottom() - ht);
                break;
            case TAlign::alLeft:
                w->setGeometry(r.left(), r.top(), wd, r.height());
                r.setLeft(r.left() + wd);
                break;
            case TAlign::alRight:
                w->setGeometry(r.right() + 1 - wd, r.top(), wd, r.height());
                r.setRight(r.right() - wd);
                break;
            case TAlign::alClient:
                client = c;
                break;
            case TAlign::alNone:
                if (c->Left || c->Top || c->Width > 0 || c->Height > 0) {
                    w->setGeometry(c->Left, c->Top, wd, ht);
                } else {
                    w->setGeometry(4, flowY, std::max(wd, Host->width() - 8), ht);
                    flowY += ht + 4;
                }
                break;
        }
    }
    if (client)
        if (QWidget* w = WidgetOf(client)) w->setGeometry(r);
}

void TQtFormView::resizeEvent(QResizeEvent* E) {
    QWidget::resizeEvent(E);
    if (!SizedOnce) return;
    QSize cs = Client->size();
    if (cs.width() != Form.Width || cs.height() != Form.Height) {
        setProperty("kestrilonSize", cs);
        Form.DoResize(cs.width(), cs.height());
        QtAfterEvent();
    }
}

void TQtFormView::showEvent(QShowEvent* E) {
    QWidget::showEvent(E);
    SizedOnce = true;
    LayoutContainer(Client, &Form);
}

void TQtFormView::closeEvent(QCloseEvent* E) {
    E->ignore();
    if (Form.Modal) {
        if (Form.ModalResult == mrNone) Form.ModalResult = mrCancel;
    } else {
        Form.Close();
    }
    QtAfterEvent();
}

int TQtFormView::RunModal() {
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    ModalLoops().push_back({this, &loop});
    QtAfterEvent();  // a result set by OnShow ends the loop at once
    if (Form.ModalResult == mrNone) loop.exec();
    std::erase_if(ModalLoops(), [&](const TModalLoop& m) { return m.Loop == &loop; });
    hide();
    setWindowModality(Qt::NonModal);
    return Form.ModalResult;
}
