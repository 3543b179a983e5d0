// The drawing area of the core drawing tests: 100 x 75 mm at 8 px/mm on an
// 800 x 600 px area whose origin is the area's corner.
#pragma once

void SetTestDrawArea();
