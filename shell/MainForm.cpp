#include "shell/Main.h"

#include <string>

#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/ViewHooks.h"
#include "shell/SetCfg.h"

TMainForm* MainForm = nullptr;

namespace {
// A typed number that did not parse marks the command line.
void MarkInvalidInput() {
    if (MainForm && MainForm->ComLine2) MainForm->ComLine2->Caption += " = INVALID";
}

// The debug panel's address label and memo, when the main form has them.
void ShowObjAdr(const TObjHeader* p) {
    if (!MainForm) return;
    if (TLabel* l = MainForm->Find<TLabel>("labObjAdr")) l->Caption = std::to_string(uintptr_t(p));
}
void ListSelectedAdr(const TObjHeader* p) {
    if (!MainForm) return;
    if (TMemo* m = MainForm->Find<TMemo>("MemoDebugOps"); m && m->Visible) m->Lines.push_back(std::to_string(uintptr_t(p)));
}
void ListPickedAdr(const TObjHeader* p) {
    if (MainForm && MainForm->DebugMode && MainForm->MemoDebugOps)
        MainForm->MemoDebugOps->Lines.push_back(std::to_string(uintptr_t(p)));
}
}  // namespace

TMainForm::TMainForm() : TForm("MainForm") {
    MainForm = this;
    CreateCommandLineControls();
    CreateUndoControls();
    CreateMainWindowControls();
    OnKeyPress = [this](char32_t& Key) { FormKeyPress(Key); };
    OnMarkInvalidInput = &MarkInvalidInput;
    // The drawing walks show what they did on this window.
    RedrawViewHook = &ComRedrawView;
    ShowSelectionCountHook = &ShowSelectionCount;
    ShowObjAdrHook = &ShowObjAdr;
    ListSelectedAdrHook = &ListSelectedAdr;
    ListPickedAdrHook = &ListPickedAdr;
    // Reading a settings block with another ring size empties the ring, as the
    // settings dialog does.
    OnCfgMaxUndoChanged = [this] { FreeUndoSlots(); };
}

TMainForm::~TMainForm() {
    if (OnMarkInvalidInput == &MarkInvalidInput) OnMarkInvalidInput = nullptr;
    OnCfgMaxUndoChanged = nullptr;
    if (MainForm == this) MainForm = nullptr;
}
