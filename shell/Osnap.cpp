#include "shell/Osnap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineUtil.h"
#include "shell/Main.h"

using pline::IsLine;

namespace {

// ---- the index over the drawing ----

struct TOsnapIndex {
    const TObjHeader* First = nullptr;
    uint64_t Print = 0;
    bool Valid = false;
    std::vector<TObjHeader*> Recs;    // indexed records in list order
    std::vector<int32_t> ItemRec;     // index item -> position in Recs
    std::vector<int32_t> Texts;       // positions in Recs of the texts
    TSegBoxIndex Boxes;
};

TOsnapIndex Index;

// A multiplicative hash over the values that place a record: any change of the drawing's geometry
// (and any record replaced or moved between lists) changes the print.
struct TPrint {
    uint64_t H = 1469598103934665603ull;
    void Add(uint64_t V) {
        H = (H ^ V) * 1099511628211ull;
        H ^= H >> 29;
    }
    void Add(Extended V) {
        const double D = double(V);
        uint64_t U;
        std::memcpy(&U, &D, sizeof U);
        Add(U);
    }
    void Add(const Osy& P) {
        Add(P.x);
        Add(P.y);
    }
};

void PrintList(const TObjHeader* P, TPrint& Pr) {
    for (; P; P = P->Next) {
        Pr.Add(uint64_t(reinterpret_cast<uintptr_t>(P)));
        Pr.Add(uint64_t(P->Type) << 40 | uint64_t(P->Layer) << 32 | uint32_t(P->Size));
        switch (P->Type) {
            case ObjPoint:
                Pr.Add(AsPline(P)->S);
                break;
            case ObjPline: {
                Pr.Add(AsPline(P)->S);
                const int32_t N = PlineSegCount(P);
                const TPlineSeg* S = PlineSegs(P);
                for (int32_t i = 0; i < N; ++i) {
                    Pr.Add(S[i].Alfa);
                    Pr.Add(S[i].E);
                }
                break;
            }
            case ObjGroup:
                Pr.Add(uint64_t(0x67));
                PrintList(static_cast<const TGroupRec*>(P)->First, Pr);
                Pr.Add(uint64_t(0x76));
                break;
            case ObjText:
                Pr.Add(static_cast<const TTextRec*>(P)->Origin);
                break;
            default:
                break;
        }
    }
}

void Collect(TObjHeader* P, std::vector<TObjHeader*>& Recs, std::vector<TIdxBox>& Boxes,
             std::vector<int32_t>& ItemRec, std::vector<int32_t>& Texts) {
    for (; P; P = P->Next) {
        const int32_t R = int32_t(Recs.size());
        switch (P->Type) {
            case ObjPoint: {
                const Osy S = AsPoint(P)->S;
                Recs.push_back(P);
                Boxes.push_back({double(S.x), double(S.y), double(S.x), double(S.y)});
                ItemRec.push_back(R);
                break;
            }
            case ObjPline: {
                Recs.push_back(P);
                const int32_t N = PlineSegCount(P);
                const TPlineSeg* Sg = PlineSegs(P);
                Osy S = AsPline(P)->S;
                if (N == 0) {
                    Boxes.push_back({double(S.x), double(S.y), double(S.x), double(S.y)});
                    ItemRec.push_back(R);
                }
                for (int32_t i = 0; i < N; ++i) {
                    Boxes.push_back(pline::SegBox(S, Sg[i].E, Sg[i].Alfa));
                    ItemRec.push_back(R);
                    S = Sg[i].E;
                }
                break;
            }
            case ObjGroup:
                Collect(AsGroup(P)->First, Recs, Boxes, ItemRec, Texts);
                break;
            case ObjText:
                Recs.push_back(P);
                Texts.push_back(R);
                break;
            default:
                break;
        }
    }
}

void UpdateIndex(TObjHeader* First) {
    TPrint Pr;
    PrintList(First, Pr);
    if (Index.Valid && Index.First == First && Index.Print == Pr.H) return;
    Index.First = First;
    Index.Print = Pr.H;
    Index.Valid = true;
    Index.Recs.clear();
    Index.ItemRec.clear();
    Index.Texts.clear();
    std::vector<TIdxBox> Boxes;
    Collect(First, Index.Recs, Boxes, Index.ItemRec, Index.Texts);
    Index.Boxes.Build(std::move(Boxes));
}

bool LayerShownForSnap(uint8_t L) {
    if (L == LayerOrig) return true;
    return L <= LayerCount && Glob.TabLayer[L].Show;
}

// The segment of a polyline nearest to C among those whose perpendicular foot from C
// lies on them (the first segment when none does).
int32_t FootSegment(const TObjHeader* Obj, const Osy& C) {
    const int32_t N = PlineSegCount(Obj);
    const TPlineSeg* Sg = PlineSegs(Obj);
    int32_t Best = 0;
    Extended BestD = 0;
    bool Found = false;
    Osy S = AsPline(Obj)->S;
    for (int32_t i = 0; i < N; ++i) {
        Osy F;
        Extended D;
        const bool On = pline::PerpFootSeg(C, S, Sg[i].E, Sg[i].Alfa, F, D);
        if (On && (!Found || D < BestD)) {
            Found = true;
            Best = i;
            BestD = D;
        }
        S = Sg[i].E;
    }
    return Best;
}

bool IsPlineWithSegs(const TObjHeader* Obj) {
    return Obj && Obj->Type == ObjPline && PlineSegCount(Obj) > 0;
}

}  // namespace

