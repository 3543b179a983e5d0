// Boundary networks, the area round a picked point, and merging area groups.
#include "core/UniArea.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "core/UniWalk.h"

namespace {

constexpr Extended ProbeLen = 10000;

bool IsSel(const TObjHeader* r) { return (r->Flags & FlagSelected) != 0; }
void SetSel(TObjHeader* r) { r->Flags |= FlagSelected; }
void ClearSel(TObjHeader* r) { r->Flags &= uint8_t(~FlagSelected); }

bool Straight(Extended Alfa) { return std::fabs(Alfa) <= CoordTol; }

// The middle of the first / the last segment.
Osy FirstMid(const TObjHeader* p) {
    Osy M;
    SegMidPt(AsPline(p)->S, PlineSegs(p)[0].E, PlineSegs(p)[0].Alfa, M);
    return M;
}

// Meeting points of segment S-E-Alfa with the half circle above (Upper) or below the
// centre E0 of radius R.
unsigned HalfCircleHit(const Osy& S, const Osy& E, Extended Alfa, const Osy& E0, Extended R, bool Upper, Osy& X) {
    const Osy a{E0.x + R, E0.y}, b{E0.x - R, E0.y};
    Osy x2;
    return Upper ? IntersSegSeg(S, E, a, b, Alfa, GeomPi, X, x2) : IntersSegSeg(S, E, b, a, Alfa, GeomPi, X, x2);
}

bool CircleHit(const Osy& S, const Osy& E, Extended Alfa, const Osy& E0, Extended R, Osy& X) {
    return HalfCircleHit(S, E, Alfa, E0, R, true, X) > 0 || HalfCircleHit(S, E, Alfa, E0, R, false, X) > 0;
}

// Two one-segment views are the same segment, the same way or opposite ways.
bool SameSeg(const Osy& S1, const Osy& E1, Extended A1, const Osy& S2, const Osy& E2, Extended A2) {
    if (SamePt(S1, S2) && SamePt(E1, E2) && std::fabs(A1 - A2) <= CoordTol) return true;
    return SamePt(S1, E2) && SamePt(E1, S2) && std::fabs(A1 + A2) <= CoordTol;
}

}  // namespace

bool RayHitPline(const Osy& A, const Osy& B, const TObjHeader* Pline, Osy& X) {
    if (!Pline || Pline->Type != ObjPline) return false;
    const int32_t n = PlineSegCount(Pline);
    const TPlineSeg* seg = PlineSegs(Pline);
    for (int32_t k = 0; k < n; ++k) {
        const Osy S = PlineSegStart(Pline, k);
        Osy x1, x2;
        const unsigned c = Straight(seg[k].Alfa) ? IntersLineLine(A, B, S, seg[k].E, x1, x2)
                                                 : IntersLineArc(A, B, S, seg[k].E, seg[k].Alfa, x1, x2);
        if (c > 0) {
            X = x1;
            return true;
        }
    }
    return false;
}

