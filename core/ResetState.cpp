#include "core/ResetState.h"

#include <vector>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/MainVars.h"
#include "core/ObjIndex.h"
#include "core/ParText.h"
#include "core/UniGroup.h"
#include "core/UniPlineDirMemo.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "platform/Clock.h"
#include "platform/Clipboard.h"
#include "platform/PrinterPort.h"
#include "platform/Programs.h"

namespace {

std::vector<TStateReset>& Registered() {
    static std::vector<TStateReset> Resets;
    return Resets;
}

void ResetKernelState() {
    // The settings record: zero-filled as at process start, then the
    // built-in defaults of the main form's creation.
    ClearGlob();
    SetGlobDefaults();
    Glob.PxPerInch = 96;  // a plain screen: no extra scaling of the drawing area

    // Command line, pointer, lists and undo table; the lists' records are freed first.
    FreeMainVarsLists();
    ClearMainVars();
    MainVars.LastColor = Glob.BackColor;
    // The drawing's index follows the emptied drawing list.
    DrawingIndex().Follow(&MainVars.DataStart, &MainVars.DataEnd);

    // The object builder: idle, nothing under construction.
    ResetBuilder();
    // The direction search remembers nothing of earlier polylines.
    pline::ForgetDirs();

    // Stroke fonts: only the built-in font, in slot 0; empty text parameters.
    FontFreeMem();
    InstallIntFont();
    WorkText = ParText{};
    TextStyle = ParText{};
    DimTextStyle = ParText{};

    // New groups are drawn by the group entity.
    InstallGroupDraw();

    // No drawing canvas, the real clock.
    MainCanvas = nullptr;
    ReleaseClock();

    // Programs started for the user: really started; files sent to the real port.
    ResetPrograms();
    ResetPrinterPort();
    // The clipboard: the in-process stand-in, empty.
    ResetClipboard();
}

}  // namespace

bool RegisterStateResets(const TStateReset* First, const TStateReset* Last) {
    Registered().insert(Registered().end(), First, Last);
    return true;
}

void ResetAllState() {
    ResetKernelState();
    for (TStateReset Reset : Registered()) Reset();
    ResetLog();
}
