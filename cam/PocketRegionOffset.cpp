#include "cam/PocketRegionOffset.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPlineOffset.h"

namespace {

std::string AdrText(const void* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }

struct TVertexSet {
    offs::TPtGrid Grid;
    std::vector<Osy> Pts;
    void Add(const TObjHeader* p) {
        auto Put = [this](const Osy& P) {
            Grid.Add(P, int32_t(Pts.size()));
            Pts.push_back(P);
        };
        Put(AsPline(p)->S);
        for (int32_t i = 0; i < PlineSegCount(p); ++i) Put(PlineSegs(p)[i].E);
    }
    bool Has(const Osy& P) const {
        bool Found = false;
        Grid.Near(P, [&](int32_t id) { Found = Found || SamePt(Pts[size_t(id)], P); });
        return Found;
    }
};

// Moves every open piece of Disc whose ends both lie on vertices of the loops to Cand.
void TakeCandidates(TObjHeader*& DS, TObjHeader*& DE, const TVertexSet& V, TObjHeader*& CS, TObjHeader*& CE) {
    for (TObjHeader* p = DS; p;) {
        TObjHeader* Next = p->Next;
        if (EnPline.OpenPline(p) && V.Has(AsPline(p)->S) && V.Has(PlineEndPt(p))) {
            UnlinkObj(p, DS, DE);
            AppendObj(p, CS, CE);
        }
        p = Next;
    }
}

}  // namespace

bool PocketRegionOffset(bool Inside, TObjHeader* First, Extended Dist, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La) {
    WriteLog("CAM:Offset offsets Start (La:" + std::to_string(La) + ", InStartAdr:" + AdrText(First) + ")");
    std::vector<TObjHeader*> Src;
    for (TObjHeader* p = First; p; p = p->Next)
        if (p->Type == ObjPline) Src.push_back(p);
    TObjHeader *S = nullptr, *E = nullptr;
    for (size_t i = 0; i < Src.size(); ++i) {
        TObjHeader *OS = nullptr, *OE = nullptr;
        const bool In = i == 0 ? Inside : !Inside;
        EnPline.GenOffsetClose(Src[i], Dist, In, false, OS, OE, La);
        if (!OS) {
            WriteLog(i == 0 ? "Err:FAILED, no outer offset" : "Err:FAILED, no inner offset");
            FreeObjList(S, E);
            return false;
        }
        ConcatObjLists(S, E, OS, OE);
    }
    offs::ExciseMicroLoops(S, E);
    offs::DivideAtSelfMeets(S, E, false);
    offs::DropMicroLoops(S, E);
    offs::PlineTrunc(S, E, false);
    // The pieces dropped by the distance tests are kept aside: the narrow places are among them.
    std::vector<std::pair<TObjHeader*, TObjHeader*>> Shadow;
    for (TObjHeader* p = S; p; p = p->Next) Shadow.push_back({p, CopyObjBlock(p)});
    for (TObjHeader* s : Src) offs::DropPiecesTouchingVertices(S, E, s, false);
    for (TObjHeader* s : Src) offs::DropPiecesNear(S, E, s, Dist, false);
    std::unordered_set<TObjHeader*> Kept;
    for (TObjHeader* p = S; p; p = p->Next) Kept.insert(p);
    TObjHeader *DS = nullptr, *DE = nullptr;
    for (auto& [Orig, Copy] : Shadow) {
        if (Kept.count(Orig))
            FreeObjBlock(Copy);
        else
            AppendObj(Copy, DS, DE);
    }
    TObjHeader *RS = nullptr, *RE = nullptr;
    EnPline.OffsPlineJoin(false, S, E, RS, RE);
    EnPline.OffsPlineJoin(true, S, E, RS, RE);
    ConcatObjLists(DS, DE, S, E);
    for (TObjHeader* p = DS; p;) {
        TObjHeader* Next = p->Next;
        if (!EnPline.OpenPline(p)) DeleteObj(p, DS, DE);
        p = Next;
    }
    TVertexSet V;
    for (TObjHeader* p = RS; p; p = p->Next) {
        EnPline.FindDir(p);
        V.Add(p);
    }
    TObjHeader *CS = nullptr, *CE = nullptr;
    TakeCandidates(DS, DE, V, CS, CE);
    TObjHeader *JS = nullptr, *JE = nullptr;
    EnPline.OffsPlineJoin(false, DS, DE, JS, JE);
    EnPline.OffsPlineJoin(true, DS, DE, JS, JE);
    FreeObjList(JS, JE);
    TakeCandidates(DS, DE, V, CS, CE);
    FreeObjList(DS, DE);
    // Two pieces of which each ends where the other starts are the sides of one narrow place.
    for (bool Found = true; Found;) {
        Found = false;
        for (TObjHeader* a = CS; a && !Found; a = a->Next)
            for (TObjHeader* b = a->Next; b && !Found; b = b->Next)
                if (SamePt(PlineEndPt(a), AsPline(b)->S) && SamePt(PlineEndPt(b), AsPline(a)->S)) {
                    UnlinkObj(a, CS, CE);
                    UnlinkObj(b, CS, CE);
                    AppendObj(a, FailStart, FailEnd);
                    AppendObj(b, FailStart, FailEnd);
                    Found = true;
                }
    }
    FreeObjList(CS, CE);
    ConcatObjLists(OutStart, OutEnd, RS, RE);
    WriteLog("CAM:Offset offsets End");
    return true;
}
