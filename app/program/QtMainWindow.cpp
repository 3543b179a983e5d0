#include "app/program/QtMainWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <unordered_map>

#include "core/UniDraw.h"
#include "platform/qt/QtFormView.h"
#include "platform/qt/QtIcons.h"
#include "platform/qt/QtResponder.h"
#include "shell/Main.h"

namespace {

TMouseButton BtnOf(Qt::MouseButton B) {
    return B == Qt::RightButton ? TMouseButton::mbRight
           : B == Qt::MiddleButton ? TMouseButton::mbMiddle
                                   : TMouseButton::mbLeft;
}

// A layer row's rectangle, number label or circle: its row number (the tag), else 0.
int LayerRowOf(const TControl* C) {
    if (!C || C->Owner != MainForm || C->Tag < 1 || C->Tag > 32) return 0;
    const std::string& N = C->Name;
    return N.rfind("ShT", 0) == 0 || N.rfind("LbT", 0) == 0 || N.rfind("ShCiT", 0) == 0 ? C->Tag : 0;
}

class TPointerFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* Obj, QEvent* E) override {
        const QEvent::Type T = E->type();
        if (T != QEvent::MouseButtonPress && T != QEvent::MouseButtonRelease && T != QEvent::MouseMove &&
            T != QEvent::MouseButtonDblClick && T != QEvent::Enter && T != QEvent::Leave)
            return false;
        auto* W = qobject_cast<QWidget*>(Obj);
        if (!W || qobject_cast<QAbstractButton*>(W) || qobject_cast<QLineEdit*>(W) || qobject_cast<QMenu*>(W) ||
            qobject_cast<QMenuBar*>(W))
            return false;
        auto* View = dynamic_cast<TQtFormView*>(W->window());
        if (!View || W == View) return false;
        TControl* C = ControlOf(View, W);
        if (!C || dynamic_cast<TPaintBox*>(C)) return false;
        if (T == QEvent::Enter && C->OnMouseEnter) {
            C->OnMouseEnter();
            QtAfterEvent();
        }
        if (T == QEvent::Leave && C->OnMouseLeave) {
            C->OnMouseLeave();
            QtAfterEvent();
        }
        if (T == QEvent::MouseButtonDblClick) {
            if (!C->OnDblClick) return false;
            C->OnDblClick();
            QtAfterEvent();
            return true;
        }
        if (T == QEvent::Enter || T == QEvent::Leave) {
            const int Row = LayerRowOf(C);
            if (!Row || !MainForm) return false;
            if (T == QEvent::Enter) {
                MainForm->LayerRowMouseEnter(Row);
            } else {
                // Moving onto the row's own label or circle is no leave.
                QWidget* Rect = View->WidgetOf(MainForm->FindComponent("ShT" + std::to_string(Row)));
                if (Rect && Rect->rect().contains(Rect->mapFromGlobal(QCursor::pos()))) return false;
                MainForm->LayerRowMouseLeave();
            }
            QtAfterEvent();
            return false;
        }
        auto* M = static_cast<QMouseEvent*>(E);
        const QPoint P = M->position().toPoint();
        const uint8_t Shift = QtShift(M->modifiers(), M->buttons());
        if (T == QEvent::MouseButtonPress && C->OnMouseDown) {
            C->OnMouseDown(BtnOf(M->button()), Shift, P.x(), P.y());
        } else if (T == QEvent::MouseButtonRelease && C->OnMouseUp) {
            C->OnMouseUp(BtnOf(M->button()), Shift, P.x(), P.y());
        } else if (T == QEvent::MouseMove && C->OnMouseMove) {
            C->OnMouseMove(Shift, P.x(), P.y());
        } else {
            return false;
        }
        QtAfterEvent();
        return true;
    }

