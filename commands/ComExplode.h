// Commands that restructure polylines machining operations may use: EXPLODE splits the
// selected polylines into one-segment polylines, JOIN joins those whose ends meet,
// CHANGEDIR reverses them, CHANGESTART moves the start of a picked closed polyline.
// Operation links follow the changed objects.
#pragma once
#include <cstdint>

struct TObjHeader;
class TRegenQueue;

void ComExplode();
void ComJoin();
void ComChangeDir();
void ComChangeStart();

// Joins the selected polylines of StartAdr..EndAdr on Layer (0: every layer) whose ends
// meet. Joined pieces are freed: the operations that used them take the joined polyline
// instead (found through each linked piece's middle point); operations that had a piece
// as a source go into Q, those that had it as a path get Q's path action.
void JoinKeepingLinks(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr, TRegenQueue& Q);
