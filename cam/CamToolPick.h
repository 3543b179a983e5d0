// The tool choice behind the tool boxes of the machining dialogs: the tool dialog on a
// layer's tab, or, with one layer per operation, the library dialogs. The tool code
// installs it; until then (nullptr) a click only refreshes the shown tool.
#pragma once
#include <functional>
#include <initializer_list>

#include "core/Types.h"
#include "platform/Controls.h"

struct TTool;

struct TCamToolPick {
    // In: the layer whose tab the tool dialog opens on. Out: the tab selected when the
    // dialog closed, whatever its result.
    int La = 1;
    // Out: the library record chosen (library dialogs only).
    int LibTool = -1;
    // The operation's depth: above 0 and with AutoApplyToolOpen it becomes La's passes
    // while the tool dialog shows (Cancel puts the passes back).
    Extended Depth = -1;
    // The library dialogs rather than the tool dialog.
    bool Library = false;
    // Writes the calling dialog's unsaved settings into the tool the tool dialog shows.
    std::function<void(TTool&)> Prepare;
};

// True when the user confirmed a tool.
using TCamToolPickFn = bool (*)(TCamToolPick& Pick);
extern TCamToolPickFn CamToolPickHook;

// A left-button press on any of the controls of a tool box runs Pick.
void PressPicksTool(std::initializer_list<TControl*> Box, const std::function<void()>& Pick);