TObjHeader* TraceArea(TObjHeader*& ChainStart, TObjHeader*& ChainEnd, TObjHeader* CandStart) {
    TObjHeader* chain = ChainStart;
    if (!chain || chain->Type != ObjPline || PlineSegCount(chain) == 0) {
        FreeObjList(ChainStart, ChainEnd);
        return nullptr;
    }
    // The candidates' end points do not change when a candidate is reversed, so one
    // index of both ends serves the whole trace.
    std::vector<TObjHeader*> cands;
    area::TPtBuckets ends;
    for (TObjHeader* c = CandStart; c; c = c->Next) {
        if (c->Type != ObjPline || PlineSegCount(c) == 0) continue;
        const int32_t id = int32_t(cands.size());
        cands.push_back(c);
        ends.Add(AsPline(c)->S, id);
        ends.Add(PlineEndPt(c), id);
    }
    const Osy S0 = AsPline(chain)->S;
    // The chain grows in segs and becomes one record at the end (growing the record
    // piece by piece would copy it at every step).
    std::vector<TPlineSeg> segs(PlineSegs(chain), PlineSegs(chain) + PlineSegCount(chain));
    std::vector<int32_t> near, counted;
    while (!SamePt(segs.back().E, S0)) {
        const size_t n = segs.size();
        const Osy P = n > 1 ? segs[n - 2].E : S0, E = segs[n - 1].E;
        const Extended A = segs[n - 1].Alfa;
        Osy M;
        SegMidPt(P, E, A, M);
        Extended r = Dist(E, M);

        near.clear();
        ends.Near(E, [&](int32_t id) { near.push_back(id); });
        std::sort(near.begin(), near.end());
        near.erase(std::unique(near.begin(), near.end()), near.end());
        counted.clear();
        for (int32_t id : near) {
            TObjHeader* c = cands[size_t(id)];
            if (!IsSel(c)) continue;
            if (SamePt(PlineEndPt(c), E)) {
                EnPline.ChangeDir(c);
                SetSel(c);
            }
            if (SamePt(AsPline(c)->S, E)) {
                counted.push_back(id);
                r = std::min(r, Dist(E, FirstMid(c)));
            }
        }
        if (counted.empty()) {
            FreeObjList(ChainStart, ChainEnd);
            return nullptr;
        }
        int32_t pick = counted.back();
        if (counted.size() > 1) {
            // Turn as far left as possible: the smallest angle clockwise from the way
            // back along the chain, measured where the segments cross a small circle.
            Osy X;
            if (!CircleHit(P, E, A, E, r, X)) {
                FreeObjList(ChainStart, ChainEnd);
                return nullptr;
            }
            const Extended a0 = Angle(E, X);
            Extended best = 100;
            int32_t got = -1;
            for (int32_t id : counted) {
                const TObjHeader* c = cands[size_t(id)];
                Osy Y;
                if (!CircleHit(AsPline(c)->S, PlineSegs(c)[0].E, PlineSegs(c)[0].Alfa, E, r, Y)) continue;
                const Extended d = NormAngleOf(a0 - Angle(E, Y));
                if (d < best) {
                    best = d;
                    got = id;
                }
            }
            if (got >= 0) pick = got;
        }
        TObjHeader* c = cands[size_t(pick)];
        ClearSel(c);
        segs.insert(segs.end(), PlineSegs(c), PlineSegs(c) + PlineSegCount(c));
    }
    if (segs.size() != size_t(PlineSegCount(chain))) {
        // The chain's own fields with all the segments, in the chain's place.
        const int32_t size = PlineSizeFor(int32_t(segs.size()));
        TObjHeader* r = AllocObj(size, ObjPline);
        std::memcpy(reinterpret_cast<uint8_t*>(r) + offsetof(TObjHeader, Size),
                    reinterpret_cast<const uint8_t*>(chain) + offsetof(TObjHeader, Size),
                    sizeof(TPlineRec) - offsetof(TObjHeader, Size));
        r->Size = size;
        std::memcpy(static_cast<void*>(PlineSegs(r)), segs.data(), sizeof(TPlineSeg) * segs.size());
        ReplaceObj(chain, r, ChainStart, ChainEnd);
        chain = r;
    }
    if (!EnPline.OpenPline(chain)) EnPline.FindDir(chain);
    return chain;
}

