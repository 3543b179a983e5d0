#include "app/program/QtProgram.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

#include "core/ErrLogDg.h"
#include "core/Glob.h"
#include "core/TextFile.h"
#include "core/UniDraw.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtHttp.h"
#include "platform/qt/QtPrinter.h"
#include "shell/FormOrder.h"
#include "shell/Main.h"
#include "shell/SetDg.h"
#include "shell/StartupHooks.h"

namespace {

// The settings offer Qt's styles and start from the one Qt runs with: a style name
// the "Style" file gave that Qt lacks, or spelled otherwise, is not what runs.
void AppliedStyleToSettings() {
    std::vector<std::string> Names;
    std::string Running;
    const QString Applied = QApplication::style() ? QApplication::style()->name() : QString();
    for (const QString& K : QStyleFactory::keys()) {
        Names.push_back(K.toStdString());
        if (K.compare(Applied, Qt::CaseInsensitive) == 0) Running = K.toStdString();
    }
    if (!Running.empty()) Glob.GuiStyle = Running;
    if (SetDialog) {
        SetDialog->StyleNames = Names;
        SetDialog->RunningStyle = Running;
    }
}

}  // namespace

TQtProgram::TQtProgram() {
    Responder.Install();
    InstallQtPrinter();
    InstallQtClipboard();
    InstallQtHttp();
}

TQtProgram::~TQtProgram() {
    if (ErrLogDialog) {
        ErrLogDialog->FormStarted = nullptr;
        ErrLogDialog->FocusMainForm = nullptr;
    }
    Window.reset();
    Main.reset();
    MainCanvas = nullptr;
}

void TQtProgram::Start(const std::string& File, const std::vector<std::string>& Args) {
    ProgramFile = File;
    if (QScreen* S = QGuiApplication::primaryScreen()) ScreenPxPerInch = int(S->logicalDotsPerInch());
    Main = std::make_unique<TMainForm>();
    TMainForm& F = *Main;
    F.Args = Args;
    F.FormCreate();
    CreateAllForms();
    if (ErrLogDialog) {
        ErrLogDialog->FormStarted = [&F] { return F.FormStarted; };
        ErrLogDialog->FocusMainForm = [&F] { F.SetFocus(); };
    }
    // The style named by the first line of "Style"; a style Qt does not have keeps its own.
    StyleFileToGlob();
    if (QStyleFactory::keys().contains(QString::fromStdString(Glob.GuiStyle), Qt::CaseInsensitive))
        QApplication::setStyle(QString::fromStdString(Glob.GuiStyle));
    AppliedStyleToSettings();
    Window = std::make_unique<TQtMainWindow>(Responder, F);
    F.Show();
}