void ResetOsnapIndex() { Index = TOsnapIndex{}; }

void SnapCandidates(TObjHeader* First, const Osy& C, Extended A, std::vector<TObjHeader*>& Out) {
    UpdateIndex(First);
    std::vector<int32_t> Items;
    const TIdxBox Q{double(C.x - A), double(C.y - A), double(C.x + A), double(C.y + A)};
    Index.Boxes.Query(Q, Items);
    std::vector<int32_t> Pos;
    Pos.reserve(Items.size() + Index.Texts.size());
    for (int32_t It : Items) Pos.push_back(Index.ItemRec[It]);
    Pos.insert(Pos.end(), Index.Texts.begin(), Index.Texts.end());
    std::sort(Pos.begin(), Pos.end());
    Pos.erase(std::unique(Pos.begin(), Pos.end()), Pos.end());
    for (int32_t P : Pos) Out.push_back(Index.Recs[P]);
}

void FindSnapObjects(const std::vector<TObjHeader*>& Candidates, bool PlinesOnly, const Osy& C, Extended A,
                     TSnapPair& Pair) {
    for (TObjHeader* P : Candidates) {
        if (PlinesOnly && P->Type != ObjPline) continue;
        if (!LayerShownForSnap(P->Layer)) continue;
        Extended D;
        switch (P->Type) {
            case ObjPoint:
                D = Dist(AsPoint(P)->S, C);
                if (D > A) continue;
                break;
            case ObjPline: {
                int32_t Seg;
                D = EnPline.DistPoint(P, C, Seg);
                if (D > A) continue;
                break;
            }
            case ObjText:
                D = Dist(AsText(P)->Origin, C);
                break;
            default:
                continue;
        }
        if (D < Pair.D1) {
            Pair.Obj2 = Pair.Obj1;
            Pair.D2 = Pair.D1;
            Pair.Obj1 = P;
            Pair.D1 = D;
        } else if (D < Pair.D2) {
            Pair.Obj2 = P;
            Pair.D2 = D;
        }
    }
}

bool SnapEndPoint(const TObjHeader* Obj, const Osy& C, Extended A, Osy& Out) {
    if (!Obj || Obj->Type != ObjPline) return false;
    const int32_t N = PlineSegCount(Obj);
    const TPlineSeg* Sg = PlineSegs(Obj);
    if (N == 0) {
        Out = AsPline(Obj)->S;
        return true;
    }
    bool Found = false;
    Extended BestD = 0;
    for (int32_t i = -1; i < N; ++i) {
        const Osy V = i < 0 ? AsPline(Obj)->S : Sg[i].E;
        const Extended D = Dist(V, C);
        if (D < A && (!Found || D < BestD)) {
            Found = true;
            BestD = D;
            Out = V;
        }
    }
    if (Found) return true;
    const int32_t I = FootSegment(Obj, C);
    const Osy S = PlineSegStart(Obj, I), E = Sg[I].E;
    Out = Dist(E, C) <= Dist(S, C) ? E : S;
    return true;
}

