// ROTATE, MIRROR, SCALE and SIZE: the selection turned, reflected or scaled, in place
// or as copies, with the machining-operation links kept right.
#pragma once

void ComRotate();
void ComMirror();
void ComScale();
void ComSize();
