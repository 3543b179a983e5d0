// OFFSET: parallel curves at a typed distance. An open polyline gets one on the side of
// the picked point, a closed one an inner or outer contour, a point a circle around it.
// The distance is kept and the command asks for the next selection after each offset.
#pragma once

void ComOffset();
