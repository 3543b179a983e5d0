#include "shell/ViewCulling.h"

#include <algorithm>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/ObjIndex.h"

namespace {

// Pens, point marks, arrowheads and selection wear, in pixels and in millimetres.
constexpr Extended ReachPx = 64;
constexpr Extended ReachMm = 5;

// How far beyond its box a record's drawing can reach in this view: the tool's width
// in the tool views, a helical point's circle.
Extended Reach() {
    Extended R = ReachMm + ReachPx / Glob.BoduNaMm;
    for (int L = 1; L <= ToolLayerCount; ++L) {
        const TToolPlunge& Z = Glob.Tool[L].Material.Zapich[poPoint];
        if (Z.Method == 3)
            R = std::max(R, ReachMm + (Z.SpiralRadPercent ? Glob.Tool[L].SpodniPrumer / 100 * Z.SpiralRad : Z.SpiralRad));
        if (Glob.View == vToolDn) R = std::max(R, ReachMm + Glob.Tool[L].SpodniPrumer);
        Extended D = 0;
        if (Glob.View == vToolUp && ToolDistLaHook && ToolDistLaHook(L, D, -1, false)) R = std::max(R, ReachMm + 2 * D);
    }
    return R;
}

}  // namespace

bool VisibleRecords(std::vector<TObjHeader*>& Out) {
    if (Glob.View == vSort || !(Glob.BoduNaMm > 0)) return false;
    const Extended R = Reach();
    const Osy Min{Glob.ZoomMin.x - R, Glob.ZoomMin.y - R}, Max{Glob.ZoomMax.x + R, Glob.ZoomMax.y + R};
    TObjIndex& I = DrawingIndex();
    Osy AllMin, AllMax;
    if (!I.Bounds(AllMin, AllMax)) return true;  // nothing to draw
    if (Min.x <= AllMin.x && Min.y <= AllMin.y && Max.x >= AllMax.x && Max.y >= AllMax.y) return false;
    I.Query(Min, Max, Out);
    return true;
}
