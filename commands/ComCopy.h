// COPY, COPYTOACTIVE, RECTARR and POLARARR: copies of the selection, displaced, on the
// active layer, in rows and columns, or turned about a centre.
#pragma once

void ComCopy();
void ComCopyToActive();
void ComArrRect();
void ComArrPolar();