void SelectBorder(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!StartAdr) return;
    SelectAll(StartAdr);
    EnPline.Join(0, StartAdr, EndAdr);

    for (TObjHeader* p : area::ListToVector(StartAdr))
        if (p->Type == ObjPline) EnPline.Divide(p, StartAdr, EndAdr);
    EnPline.PlineTrunc(StartAdr, EndAdr);

    // Dangling open pieces, until none is left: a deletion can leave the pieces that
    // met it dangling, so those are looked at again.
    std::vector<TObjHeader*> v = area::ListToVector(StartAdr);
    std::vector<char> gone(v.size(), 0);
    area::TPtBuckets ends;
    for (int32_t i = 0; i < int32_t(v.size()); ++i) {
        if (v[size_t(i)]->Type != ObjPline) continue;
        ends.Add(AsPline(v[size_t(i)])->S, i);
        ends.Add(PlineEndPt(v[size_t(i)]), i);
    }
    auto meetsOther = [&](int32_t i, const Osy& q) {
        bool hit = false;
        ends.Near(q, [&](int32_t j) {
            if (j == i || gone[size_t(j)] || hit) return;
            hit = SamePt(AsPline(v[size_t(j)])->S, q) || SamePt(PlineEndPt(v[size_t(j)]), q);
        });
        return hit;
    };
    std::vector<int32_t> work;
    for (int32_t i = int32_t(v.size()) - 1; i >= 0; --i) work.push_back(i);
    while (!work.empty()) {
        const int32_t i = work.back();
        work.pop_back();
        TObjHeader* p = v[size_t(i)];
        if (gone[size_t(i)] || p->Type != ObjPline || !EnPline.OpenPline(p)) continue;
        const Osy s = AsPline(p)->S, e = PlineEndPt(p);
        if (meetsOther(i, s) && meetsOther(i, e)) continue;
        gone[size_t(i)] = 1;
        for (const Osy& q : {s, e})
            ends.Near(q, [&](int32_t j) {
                if (!gone[size_t(j)]) work.push_back(j);
            });
    }
    for (size_t i = 0; i < v.size(); ++i)
        if (gone[i]) DeleteObj(v[i], StartAdr, EndAdr);

    // Duplicate pieces: the earlier of two equal ones goes.
    v = area::ListToVector(StartAdr);
    gone.assign(v.size(), 0);
    area::TPtBuckets starts;
    for (int32_t i = 0; i < int32_t(v.size()); ++i)
        if (v[size_t(i)]->Type == ObjPline) starts.Add(AsPline(v[size_t(i)])->S, i);
    std::vector<int32_t> near;
    for (int32_t i = 0; i < int32_t(v.size()); ++i) {
        TObjHeader* a = v[size_t(i)];
        if (a->Type != ObjPline) continue;
        const Osy s = AsPline(a)->S, e = PlineEndPt(a);
        near.clear();
        starts.Near(s, [&](int32_t j) { near.push_back(j); });
        starts.Near(e, [&](int32_t j) { near.push_back(j); });
        std::sort(near.begin(), near.end());
        near.erase(std::unique(near.begin(), near.end()), near.end());
        for (int32_t j : near) {
            if (j <= i || gone[size_t(j)]) continue;
            TObjHeader* b = v[size_t(j)];
            const Osy bs = AsPline(b)->S, be = PlineEndPt(b);
            const bool ends2 = (SamePt(s, bs) && SamePt(e, be)) || (SamePt(s, be) && SamePt(e, bs));
            if (ends2 && Duplicity(a, b)) {
                gone[size_t(i)] = 1;
                DeleteObj(a, StartAdr, EndAdr);
                break;
            }
        }
    }
}

