// Commands that rebuild selected polylines as a whole: WELD merges closed polylines into
// the outline of their union, DIVIDE splits polylines at their own and mutual crossings,
// MARK places evenly spaced points along each selected polyline.
#pragma once

void ComWeld();
void ComDivide();
void ComMark();
