// The machining-order sort done the plain way: at every position every remaining
// object of the layer is measured (quadratic). The reference the indexed sort must
// match, in tests and side by side in the benchmark.
#pragma once
#include <utility>
#include <vector>

#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"

inline void PlainScanSort(uint8_t Layer, TObjHeader*& S, TObjHeader*& E, bool Swap) {
    std::vector<TObjHeader*> W;
    for (TObjHeader* p = S; p;) {
        TObjHeader* n = p->Next;
        if (p->Layer == Layer) {
            UnlinkObj(p, S, E);
            W.push_back(p);
        }
        p = n;
    }
    Osy Cur{0, 0};
    for (size_t s = 0; s < W.size(); ++s) {
        Extended Best = 1e9;
        size_t b = s;
        bool FromEnd = false;
        for (size_t c = s; c < W.size(); ++c) {
            const Extended d = Dist(Cur, AsPline(W[c])->S);
            if (d < Best) Best = d, b = c, FromEnd = false;
            if (Swap && W[c]->Type == ObjPline) {
                const Extended e = Dist(Cur, PlineEndPt(W[c]));
                if (e < Best) Best = e, b = c, FromEnd = true;
            }
        }
        // Only the chosen polyline is turned round: one turned while it was merely the
        // best so far would prefer its other end at the next tie.
        if (FromEnd) EnPline.ChangeDir(W[b]);
        std::swap(W[s], W[b]);
        Cur = PlineEndPt(W[s]);
    }
    for (TObjHeader* p : W) AppendObj(p, S, E);
}
