// The ways into the tool dialogs from outside the tool code: the tool boxes of the
// machining dialogs and the layer panel's tool action.
#include "cam/CamToolPick.h"
#include "core/Glob.h"
#include "shell/StartupHooks.h"
#include "tools/ToolDg.h"
#include "tools/ToolDialog.h"
#include "tools/ToolLibPick.h"

namespace {

// The library dialogs give a library record; the tool dialog opens on La's tab and
// leaves it on the tab the user chose. Cancel puts back the pass table that the
// operation's depth may have rebuilt.
bool CamToolPick(TCamToolPick& Pick) {
    if (Pick.Library) {
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
        Pick.LibTool = LibPickIndex;
        return true;
    }
    if (!ToolDialog) return false;
    const int shown = Pick.La >= 1 && Pick.La <= ToolLayerCount ? Pick.La : 1;
    const auto passes = Glob.Tool[shown].Pruchod;
    if (Glob.AutoApplyToolOpen && Pick.Depth > 0) DepthToTool(Pick.Depth, shown, false);
    ToolTmp = Glob.Tool;
    if (Pick.Prepare) Pick.Prepare(ToolTmp[shown]);
    ToolDialog->TabControl->ActivePageIndex = shown - 1;
    const bool ok = ToolDialog->ShowModal() == mrOk;
    if (!ok) Glob.Tool[shown].Pruchod = passes;
    Pick.La = ToolDialog->CurLayer();
    return ok;
}

}  // namespace

void InstallToolPickHooks() {
    CamToolPickHook = &CamToolPick;
    ShowToolDialogHook = [](int Tab) {
        if (!ToolDialog || Tab < 0 || Tab >= ToolLayerCount) return;
        ToolDialog->TabControl->ActivePageIndex = Tab;
        ToolDialog->ShowModal();
    };
}
