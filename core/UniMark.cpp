// Evenly spaced marks (point records) along a polyline.
#include <cmath>

#include "core/Glob.h"
#include "core/UniArea.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"

TObjHeader* Mark(TObjHeader* Adresa, int32_t Count) {
    if (!Adresa || Adresa->Type != ObjPline || Count < 3) return nullptr;
    const uint8_t layer = Glob.LayerDraw;
    const Extended step = EnPline.Length(Adresa) / Extended(Count - 1);
    TObjHeader *ls = nullptr, *le = nullptr;
    EnPoint.Add(AsPline(Adresa)->S, layer, ls, le);

    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    Extended acc = 0;  // path length before the current segment
    int32_t i = 1;     // number of the next point
    for (int32_t k = 0; k < n; ++k) {
        const Osy P = PlineSegStart(Adresa, k), E = seg[k].E;
        const Extended alfa = seg[k].Alfa;
        const bool line = std::fabs(alfa) <= CoordTol;
        Osy C{};
        Extended R = 0, a0 = 0, m;
        if (line) {
            m = Dist(P, E);
        } else {
            ArcCenter(P, E, alfa, C, R);
            a0 = ArcStartAngle(P, E, alfa);
            m = std::fabs(alfa) * R;
        }
        while (acc + m - i * step >= CoordTol && i <= Count - 2) {
            const Extended d = i * step - acc;
            Osy X;
            if (line) {
                X = {P.x + (E.x - P.x) * d / m, P.y + (E.y - P.y) * d / m};
            } else {
                const Extended a = a0 + alfa * d / m;
                X = {C.x + R * std::cos(a), C.y + R * std::sin(a)};
            }
            EnPoint.Add(X, layer, ls, le);
            ++i;
        }
        acc += m;
    }
    EnPoint.Add(PlineEndPt(Adresa), layer, ls, le);
    // Count is the number of points actually made: on a path too short for its steps
    // the inner points are not placed, and readers of the member list trust Count.
    TObjHeader* g = MakeGroup(false, ls, le);
    g->Layer = layer;
    g->Flags = FlagNew;
    g->SavedFlags = 0;
    return g;
}
