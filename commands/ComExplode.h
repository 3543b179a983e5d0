// Commands that restructure polylines machining operations may use: EXPLODE splits the
// selected polylines into one-segment polylines, JOIN joins those whose ends meet,
// CHANGEDIR reverses them, CHANGESTART moves the start of a picked closed polyline.
// Operation links follow the changed objects.
#pragma once

void ComExplode();
void ComJoin();
void ComChangeDir();
void ComChangeStart();
