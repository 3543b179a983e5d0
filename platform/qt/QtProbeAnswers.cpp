// The modal windows a test answers or ends (QtProbe.h).
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/qt/QtFormView.h"
#include "platform/qt/QtProbe.h"

namespace QtProbe {

std::string AnswerMessageBox(bool WithEscape) {
    auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!Box) return {};
    const std::string Text = Box->text().toStdString();
    QTest::keyClick(Box, WithEscape ? Qt::Key_Escape : Qt::Key_Return);
    return Text;
}

struct TMessageAnswers::TState {
    QTimer Timer;
    std::vector<std::string> Texts;
};

TMessageAnswers::TMessageAnswers(bool WithEscape) : State(std::make_shared<TState>()) {
    TState* S = State.get();
    // A timer runs in every event loop, so a box opened inside another modal window is
    // answered too.
    QObject::connect(&S->Timer, &QTimer::timeout, &S->Timer, [S, WithEscape] {
        if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            S->Texts.push_back(AnswerMessageBox(WithEscape));
    });
    S->Timer.start(20);
}

TMessageAnswers::~TMessageAnswers() = default;

const std::vector<std::string>& TMessageAnswers::Texts() const { return State->Texts; }

bool CancelFileDialog() {
    auto* D = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!D) return false;
    D->reject();
    return true;
}

bool ForeignModalShowing() {
    QWidget* M = QApplication::activeModalWidget();
    return M && !dynamic_cast<TQtFormView*>(M);
}

void EndModalWindows() {
    for (int Guard = 0; Guard < 20; ++Guard) {
        QWidget* M = QApplication::activeModalWidget();
        auto* D = qobject_cast<QDialog*>(M);
        if (!D) break;
        D->reject();
        QApplication::processEvents();
    }
    QtQuitModalLoops();
    QApplication::processEvents();
}

}  // namespace QtProbe
