#include "cam/Corner3D.h"

#include <cmath>
#include <string>
#include <vector>

#include "cam/UniRegion.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "core/UniSpace.h"
#include "tools/ToolDg.h"

namespace {

bool BoxesMeet(const Osy& A1, const Osy& A2, const Osy& B1, const Osy& B2) {
    return A1.x <= B2.x && B1.x <= A2.x && A1.y <= B2.y && B1.y <= A2.y;
}

Extended WrapPi(Extended K) {
    if (K > GeomPi) K -= Geom2Pi;
    if (K < -GeomPi) K += Geom2Pi;
    return K;
}

void TrimRises(TObjHeader* Path3D, const TObjHeader* Poly2D, bool SkipOwn) {
    Osy A1, A2, B1, B2;
    EnSpace.Envelope(Path3D, A1, A2);
    EnPline.Envelope(Poly2D, B1, B2);
    if (!BoxesMeet(A1, A2, B1, B2)) {
        WriteLog("CAM:no intersections, exit");
        return;
    }
    TPlineSeg3D* Seg = Pline3DSegs(Path3D);
    const int32_t n = Pline3DSegCount(Path3D);
    const int32_t m = PlineSegCount(Poly2D);
    const TPlineSeg* P = PlineSegs(Poly2D);
    for (int32_t i = 0; i < n; ++i) {
        const Osy3D S3 = i == 0 ? AsPline3D(Path3D)->S : Seg[i - 1].E;
        if (Seg[i].E.z < S3.z + CoordTol) continue;
        const Osy S{S3.x, S3.y}, E0{Seg[i].E.x, Seg[i].E.y};
        Osy E = E0;
        for (int32_t k = 0; k < m; ++k) {
            const Osy PS = PlineSegStart(Poly2D, k);
            if (SkipOwn && SamePt(PS, S) && SamePt(P[k].E, E0)) {
                ++k;  // the rise's own image and the descent after it
                continue;
            }
            Osy X1, X2;
            if (IntersSegSeg(S, E, PS, P[k].E, 0, P[k].Alfa, X1, X2) == 0 || SamePt(X1, S)) continue;
            Seg[i].E.x = X1.x;
            Seg[i].E.y = X1.y;
            E = X1;
        }
    }
}

// How far along a corner's rise the tool may go (a fraction of the way to the corner)
// without cutting the walls. Along the rise the walls come nearer in proportion while
// the tool stands in less material: at every height above its tip the tool's radius
// must stay within what is left of the walls' distance there. A cone from its tip
// goes the whole way (or to where its flat tip touches); a cylinder or a ball nose
// does not rise at all.
Extended RiseReach(int T, Extended Depth, Extended Dist) {
    if (!(Dist > CoordTol) || !(Depth > CoordTol)) return 0;
    Extended Reach = 1;
    auto Height = [&](Extended H) {
        Extended R = 0;
        if (!ToolDistLa(T, R, H, false)) R = Dist;
        Reach = std::min(Reach, (Dist - R) / (Dist * (1 - H / Depth)));
    };
    for (int k = 0; k < 64; ++k) Height(Depth * k / 64);
    for (int k = 7; k <= 40; ++k) Height(Depth * (1 - std::ldexp(Extended(1), -k)));
    return std::max<Extended>(0, Reach);
}

}  // namespace

