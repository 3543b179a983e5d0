// Starts the program from the program folder beside it, types LINE, picks two points
// with the mouse, and saves a picture of the whole main window.
//   kestrilon_screenshot OUT.png
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>

#include "platform/qt/QtFormView.h"
#include "app/program/QtProgram.h"
#include "shell/Main.h"

namespace {
void Key(QWidget* W, int K, const QString& Text) {
    QKeyEvent Down(QEvent::KeyPress, K, Qt::NoModifier, Text);
    QApplication::sendEvent(W, &Down);
    QKeyEvent Up(QEvent::KeyRelease, K, Qt::NoModifier, Text);
    QApplication::sendEvent(W, &Up);
}
void Type(QWidget* W, const QString& S) {
    for (QChar C : S) Key(W, C.toUpper().unicode(), QString(C));
    Key(W, Qt::Key_Return, "\r");
}
void Click(QWidget* Area, QPoint P) {
    QMouseEvent Move(QEvent::MouseMove, P, Area->mapToGlobal(P), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Move);
    QMouseEvent Press(QEvent::MouseButtonPress, P, Area->mapToGlobal(P), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Press);
    QMouseEvent Release(QEvent::MouseButtonRelease, P, Area->mapToGlobal(P), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Release);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrilon_screenshot OUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    const QString Out = QString::fromLocal8Bit(argv[1]);
    TQtProgram Program;
    Program.Start((QCoreApplication::applicationDirPath() + "/kestrilon").toStdString(), {});
    TMainForm& F = *Program.Main;
    TQtFormView* View = Program.Window->View;
    int Rc = 1;
    QTimer::singleShot(800, [&] {
        QWidget* Area = View->WidgetOf(F.PaintBoxDraw);
        // The Draw group on the toolbar, then LINE typed and two points picked.
        F.SbtnMNUSelectFileClick(3);
        QtAfterEvent();
        Type(View, "LINE");
        const QSize S = Area->size();
        Click(Area, QPoint(S.width() * 30 / 100, S.height() * 70 / 100));
        Click(Area, QPoint(S.width() * 62 / 100, S.height() * 35 / 100));
        Click(Area, QPoint(S.width() * 66 / 100, S.height() * 60 / 100));
        QtAfterEvent();
        QTimer::singleShot(400, [&] {
            QtAfterEvent();
            Rc = View->grab().save(Out, "PNG") ? 0 : 1;
            if (Rc) std::fprintf(stderr, "kestrilon_screenshot: cannot write %s\n", argv[1]);
            QCoreApplication::exit(Rc);
        });
    });
    app.exec();
    return Rc;
}