TObjHeader* SelectArea(const Osy& Pt, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!StartAdr) return nullptr;

    // The probe to the right: the nearest boundary point.
    const Osy B{Pt.x + ProbeLen, Pt.y};
    Extended best = ProbeLen;
    TObjHeader* H = nullptr;
    int32_t hitSeg = -1;
    Osy X{};
    for (TObjHeader* p = StartAdr; p; p = p->Next) {
        if (p->Type != ObjPline) continue;
        const int32_t n = PlineSegCount(p);
        const TPlineSeg* seg = PlineSegs(p);
        for (int32_t k = 0; k < n; ++k) {
            const Osy S = PlineSegStart(p, k);
            Osy x[2];
            const unsigned c = Straight(seg[k].Alfa) ? IntersLineLine(Pt, B, S, seg[k].E, x[0], x[1])
                                                     : IntersLineArc(Pt, B, S, seg[k].E, seg[k].Alfa, x[0], x[1]);
            for (unsigned q = 0; q < c && q < 2; ++q)
                if (x[q].x - Pt.x < best) {
                    best = x[q].x - Pt.x;
                    H = p;
                    hitSeg = k;
                    X = x[q];
                }
        }
    }
    if (!H) return nullptr;

    SelectAll(StartAdr);
    ClearSel(H);

    // Orient a copy of H so that the area round Pt lies on its left: of the two ways
    // away from X, the one turning left of the way up is the way to go.
    TObjHeader *cS = nullptr, *cE = nullptr, *wS = nullptr, *wE = nullptr;
    TObjHeader* C = EnPline.CopyIdent(H, cS, cE);
    TObjHeader* W = EnPline.CopyIdent(H, wS, wE);
    std::vector<TObjHeader*> pieces = EnPline.BreakPlineOnPoint(X, W, hitSeg, wS, wE);
    TObjHeader* chosen = nullptr;
    Extended chosenV = 0;
    for (TObjHeader* piece : pieces) {
        if (piece->Type != ObjPline || PlineSegCount(piece) == 0) continue;
        if (SamePt(PlineEndPt(piece), X)) EnPline.ChangeDir(piece);
        const Extended v = NormAngleOf(GeomPi - EnPline.TanStart(piece));
        if (!chosen || v <= chosenV) {
            chosen = piece;
            chosenV = v;
        }
    }
    if (chosen && !SamePt(PlineEndPt(C), PlineEndPt(chosen))) EnPline.ChangeDir(C);
    FreeObjList(wS, wE);

    TObjHeader* loop = TraceArea(cS, cE, StartAdr);
    if (!loop) return nullptr;
    if (EnPline.OpenPline(loop) || !EnPline.PointInside(loop, Pt)) {
        FreeObjList(cS, cE);
        return nullptr;
    }

    // Islands: closed boundaries inside the loop join the area list, open ones become
    // candidates for tracing the outlines of islands made of pieces.
    TObjHeader *gS = nullptr, *gE = nullptr;
    for (TObjHeader* b = StartAdr; b; b = b->Next) {
        if (b->Type != ObjPline || !IsSel(b) || !EnPline.PointInside(loop, AsPline(b)->S)) continue;
        if (EnPline.OpenPline(b))
            EnPline.CopyIdent(b, gS, gE);
        else
            EnPline.CopyIdent(b, cS, cE);
        ClearSel(b);
    }
    if (gS) SelectAll(gS);
    while (gS) {
        bool changed = false;
        for (TObjHeader* g : area::ListToVector(gS)) {
            if (!IsSel(g)) continue;
            // Does every segment see candidates on both sides?
            bool both = true;
            const int32_t n = PlineSegCount(g);
            for (int32_t k = 0; k < n && both; ++k) {
                const Osy P = PlineSegStart(g, k), E = PlineSegs(g)[k].E;
                Osy M;
                SegMidPt(P, E, PlineSegs(g)[k].Alfa, M);
                auto seen = [&](Extended dir) {
                    const Extended a = NormAngleOf(dir);
                    const Osy c{std::cos(a), std::sin(a)};
                    const Osy p0{M.x + 2 * CoordTol * c.x, M.y + 2 * CoordTol * c.y};
                    const Osy p1{M.x + ProbeLen * c.x, M.y + ProbeLen * c.y};
                    for (TObjHeader* o = gS; o; o = o->Next) {
                        Osy hit;
                        if (o != g && RayHitPline(p0, p1, o, hit)) return true;
                    }
                    return false;
                };
                if (!seen(Angle(P, E) - GeomPi2)) {
                    EnPline.ChangeDir(g);
                    both = false;
                } else if (!seen(Angle(P, E) + GeomPi2)) {
                    both = false;
                }
            }
            if (both) continue;
            changed = true;
            ClearSel(g);
            TObjHeader *tS = nullptr, *tE = nullptr;
            EnPline.CopyIdent(g, tS, tE);
            TObjHeader* hole = TraceArea(tS, tE, gS);
            if (!hole) continue;
            AsPline(hole)->PlineFlags = PlineClosed | PlineCW;
            for (TObjHeader* o = gS; o; o = o->Next)
                if (IsSel(o) && EnPline.PlineInside(o, hole)) ClearSel(o);
            UnlinkObj(hole, tS, tE);
            AppendObj(hole, cS, cE);
        }
        for (TObjHeader* o = gS; o;) {
            TObjHeader* next = o->Next;
            if (!IsSel(o)) DeleteObj(o, gS, gE);
            o = next;
        }
        // A pass that changes nothing would repeat for ever: the rest is dropped.
        if (!changed) FreeObjList(gS, gE);
    }

    GroupByNesting(cS, cE, Glob.LayerDraw);
    TObjHeader* result = nullptr;
    for (TObjHeader* g = cS; g;) {
        TObjHeader* next = g->Next;
        if (g->Type == ObjGroup && AsGroup(g)->First == loop && !result) {
            UnlinkObj(g, cS, cE);
            EnGroup.UpdateCount(g);
            result = g;
        }
        g = next;
    }
    FreeObjList(cS, cE);
    return result;
}

void MergeShared(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    std::vector<TObjHeader*> two = area::ListToVector(StartAdr);
    for (auto it = two.rbegin(); it != two.rend(); ++it)
        if ((*it)->Type == ObjPline) EnPline.Explode(*it, StartAdr, EndAdr);

    // Segments present twice go in pairs, the earliest partner first.
    std::vector<TObjHeader*> v = area::ListToVector(StartAdr);
    std::vector<char> gone(v.size(), 0);
    area::TPtBuckets starts;
    for (int32_t i = 0; i < int32_t(v.size()); ++i)
        if (v[size_t(i)]->Type == ObjPline && PlineSegCount(v[size_t(i)]) == 1) starts.Add(AsPline(v[size_t(i)])->S, i);
    std::vector<int32_t> near;
    for (int32_t i = 0; i < int32_t(v.size()); ++i) {
        const TObjHeader* r = v[size_t(i)];
        if (gone[size_t(i)] || r->Type != ObjPline || PlineSegCount(r) != 1) continue;
        const Osy s = AsPline(r)->S, e = PlineSegs(r)[0].E;
        const Extended a = PlineSegs(r)[0].Alfa;
        near.clear();
        starts.Near(s, [&](int32_t j) { near.push_back(j); });
        starts.Near(e, [&](int32_t j) { near.push_back(j); });
        std::sort(near.begin(), near.end());
        for (int32_t j : near) {
            if (j <= i || gone[size_t(j)]) continue;
            const TObjHeader* q = v[size_t(j)];
            if (SameSeg(s, e, a, AsPline(q)->S, PlineSegs(q)[0].E, PlineSegs(q)[0].Alfa)) {
                gone[size_t(i)] = gone[size_t(j)] = 1;
                break;
            }
        }
    }
    for (size_t i = 0; i < v.size(); ++i)
        if (gone[i]) DeleteObj(v[i], StartAdr, EndAdr);
    if (StartAdr) {
        SelectAll(StartAdr);
        EnPline.Join(0, StartAdr, EndAdr);
    }
}