bool SnapMidPoint(const TObjHeader* Obj, const Osy& C, Osy& Out) {
    if (!Obj || Obj->Type != ObjPline) return false;
    if (PlineSegCount(Obj) == 0) {
        Out = AsPline(Obj)->S;
        return true;
    }
    const int32_t I = FootSegment(Obj, C);
    SegMidPt(PlineSegStart(Obj, I), PlineSegs(Obj)[I].E, PlineSegs(Obj)[I].Alfa, Out);
    return true;
}

bool SnapCentre(const TObjHeader* Obj, const Osy& C, Osy& Out) {
    if (!Obj) return false;
    switch (Obj->Type) {
        case ObjPoint:
            Out = AsPline(Obj)->S;
            return true;
        case ObjText:
            Out = static_cast<const TTextRec*>(Obj)->Origin;
            return true;
        case ObjPline: {
            const int32_t N = PlineSegCount(Obj);
            const TPlineSeg* Sg = PlineSegs(Obj);
            int32_t Best = -1;
            Extended BestD = 0;
            for (int32_t i = 0; i < N; ++i) {
                if (IsLine(Sg[i].Alfa)) continue;
                Osy M;
                SegMidPt(PlineSegStart(Obj, i), Sg[i].E, Sg[i].Alfa, M);
                const Extended D = Dist(M, C);
                if (Best < 0 || D < BestD) {
                    Best = i;
                    BestD = D;
                }
            }
            if (Best < 0) return false;
            Extended R;
            ArcCenter(PlineSegStart(Obj, Best), Sg[Best].E, Sg[Best].Alfa, Out, R);
            return true;
        }
        default:
            return false;
    }
}

bool SnapIntersection(const TObjHeader* Obj1, const TObjHeader* Obj2, const Osy& C, Osy& Out) {
    if (!IsPlineWithSegs(Obj1) || !IsPlineWithSegs(Obj2)) return false;
    const int32_t N1 = PlineSegCount(Obj1), N2 = PlineSegCount(Obj2);
    const TPlineSeg* S1 = PlineSegs(Obj1);
    const TPlineSeg* S2 = PlineSegs(Obj2);
    // Only pairs whose boxes meet can cross; they are visited in the order of the
    // plain double loop, so ties go the same way.
    std::vector<TIdxBox> B2;
    B2.reserve(N2);
    for (int32_t j = 0; j < N2; ++j) B2.push_back(pline::SegBox(PlineSegStart(Obj2, j), S2[j].E, S2[j].Alfa));
    TSegBoxIndex Idx;
    Idx.Build(std::move(B2));
    bool Found = false;
    Extended BestD = 0;
    std::vector<int32_t> Near;
    for (int32_t i = 0; i < N1; ++i) {
        const Osy A1 = PlineSegStart(Obj1, i);
        Near.clear();
        Idx.QuerySorted(pline::SegBox(A1, S1[i].E, S1[i].Alfa), Near);
        for (int32_t j : Near) {
            Osy X[2];
            const unsigned K =
                IntersSegSeg(A1, S1[i].E, PlineSegStart(Obj2, j), S2[j].E, S1[i].Alfa, S2[j].Alfa, X[0], X[1]);
            for (unsigned k = 0; k < K && k < 2; ++k) {
                const Extended D = Dist(X[k], C);
                if (!Found || D < BestD) {
                    Found = true;
                    BestD = D;
                    Out = X[k];
                }
            }
        }
    }
    return Found;
}

