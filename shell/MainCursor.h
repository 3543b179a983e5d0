// The system pointer over the drawing area. With CursorType 1 the program draws its own
// full cross-hair there, so the system pointer is hidden once a command ends; the other
// types keep the arrow.
#pragma once
#include <cstdint>

#include "platform/Controls.h"

// The pointer while the program waits for input, and while it works.
TCursor IdleCursor(uint8_t CursorType);
TCursor BusyCursor(uint8_t CursorType);

// Sets the main window's pointer from Glob.CursorType (nothing without a main form).
void ResetMainCursor();
void BusyMainCursor();
