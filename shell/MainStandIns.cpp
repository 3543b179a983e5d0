// Minimal forms of the view and panel routines that the command line calls, until the
// drawing view and the panels have their own code: the drawing is painted plainly and
// the pointer modes a command asked for are taken over, as the cursor update does.
// Each is a weak definition: the topic's own definition, once linked in, replaces it.
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/UniDraw.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

__attribute__((weak)) void TMainForm::ComRedraw() {
    if (MainCanvas) {
        MainCanvas->BeginDraw();
        MainCanvas->Clear(Glob.BackColor);
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) DrawObj(p, MainCanvas);
        MainCanvas->EndDraw();
    }
    MainVars.Mouse.Move = MainVars.Mouse.NextMove;
    MainVars.Mouse.Down = MainVars.Mouse.NextDown;
}

__attribute__((weak)) void TMainForm::LayPanelUpdate() {}

__attribute__((weak)) void TMainForm::AktualizaceListy() {}

__attribute__((weak)) void TMainForm::CamOpsToPanel() {}
