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

// A layer row's rectangle, number label or circle: its row number (the tag), else 0.
int LayerRowOf(const TControl* C) {
    if (!C || C->Owner != MainForm || C->Tag < 1 || C->Tag > 32) return 0;
    const std::string& N = C->Name;
    return N.rfind("ShT", 0) == 0 || N.rfind("LbT", 0) == 0 || N.rfind("ShCiT", 0) == 0 ? C->Tag : 0;
}

// The main window's layer rows: the pointer over a row's rectangle, number label or
// circle marks the row (the binding gives the controls their own mouse events).
class TPointerFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* Obj, QEvent* E) override {
        const QEvent::Type T = E->type();
        if (T != QEvent::Enter && T != QEvent::Leave) return false;
        auto* W = qobject_cast<QWidget*>(Obj);
        if (!W || !MainForm) return false;
        auto* View = dynamic_cast<TQtFormView*>(W->window());
        if (!View || W == View || &View->Form != MainForm) return false;
        const int Row = View->IsOwnWidget(W) ? LayerRowOf(View->ControlOf(W)) : 0;
        if (!Row) return false;
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
