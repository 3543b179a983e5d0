// The start-up state of every part above the kernel, restored by ResetAllState
// after the kernel's own records, in this order.
#include "cam/CamOpList.h"
#include "cam/CamOpRegen.h"
#include "commands/ChangeTextDg.h"
#include "commands/ComRegen.h"
#include "commands/FiltrDg.h"
#include "commands/Help.h"
#include "commands/InfoDg.h"
#include "commands/PrintDg.h"
#include "commands/TextDg.h"
#include "core/ResetState.h"
#include "formats/SafeFile.h"
#include "output/SinumericDg.h"
#include "shell/MainView.h"
#include "shell/ResetShellTexts.h"
#include "shell/StartupHooks.h"
#include "tools/ToolDg.h"

namespace {

// The operation list, without the picker's hint window.
void ResetCamOps() {
    OpList.HintWin = nullptr;
    InitCamOps();
}

const TStateReset Resets[] = {
    ResetCamOps,
    // Texts, command table, settings-block state, recent files, settings-bound dialogs.
    ResetShellTexts,
    // The drawing view: start-up flags, highlight polygons.
    ResetViewState,
    // Start-up hooks, the layer and view dialog, the end dialog.
    ResetMainWindowState,
    // The text, info, print and help dialogs: made again by the start-up or on first use.
    FreeTextDialog,
    FreeInfoDialog,
    FreeTiskDialog,
    FreeHelpDialog,
    FreeSinumericDialog,
    FreeFiltrDialog,
    FreeChangeTextDialog,
    // COPY's regeneration queue; the machining code's regeneration installed.
    ResetComRegen,
    InstallCamRegen,
    // The free-space query of the safe file writing: the file system's.
    ResetSafeFile,
    // The tool code: working copies, type counts, the cutting-radius services.
    ResetToolState,
    // Further resets of the parts above the kernel are added here.
};

}  // namespace

// Every program names this on its link line (CMakeLists.txt): nothing else refers to
// this file, and without it the resets above would not be registered.
extern "C" const bool KestrilonStateResets;
const bool KestrilonStateResets = RegisterStateResets(std::begin(Resets), std::end(Resets));
