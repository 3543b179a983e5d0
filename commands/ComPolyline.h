// POLYLINE: one polyline of straight and arc segments drawn segment by segment, with
// tangent-arc and tangent-line modes and removal of the last segment.
#pragma once

void ComPolyline();