bool SnapPerpendicular(const TObjHeader* Obj, const Osy& B, const Osy& C, Osy& Out) {
    if (!IsPlineWithSegs(Obj)) return false;
    int32_t I;
    EnPline.DistPoint(Obj, C, I);
    const Osy S = PlineSegStart(Obj, I), E = PlineSegs(Obj)[I].E;
    const Extended Alfa = PlineSegs(Obj)[I].Alfa;
    Osy F;
    Extended D;
    if (IsLine(Alfa)) {
        if (!PerpFootLine(B, S, E, F, D)) return false;
        Out = F;
        return true;
    }
    if (PerpFootArc(B, S, E, Alfa, F, D)) {
        Out = F;
        return true;
    }
    // The far point of the circle on the line from B through the centre.
    Osy M;
    Extended R;
    ArcCenter(S, E, Alfa, M, R);
    const Extended L = Dist(B, M) + R, Ang = Angle(B, M);
    const Osy Far{B.x + L * std::cos(Ang), B.y + L * std::sin(Ang)};
    if (!PerpFootArc(Far, S, E, Alfa, F, D)) return false;
    Out = F;
    return true;
}

bool SnapTangent(const TObjHeader* Obj, const Osy& B, const Osy& C, Osy& Out) {
    if (!IsPlineWithSegs(Obj)) return false;
    int32_t I;
    EnPline.DistPoint(Obj, C, I);
    const Osy S = PlineSegStart(Obj, I), E = PlineSegs(Obj)[I].E;
    const Extended Alfa = PlineSegs(Obj)[I].Alfa;
    if (IsLine(Alfa)) return false;
    Osy M;
    Extended R;
    ArcCenter(S, E, Alfa, M, R);
    if (Dist(M, B) - R <= CoordTol) return false;
    // The tangent points lie on the circle over the diameter B-M (Thales).
    const Osy Q{(M.x + B.x) / 2, (M.y + B.y) / 2};
    const Extended Rho = Dist(M, B) / 2;
    int Count = 0;
    Osy Res[2];
    for (int k = 0; k < 4; ++k) {
        const Extended A0 = k * GeomPi2, A1 = (k + 1) * GeomPi2;
        const Osy Q1{Q.x + Rho * std::cos(A0), Q.y + Rho * std::sin(A0)};
        const Osy Q2{Q.x + Rho * std::cos(A1), Q.y + Rho * std::sin(A1)};
        Osy X1, X2;
        const unsigned K = IntersArcArc(S, E, Q1, Q2, Alfa, GeomPi2, X1, X2);
        if (K >= 2) {
            Res[0] = X1;
            Res[1] = X2;
            Count = 2;
            break;
        }
        if (K == 1) {
            if (Count == 0) {
                Res[0] = X1;
                Count = 1;
            } else {
                Res[1] = X1;
                Count = 2;
            }
        }
    }
    if (Count == 0) return false;
    Out = Count == 2 && Dist(Res[1], C) <= Dist(Res[0], C) ? Res[1] : Res[0];
    return true;
}

uint8_t OsnapSearch(TObjHeader* First, const TOsnapAuto& K, const Osy& C, const Osy& B, Extended A, Osy& Out) {
    std::vector<TObjHeader*> Cands;
    SnapCandidates(First, C, A, Cands);
    TSnapPair Pair;
    bool Has[7] = {};
    Osy Pt[7];
    if (K.osInt) {
        FindSnapObjects(Cands, true, C, A, Pair);
        if (Pair.Obj1 && Pair.Obj2) Has[osKindInt] = SnapIntersection(Pair.Obj1, Pair.Obj2, C, Pt[osKindInt]);
    }
    if (K.osCen) {
        FindSnapObjects(Cands, false, C, A, Pair);
        Has[osKindCen] = SnapCentre(Pair.Obj1, C, Pt[osKindCen]) || SnapCentre(Pair.Obj2, C, Pt[osKindCen]);
    }
    if (K.osMid) {
        FindSnapObjects(Cands, true, C, A, Pair);
        if (Pair.Obj1) Has[osKindMid] = SnapMidPoint(Pair.Obj1, C, Pt[osKindMid]);
    }
    if (K.osEnd) {
        FindSnapObjects(Cands, true, C, A, Pair);
        if (Pair.Obj1) Has[osKindEnd] = SnapEndPoint(Pair.Obj1, C, A, Pt[osKindEnd]);
    }
    if (K.osPer) {
        FindSnapObjects(Cands, true, C, A, Pair);
        Has[osKindPer] =
            SnapPerpendicular(Pair.Obj1, B, C, Pt[osKindPer]) || SnapPerpendicular(Pair.Obj2, B, C, Pt[osKindPer]);
    }
    if (K.osTan) {
        FindSnapObjects(Cands, true, C, A, Pair);
        Has[osKindTan] = SnapTangent(Pair.Obj1, B, C, Pt[osKindTan]) || SnapTangent(Pair.Obj2, B, C, Pt[osKindTan]);
    }
    uint8_t Kind = 0;
    if (Has[osKindCen]) {
        Kind = osKindCen;
        for (uint8_t k = osKindMid; k <= osKindInt; ++k)
            if (Has[k] && Dist(Pt[k], C) <= A) {
                Kind = k;
                break;
            }
    } else {
        Extended BestD = 10000;
        for (uint8_t k = osKindMid; k <= osKindInt; ++k) {
            if (!Has[k]) continue;
            const Extended D = Dist(Pt[k], C);
            if (D < BestD) {
                BestD = D;
                Kind = k;
            }
        }
    }
    if (Kind) Out = Pt[Kind];
    return Kind;
}