private:
    // Widget -> control of a form window, rebuilt when a widget is not found. The area
    // inside a group box's frame belongs to the group box.
    TControl* ControlOf(TQtFormView* View, QWidget* W) {
        auto& Map = Cache[View];
        auto It = Map.find(W);
        if (It != Map.end()) return It->second;
        Map.clear();
        for (TControl* C : View->Form.Components())
            if (QWidget* CW = View->WidgetOf(C)) Map[CW] = C;
        It = Map.find(W);
        if (It == Map.end() && qobject_cast<QGroupBox*>(W->parentWidget())) It = Map.find(W->parentWidget());
        TControl* Found = It != Map.end() ? It->second : nullptr;
        Map[W] = Found;
        return Found;
    }
    std::map<TQtFormView*, std::unordered_map<QWidget*, TControl*>> Cache;
};

TPointerFilter* PointerFilter = nullptr;

}  // namespace

void InstallQtPointerForwarding() {
    if (PointerFilter) return;
    PointerFilter = new TPointerFilter(qApp);
    qApp->installEventFilter(PointerFilter);
}

TQtMainWindow::TQtMainWindow(TQtResponder& R, TMainForm& F) : Form(F) {
    InstallQtPointerForwarding();
    R.MainForm = &F;
    View = R.ViewOf(F);
    if (F.PaintBoxDraw) MainCanvas = F.PaintBoxDraw->Canvas;
    for (TControl* C : F.Components()) {
        QWidget* W = View->WidgetOf(C);
        if (!W) continue;
        if (C->OnMouseMove) W->setMouseTracking(true);
        // The keyboard belongs to the command line: buttons never take the focus.
        if (qobject_cast<QAbstractButton*>(W)) W->setFocusPolicy(Qt::NoFocus);
        if (auto* B = qobject_cast<QToolButton*>(W)) B->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    Timer = new QTimer(this);
    Timer->setInterval(100);
    connect(Timer, &QTimer::timeout, this, [this] { Sync(); });
    Timer->start();
    Sync();
}

TQtMainWindow::~TQtMainWindow() {
    if (Form.PaintBoxDraw && MainCanvas == Form.PaintBoxDraw->Canvas) MainCanvas = nullptr;
}

void TQtMainWindow::Sync() {
    for (const auto& [C, File] : Form.ButtonPicture) {
        auto* B = qobject_cast<QToolButton*>(View->WidgetOf(C));
        if (!B || B->property("kestrilonPicture").toString() == QString::fromStdString(File)) continue;
        B->setProperty("kestrilonPicture", QString::fromStdString(File));
        const QImage Img = File.empty() ? QImage() : LoadTransparentPicture(File);
        B->setIcon(Img.isNull() ? QIcon() : QIcon(QPixmap::fromImage(Img)));
        // Small buttons show their picture shrunk to fit.
        const int Side = C->Width > 0 && C->Width < 36 ? C->Width - 6 : 30;
        B->setIconSize(QSize(Side, Side));
    }
    if (Form.WindowState == TWindowState::wsMaximized && View->isVisible() &&
        !View->property("kestrilonMaximised").toBool()) {
        View->setProperty("kestrilonMaximised", true);
        View->showMaximized();
        // Without a window manager nothing maximises: take the screen's free area.
        QTimer::singleShot(200, View, [this, V = View] {
            QScreen* S = V->screen();
            if (!S) return;
            const QRect A = S->availableGeometry();
            if (V->width() < A.width() - 60 || V->height() < A.height() - 90) V->setGeometry(A);
            // The start-up zoom ran before the window had its final size.
            QTimer::singleShot(50, V, [F = &Form, V] {
                F->ComZoomLimits();
                QtAfterEvent();
                // Tests wait for this instead of guessing how long the start-up takes.
                V->setProperty("kestrilonStartupDone", true);
            });
        });
    }
    if (Form.PaintBoxDraw && Form.PaintBoxDraw->Canvas && MainCanvas != Form.PaintBoxDraw->Canvas)
        MainCanvas = Form.PaintBoxDraw->Canvas;
}