TObjHeader* Create3DPlines(const TObjHeader* Path, bool Inside, bool SmallTool, Extended Limit, uint8_t La,
                           TObjHeader*& ResStart, TObjHeader*& ResEnd) {
    WriteLog("CAM:Creating 3D plines Start (La:" + std::to_string(La) + ")");
    const int T = SmallTool ? Glob.SmallTool : La;
    const bool Ccw = !(AsPline(Path)->PlineFlags & PlineCW);
    Extended Depth = 0, Dist = 0;
    if (!MaxDepth(T, Depth, false)) {
        WriteLog("Err:Max depth exceed");
        return nullptr;
    }
    if (!ToolDistLa(T, Dist, -1, false)) {
        WriteLog("Err:Wrong Tool dist");
        return nullptr;
    }
    const Extended Z = -Depth;
    const Extended Reach = RiseReach(T, Depth, Dist);
    if (Reach < 1 - CoordTol)
        WriteLog("CAM:3D corners limited by the tool's shape (La:" + std::to_string(T) + ", Reach:" +
                 std::to_string(double(Reach)) + ")");
    const int32_t n = PlineSegCount(Path);
    const TPlineSeg* Seg = PlineSegs(Path);
    StartObj3D({AsPline(Path)->S.x, AsPline(Path)->S.y, Z});
    for (int32_t i = 0; i < n; ++i) {
        const Osy Prev = PlineSegStart(Path, i), P = Seg[i].E;
        AddSeg3D({P.x, P.y, Z}, Seg[i].Alfa, 0);
        const int32_t j = i + 1 < n ? i + 1 : 0;
        const Extended D = NormAngleOf(Angle(Prev, P) + Seg[i].Alfa / 2);
        const Extended J = NormAngleOf(Angle(P, Seg[j].E) - Seg[j].Alfa / 2);
        const Extended K = WrapPi(J - D);
        bool Sharp;
        Extended Side;
        if (Ccw == Inside) {
            Sharp = K > GeomPi - Limit;
            Side = -GeomPi2;
        } else {
            Sharp = K < -(GeomPi - Limit);
            Side = GeomPi2;
        }
        if (!Sharp) continue;
        const Extended h = K / 2, L = Reach * Dist / std::fabs(std::cos(h));
        if (L < 0.001L) continue;
        AddSeg3D({P.x + L * std::cos(Side + D + h), P.y + L * std::sin(Side + D + h), 0}, 0, 0);
        AddSeg3D({P.x, P.y, Z}, 0, 0);
    }
    TObjHeader* R = MakeObj3D(uint8_t(T), ResStart, ResEnd);
    if (R) AsPline3D(R)->PlineFlags = AsPline(Path)->PlineFlags;
    WriteLog("CAM:Creating 3D plines End");
    return R;
}

void SelfTrim3DPlines(TObjHeader* Path3D, const TObjHeader* Poly2D) {
    WriteLog("CAM:Self trimming 3D plines Start");
    TrimRises(Path3D, Poly2D, true);
    WriteLog("CAM:Self trimming 3D plines End");
}

void OffsetTrim3DPlines(TObjHeader* Path3D, const TObjHeader* Poly2D) {
    WriteLog("CAM:Offset triming 3d plines Start");
    TrimRises(Path3D, Poly2D, false);
    WriteLog("CAM:Offset triming 3d plines End");
}

void Create3DFinish(bool Inside, bool SmallTool, TObjHeader* Region, Extended Limit, TObjHeader*& ListStart,
                    TObjHeader*& ListEnd, uint8_t La) {
    WriteLog("CAM:Creating 3D finish Start (La:" + std::to_string(La) + ")");
    if (Limit < CoordTol) {
        WriteLog("Err:Limit angle 3D < 0");
        WriteLog("CAM:Creating 3D finish End");
        return;
    }
    GroupByNesting(ListStart, ListEnd, La);
    TObjHeader *S3 = nullptr, *E3 = nullptr;
    for (TObjHeader* G = ListStart; G; G = G->Next) {
        if (G->Type != ObjGroup) continue;
        for (TObjHeader* M = AsGroup(G)->First; M; M = M->Next)
            if (M->Type == ObjPline) Create3DPlines(M, M == AsGroup(G)->First ? Inside : !Inside, SmallTool, Limit, La, S3, E3);
    }
    std::vector<TObjHeader*> Proj;
    for (TObjHeader* p = S3; p; p = p->Next) Proj.push_back(EnSpace.To2D(p));
    for (TObjHeader* p = S3; p; p = p->Next)
        for (TObjHeader* q : Proj)
            if (q && q->Type == ObjPline) SelfTrim3DPlines(p, q);
    for (TObjHeader* q : Proj) FreeObjBlock(q);

    const int T = SmallTool ? Glob.SmallTool : La;
    const Extended Tip = T >= 1 && T <= ToolLayerCount ? Glob.Tool[T].SpodniPrumer / 2 : 0;
    TObjHeader *OS = nullptr, *OE = nullptr, *FS = nullptr, *FE = nullptr;
    const bool HasRegion = Region && Region->Type == ObjGroup;
    // A pointed tip reaches the boundary itself: the rises stop at the region's contours.
    if (HasRegion && Tip > CoordTol)
        OffsetRegion(Inside, AsGroup(Region)->First, AsGroup(Region)->Last, Tip, OS, OE, FS, FE, La);
    TObjHeader* Bound = Tip > CoordTol ? OS : HasRegion ? AsGroup(Region)->First : nullptr;
    for (TObjHeader* p = S3; p; p = p->Next)
        for (TObjHeader* q = Bound; q; q = q->Next)
            if (q->Type == ObjPline) OffsetTrim3DPlines(p, q);
    FreeObjList(OS, OE);
    FreeObjList(FS, FE);
    FreeObjList(ListStart, ListEnd);
    ListStart = S3;
    ListEnd = E3;
    WriteLog("CAM:Creating 3D finish End");
}