// ---- the main form's side ----

void TMainForm::DrawOsnap() {
    TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    O.Index = 0;
    O.PointFound = false;
    if (!O.Enabled || !O.Search) return;
    uint8_t Kind = 0;
    Osy P;
    if (Glob.BoduNaMm > 0) {
        const Extended A = Glob.OsnapSize / (2 * Glob.BoduNaMm);
        Kind = OsnapSearch(MainVars.DataStart, O, MainVars.PosMouse, MainVars.PickPoint, A, P);
    }
    if (Kind) {
        O.Index = Kind;
        O.LastIndex = Kind;
        O.LastPoint = P;
        DrawOsnapMark(P, Kind);
        O.PointFound = true;
    } else {
        O.LastIndex = 0;
        O.LastPoint = {100000, 100000};
        O.PointFound = false;
    }
}

namespace {
bool ButtonDown(const TMainForm& F, const char* Name) {
    const TSpeedButton* B = F.Find<TSpeedButton>(Name);
    return B && B->Down;
}
}  // namespace

void TMainForm::UpdateOsnapNone() {
    TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    O.osNone = !(O.osEnd || O.osMid || O.osInt || O.osCen || O.osPer || O.osTan);
}

void TMainForm::SpdBtnEndClick() {
    MainVars.Mouse.OsnapAuto.osEnd = ButtonDown(*this, "SpdBtnEnd");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnMidClick() {
    MainVars.Mouse.OsnapAuto.osMid = ButtonDown(*this, "SpdBtnMid");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnCenClick() {
    MainVars.Mouse.OsnapAuto.osCen = ButtonDown(*this, "SpdBtnCen");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnIntClick() {
    MainVars.Mouse.OsnapAuto.osInt = ButtonDown(*this, "SpdBtnInt");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnPerClick() {
    MainVars.Mouse.OsnapAuto.osPer = ButtonDown(*this, "SpdBtnPer");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnTanClick() {
    MainVars.Mouse.OsnapAuto.osTan = ButtonDown(*this, "SpdBtnTan");
    UpdateOsnapNone();
}

void TMainForm::SbtnOsnapSwitchClick() {
    MainVars.Mouse.OsnapAuto.Enabled = ButtonDown(*this, "SbtnOsnapSwitch");
    ComRedraw();
}

void TMainForm::OnsapOnMNUClick() {
    if (TSpeedButton* B = Find<TSpeedButton>("SbtnOsnapSwitch")) {
        B->Down = !B->Down;
        SbtnOsnapSwitchClick();
    } else {
        MainVars.Mouse.OsnapAuto.Enabled = !MainVars.Mouse.OsnapAuto.Enabled;
        ComRedraw();
    }
}

void TMainForm::ComPanelClick() {
    for (const char* N : {"SpdBtnEnd", "SpdBtnMid", "SpdBtnCen", "SpdBtnInt", "SpdBtnPer", "SpdBtnTan"})
        if (TSpeedButton* B = Find<TSpeedButton>(N)) B->Down = false;
    TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    O.osEnd = O.osMid = O.osInt = O.osCen = O.osPer = O.osTan = false;
    O.osNone = true;
    ComRedraw();
}
