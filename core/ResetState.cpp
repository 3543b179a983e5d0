#include "core/ResetState.h"

#include "cam/CamOpList.h"
#include "cam/CamOpRegen.h"
#include "commands/ComRegen.h"
#include "commands/Help.h"
#include "commands/InfoDg.h"
#include "commands/PrintDg.h"
#include "commands/TextDg.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ObjIndex.h"
#include "core/ParText.h"
#include "core/UniGroup.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "formats/SafeFile.h"
#include "platform/Clock.h"
#include "platform/Programs.h"
#include "shell/Main.h"
#include "core/MainVars.h"
#include "shell/MainView.h"
#include "shell/ResetShellTexts.h"
#include "shell/StartupHooks.h"
#include "tools/ToolDg.h"

void ResetAllState() {
    // The settings record: zero-filled as at process start, then the
    // built-in defaults of the main form's creation.
    ClearGlob();
    SetGlobDefaults();
    Glob.PxPerInch = 96;  // a plain screen: no extra scaling of the drawing area

    // Command line, pointer, lists and undo table; the lists' records are freed first.
    FreeMainVarsLists();
    ClearMainVars();
    MainVars.LastColor = Glob.BackColor;

    // The operation list.
    OpList.HintWin = nullptr;
    InitCamOps();

    // The object builder: idle, nothing under construction.
    ResetBuilder();

    // Stroke fonts: only the built-in font, in slot 0; empty text parameters.
    FontFreeMem();
    InstallIntFont();
    WorkText = ParText{};
    TextStyle = ParText{};
    DimTextStyle = ParText{};

    // New groups are drawn by the group entity.
    InstallGroupDraw();

    // Texts, command table, settings-block state, recent files, settings-bound dialogs.
    ResetShellTexts();

    // No drawing canvas, the real clock.
    MainCanvas = nullptr;
    ReleaseClock();

    // The drawing view: start-up flags, highlight polygons; the drawing's index follows
    // the emptied drawing list.
    ResetViewState();
    DrawingIndex().Follow(&MainVars.DataStart, &MainVars.DataEnd);

    // Start-up hooks, the layer and view dialog, the end dialog.
    ResetMainWindowState();

    // The text, info, print and help dialogs: made again by the start-up or on first use.
    FreeTextDialog();
    FreeInfoDialog();
    FreeTiskDialog();
    FreeHelpDialog();

    // COPY's regeneration queue; the machining code's regeneration installed.
    ResetComRegen();
    InstallCamRegen();

    // The free-space query of the safe file writing: the file system's.
    ResetSafeFile();
    // Programs started for the user: really started.
    ResetPrograms();

    // The tool code: working copies, type counts, the cutting-radius services.
    ResetToolState();

    // Further global state is reset here (add calls above this line).

    // Last, so that every test starts with an empty log.
    ResetLog();
}
