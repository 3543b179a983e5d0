// Rounding and bevelling polyline corners: FILLETONE / CHAMFERONE treat one picked
// corner (and keep asking for the next), FILLETALL / CHAMFERALL every corner of the
// selected polylines, FILLETOFFS every convex and concave corner by offsetting out, in
// and out again. A treated polyline is a new record at the end of the drawing.
#pragma once

void ComFilletOne(bool Chamfer);
void ComFilletAll(bool Chamfer);
void ComFilletOffs();