void AreaJoin(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    TObjHeader *wS = nullptr, *wE = nullptr;
    for (TObjHeader* g = StartAdr; g; g = g->Next) {
        if (g->Type != ObjGroup) continue;
        for (TObjHeader* m = AsGroup(g)->First; m; m = m->Next)
            if (m->Type == ObjPline) EnPline.CopyIdent(m, wS, wE);
    }

    // Segments indexed by their start points. Records are numbered in list order
    // (merged ones are appended with higher numbers); an entry counts only while its
    // record still carries the number the entry was made with.
    struct TEnt {
        TObjHeader* P;
        int64_t Ord;
        int32_t K;
    };
    std::unordered_map<const TObjHeader*, int64_t> ord;
    int64_t nextOrd = 0;
    std::vector<TEnt> ents;
    area::TPtBuckets starts;
    auto index = [&](TObjHeader* p) {
        if (p->Type != ObjPline) return;
        ord[p] = nextOrd;
        for (int32_t k = 0; k < PlineSegCount(p); ++k) {
            starts.Add(PlineSegStart(p, k), int32_t(ents.size()));
            ents.push_back({p, nextOrd, k});
        }
        ++nextOrd;
    };
    for (TObjHeader* p = wS; p; p = p->Next) index(p);

    // The first polyline A with a partner B after it that shares a segment (the first
    // such B in list order) is merged with it. Polylines before A had no partner then
    // and cannot gain one from the merged result (made of A's and B's segments), so
    // the search goes on from A's place.
    TObjHeader* a = wS;
    while (a) {
        auto ia = ord.find(a);
        if (a->Type != ObjPline || ia == ord.end()) {
            a = a->Next;
            continue;
        }
        const int64_t oa = ia->second;
        TObjHeader* b = nullptr;
        int64_t ob = 0;
        for (int32_t k = 0; k < PlineSegCount(a); ++k) {
            const Osy s = PlineSegStart(a, k), e = PlineSegs(a)[k].E;
            const Extended al = PlineSegs(a)[k].Alfa;
            auto visit = [&](int32_t id) {
                const TEnt& en = ents[size_t(id)];
                if (en.Ord <= oa || (b && en.Ord >= ob)) return;
                auto it = ord.find(en.P);
                if (it == ord.end() || it->second != en.Ord) return;
                if (SameSeg(s, e, al, PlineSegStart(en.P, en.K), PlineSegs(en.P)[en.K].E, PlineSegs(en.P)[en.K].Alfa)) {
                    b = en.P;
                    ob = en.Ord;
                }
            };
            starts.Near(s, visit);
            starts.Near(e, visit);
        }
        if (!b) {
            a = a->Next;
            continue;
        }
        TObjHeader* resume = a->Prev;
        ord.erase(a);
        ord.erase(b);
        TObjHeader *mS = nullptr, *mE = nullptr;
        UnlinkObj(a, wS, wE);
        UnlinkObj(b, wS, wE);
        AppendObj(a, mS, mE);
        AppendObj(b, mS, mE);
        MergeShared(mS, mE);
        for (TObjHeader* r = mS; r; r = r->Next) index(r);
        ConcatObjLists(wS, wE, mS, mE);
        a = resume ? resume->Next : wS;
    }
    if (wS) GroupByNesting(wS, wE, Glob.LayerDraw);
    for (TObjHeader* g = wS; g; g = g->Next)
        if (g->Type == ObjGroup) EnGroup.UpdateCount(g);
    FreeObjList(StartAdr, EndAdr);
    StartAdr = wS;
    EndAdr = wE;
}
