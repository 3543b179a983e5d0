// The operations panel of the main window: the operations listed by name under the
// kind filters, coloured by status; pointing at a row highlights the operation's
// sources, clicking a row makes it the current operation of OPEDIT and OPDELETE.
#pragma once
#include <cstdint>
#include <string>

class TMainForm;

// The operation shown on list row Row (counted from 0) under the current filters; -1
// when there is none.
int ListRowToOpNum(int Row);
// The font colour of a row by its operation's status: 0 green, 1, 2 and 4 orange, 3 red.
uint32_t OpStatusColor(uint8_t Status);

// The panel's events bound to its controls (called once the controls exist).
void InitOpsPanel(TMainForm& F);
// A click on the list: the chosen row's operation becomes current.
void ListBoxOpsClick();
// The pointer over the list (ListBoxOps->HotIndex is the row under it).
void ListBoxOpsMouseMove();
// The filter rows: 0 contours, 1 pockets, 2 surfacing (the hidden drill row toggles
// surfacing too).
void ToggleOpFilter(int Filter);
