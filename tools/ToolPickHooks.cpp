// The ways into the tool dialogs from outside the tool code: the contour dialog's tool
// selection and the layer panel's tool action.
#include "cam/ContourDg.h"
#include "core/Glob.h"
#include "shell/StartupHooks.h"
#include "tools/ToolDg.h"
#include "tools/ToolDialog.h"
#include "tools/ToolLibPick.h"

namespace {

// One layer per operation: a library tool (its record index into LibTool). Otherwise
// the tool dialog on La's tab; OK gives the chosen tab's layer, Cancel puts back the
// pass table that the typed depth may have rebuilt.
bool ContourToolPick(int& La, int& LibTool) {
    if (Glob.AutoLayNum) {
        if (!ToolLibOpenDialog || !ToolLocDialog) return false;
        bool ok;
        if (Glob.ToolLoc == 0) {
            ToolLocOpen = true;
            ToolLocDialog->Caption = ToolLocDialog->StrOpenTool;
            ok = ToolLocDialog->ShowModal() == mrOk;
        } else {
            ok = ToolLibOpenDialog->ShowModal() == mrOk;
        }
        if (!ok || LibPickIndex < 0 || size_t(LibPickIndex) >= Glob.ToolLib.size()) return false;
        LibTool = LibPickIndex;
        return true;
    }
    if (!ToolDialog) return false;
    const int shown = La >= 1 && La <= ToolLayerCount ? La : 1;
    const auto passes = Glob.Tool[shown].Pruchod;
    if (Glob.AutoApplyToolOpen && ContourDialog && ContourDialog->Depth > 0)
        DepthToTool(ContourDialog->Depth, shown, false);
    ToolTmp = Glob.Tool;
    if (ContourDialog) ContourDialog->ControlsToPlunge(ToolTmp[shown].Material.Zapich[poContour]);
    ToolDialog->TabControl->ActivePageIndex = shown - 1;
    if (ToolDialog->ShowModal() != mrOk) {
        Glob.Tool[shown].Pruchod = passes;
        return false;
    }
    La = ToolDialog->CurLayer();
    return true;
}

}  // namespace

void InstallToolPickHooks() {
    ContourToolPickHook = &ContourToolPick;
    ShowToolDialogHook = [](int Tab) {
        if (!ToolDialog || Tab < 0 || Tab >= ToolLayerCount) return;
        ToolDialog->TabControl->ActivePageIndex = Tab;
        ToolDialog->ShowModal();
    };
}
