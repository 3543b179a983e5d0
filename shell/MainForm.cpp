#include "shell/Main.h"

#include "core/Global.h"
#include "shell/SetCfg.h"

TMainForm* MainForm = nullptr;

namespace {
// A typed number that did not parse marks the command line.
void MarkInvalidInput() {
    if (MainForm && MainForm->ComLine2) MainForm->ComLine2->Caption += " = INVALID";
}
}  // namespace

TMainForm::TMainForm() : TForm("MainForm") {
    MainForm = this;
    CreateCommandLineControls();
    CreateUndoControls();
    CreateMainWindowControls();
    OnKeyPress = [this](char32_t& Key) { FormKeyPress(Key); };
    OnMarkInvalidInput = &MarkInvalidInput;
    // Reading a settings block with another ring size empties the ring, as the
    // settings dialog does.
    OnCfgMaxUndoChanged = [this] { FreeUndoSlots(); };
}

TMainForm::~TMainForm() {
    if (OnMarkInvalidInput == &MarkInvalidInput) OnMarkInvalidInput = nullptr;
    OnCfgMaxUndoChanged = nullptr;
    if (MainForm == this) MainForm = nullptr;
}
