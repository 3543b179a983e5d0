// MOVE, MOVETOCEN and ALIGN: the selection shifted by one displacement, taken from two
// points, from the centres of two selections, or from a point and a reference point of
// the selection's extents chosen in the alignment dialog.
#pragma once

void ComMove();
void ComMoveToCen();
void ComAlign();
