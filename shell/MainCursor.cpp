#include "shell/MainCursor.h"

#include "core/Glob.h"
#include "shell/Main.h"

TCursor IdleCursor(uint8_t CursorType) { return CursorType == 1 ? TCursor::crNone : TCursor::crDefault; }

TCursor BusyCursor(uint8_t CursorType) { return CursorType == 1 ? TCursor::crAppStart : TCursor::crDefault; }

void ResetMainCursor() {
    if (MainForm) MainForm->Cursor = IdleCursor(Glob.CursorType);
}

void BusyMainCursor() {
    if (MainForm) MainForm->Cursor = BusyCursor(Glob.CursorType);
}
