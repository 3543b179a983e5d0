// The parts of QtProbe.h that drive the real program.
#include "platform/qt/QtProbe.h"

#include "app/program/QtProgram.h"
#include "platform/qt/QtFormView.h"
#include "platform/qt/QtIcons.h"
#include "platform/qt/QtLayoutCheck.h"
#include "shell/Main.h"
#include "shell/MainMenus.h"

namespace QtProbe {

bool PaintIcons(const std::string& Dir) { return PaintIconFiles(Dir, ToolbarPictureFiles()); }

void TProgramDeleter::operator()(TQtProgram* P) const { delete P; }

TProgramPtr StartProgram(const std::string& ProgramFile, const std::vector<std::string>& Args) {
    TProgramPtr P(new TQtProgram);
    P->Start(ProgramFile, Args);
    return P;
}

TMainForm& MainOf(TQtProgram& P) { return *P.Main; }

TQtFormView* WindowViewOf(TQtProgram& P) { return P.Window->View; }

TQtFormView* FormViewOf(TQtProgram& P, TForm& F) { return P.Responder.ViewOf(F); }

std::vector<std::string> LayoutFaults(TQtProgram& P, TForm& F, bool& Opened, bool ShownLater) {
    TQtFormView* V = QtOpenForInspection(P.Responder, F);
    Opened = V != nullptr;
    if (!V) return {};
    std::vector<std::string> Faults = QtLayoutFaults(V, ShownLater);
    QtCloseInspected(P.Responder, F);
    return Faults;
}

TQtFormView* OpenForm(TQtProgram& P, TForm& F) { return QtOpenForInspection(P.Responder, F); }

void CloseForm(TQtProgram& P, TForm& F) { QtCloseInspected(P.Responder, F); }

}  // namespace QtProbe
