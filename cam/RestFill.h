// Rest machining with two tools: a larger main tool clears what it reaches, a smaller
// rest tool clears the places it leaves and cuts the finishing contour.
#pragma once
#include "cam/PocketFill.h"

// The rest tool's values beside the main tool's (Main: La1, R1, Angle1, Step1).
struct TRestParams {
    uint8_t La2 = 2;
    Extended R2 = 0, Angle2 = 0, Step2 = 0, Dist2 = 0, Prid2 = 0;
    Extended Dist1 = 0, AllError = 0;
};

// One region: appends the rest tool's group and then the main tool's group (when the
// main tool fits at all) to the drawing as paths of the operation. True when the rest
// tool's finishing contour has one loop per contour of the region.
bool FillWithRestTool(TObjHeader* Region, const TFillParams& Main, const TRestParams& Rest);
