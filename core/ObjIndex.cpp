// The drawing's record index: slots with boxes and list ranks, a box tree over the
// slots of the last build, and the slots added since, searched one by one until there
// are enough of them to build again.
#include "core/ObjIndex.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/Entity.h"
#include "core/UniPlineUtil.h"

namespace {

// Fresh or dead slots beyond these shares start a new build on the next query.
bool TooManyFresh(size_t Fresh, int32_t Built) { return Fresh > 256 + size_t(Built) / 16; }
bool TooManyDead(int32_t Dead, int32_t Built) { return Dead > 64 + Built / 4; }

TIdxBox Whole() { return {-1e300, -1e300, 1e300, 1e300}; }

// The record's box, a little wider than its exact one so that rounding to double
// loses nothing. A box that cannot be had (an unknown kind, an empty group, a
// coordinate that is not a number) is the whole plane: such a record is always visited.
TIdxBox RecordBox(TObjHeader* P) {
    if (P->Type < ObjPoint || P->Type > ObjPline3D) return Whole();
    Osy Mn, Mx;
    EnvelopeObj(P, Mn, Mx);
    const double x1 = double(Mn.x), y1 = double(Mn.y), x2 = double(Mx.x), y2 = double(Mx.y);
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)) || x1 > x2 || y1 > y2)
        return Whole();
    auto Pad = [](double v) { return 10 * double(CoordTol) + std::fabs(v) * 1e-12; };
    return {x1 - Pad(x1), y1 - Pad(y1), x2 + Pad(x2), y2 + Pad(y2)};
}

// Whether the record is a text or a group that holds one (at any depth).
bool HoldsText(const TObjHeader* P) {
    std::vector<const TObjHeader*> Work{P};
    while (!Work.empty()) {
        const TObjHeader* R = Work.back();
        Work.pop_back();
        if (R->Type == ObjText) return true;
        if (R->Type == ObjGroup)
            for (const TObjHeader* M = static_cast<const TGroupRec*>(R)->First; M; M = M->Next) Work.push_back(M);
    }
    return false;
}

TIdxBox Unite(const TIdxBox& A, const TIdxBox& B) {
    return {std::min(A.x1, B.x1), std::min(A.y1, B.y1), std::max(A.x2, B.x2), std::max(A.y2, B.y2)};
}

struct THash {
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
    void Add(const void* P) { Add(uint64_t(reinterpret_cast<uintptr_t>(P))); }
};

// A print of a polyline's size and a few of its points: a cached segment index whose
// record was changed behind the index's back is not used.
uint64_t PlinePrint(const TObjHeader* P) {
    THash H;
    H.Add(uint64_t(uint32_t(P->Size)));
    H.Add(AsPline(P)->S);
    const int32_t N = PlineSegCount(P);
    const TPlineSeg* S = PlineSegs(P);
    for (int32_t i : {0, N / 3, N / 2, (2 * N) / 3, N - 1}) {
        if (i < 0 || i >= N) continue;
        H.Add(S[i].Alfa);
        H.Add(S[i].E);
    }
    return H.H;
}

// A print of what places a record, taken in a few steps whatever its size: its kind
// and size, its first points and a few more, a text's window, a group's ends.
uint64_t RecordPrint(const TObjHeader* P) {
    switch (P->Type) {
        case ObjPoint:
        case ObjPline:
            return PlinePrint(P);
        case ObjText: {
            const TTextRec* T = static_cast<const TTextRec*>(P);
            THash H;
            H.Add(T->Origin);
            H.Add(T->WinMin);
            H.Add(T->WinMax);
            H.Add(T->AdrGroup);
            return H.H;
        }
        case ObjGroup: {
            const TGroupRec* G = static_cast<const TGroupRec*>(P);
            THash H;
            H.Add(G->First);
            H.Add(G->Last);
            H.Add(uint64_t(uint32_t(G->Count)));
            for (const TObjHeader* M : {G->First, G->Last})
                if (M && M->Type != ObjGroup) H.Add(RecordPrint(M));
            return H.H;
        }
        case ObjPline3D: {
            THash H;
            H.Add(uint64_t(uint32_t(P->Size)));
            const int32_t N = Pline3DSegCount(P);
            const TPline3DRec* R = static_cast<const TPline3DRec*>(P);
            H.Add(R->S.x);
            H.Add(R->S.y);
            if (N > 0) {
                H.Add(Pline3DSegs(P)[N - 1].E.x);
                H.Add(Pline3DSegs(P)[N - 1].E.y);
                H.Add(Pline3DSegs(P)[N / 2].E.x);
                H.Add(Pline3DSegs(P)[N / 2].E.y);
            }
            return H.H;
        }
        default:
            return 0;
    }
}

}  // namespace

TObjIndex& DrawingIndex() {
    static TObjIndex I;
    return I;
}

void TObjIndex::Follow(TObjHeader* const* Start, TObjHeader* const* End) {
    StartVar = Start;
    EndVar = End;
    Invalidate();
}

bool TObjIndex::EndsKnown() const {
    if (!StartVar || !EndVar) return true;
    const TObjHeader* S = *StartVar;
    const TObjHeader* E = *EndVar;
    if (!S || !E) return !S && !E && SlotOf.empty();
    return SlotOf.count(S) && SlotOf.count(E);
}

int32_t TObjIndex::AddSlot(TObjHeader* Obj, int64_t Rank) {
    if (auto It = SlotOf.find(Obj); It != SlotOf.end()) Kill(Obj);
    const int32_t Id = int32_t(Slots.size());
    TSlot S;
    S.Rec = Obj;
    S.Rank = Rank;
    Slots.push_back(S);
    SlotOf[Obj] = Id;
    return Id;
}

void TObjIndex::Kill(const TObjHeader* Obj) {
    auto It = SlotOf.find(Obj);
    if (It == SlotOf.end()) return;
    Slots[size_t(It->second)].Alive = false;
    if (It->second < Built) ++Dead;
    SlotOf.erase(It);
}

void TObjIndex::DropSegments(const TObjHeader* Obj) {
    if (SegCache.empty() || !Obj) return;
    std::vector<const TObjHeader*> Work{Obj};
    while (!Work.empty()) {
        const TObjHeader* R = Work.back();
        Work.pop_back();
        SegCache.erase(R);
        if (R->Type == ObjGroup) {
            for (const TObjHeader* M = static_cast<const TGroupRec*>(R)->First; M; M = M->Next) Work.push_back(M);
        } else if (R->Type == ObjText) {
            if (const TObjHeader* G = static_cast<const TTextRec*>(R)->AdrGroup) Work.push_back(G);
        }
    }
}

void TObjIndex::Appended(TObjHeader* Obj) {
    if (AllDirty || !Obj) return;
    AddSlot(Obj, NextRank++);
}

void TObjIndex::Inserted(TObjHeader* Obj) {
    if (AllDirty || !Obj) return;
    AddSlot(Obj, 0);
    OrderDirty = true;
}

void TObjIndex::Unlinked(TObjHeader* Obj) {
    DropSegments(Obj);
    if (AllDirty || !Obj) return;
    Kill(Obj);
}

void TObjIndex::Replaced(TObjHeader* Old, TObjHeader* New) {
    DropSegments(Old);
    if (AllDirty) return;
    auto It = SlotOf.find(Old);
    if (It == SlotOf.end()) {
        Invalidate();
        return;
    }
    const int64_t Rank = Slots[size_t(It->second)].Rank;
    Kill(Old);
    AddSlot(New, Rank);
}

void TObjIndex::Swapped(TObjHeader* A, TObjHeader* B) {
    if (AllDirty) return;
    auto Ia = SlotOf.find(A), Ib = SlotOf.find(B);
    if (Ia == SlotOf.end() || Ib == SlotOf.end()) {
        OrderDirty = true;
        return;
    }
    std::swap(Slots[size_t(Ia->second)].Rank, Slots[size_t(Ib->second)].Rank);
}

void TObjIndex::Reordered() { OrderDirty = true; }

void TObjIndex::Forget(bool Dirty) {
    Slots.clear();
    SlotOf.clear();
    SegCache.clear();
    TextSlots.clear();
    Tree.Build({});
    Built = Dead = 0;
    NextRank = 0;
    AllDirty = Dirty;
    OrderDirty = RecheckDue = false;
}

void TObjIndex::Cleared() { Forget(false); }

void TObjIndex::Touched(const TObjHeader* Obj) {
    DropSegments(Obj);
    if (AllDirty || !Obj) return;
    auto It = SlotOf.find(Obj);
    if (It == SlotOf.end()) return;
    const int64_t Rank = Slots[size_t(It->second)].Rank;
    TObjHeader* Rec = Slots[size_t(It->second)].Rec;
    Kill(Obj);
    AddSlot(Rec, Rank);
}

void TObjIndex::Invalidate() { Forget(true); }

void TObjIndex::TakeBox(TSlot& S) {
    S.Box = RecordBox(S.Rec);
    S.Print = RecordPrint(S.Rec);
    S.Text = HoldsText(S.Rec);
    S.Boxed = true;
}

void TObjIndex::RebuildFromList() {
    Slots.clear();
    SlotOf.clear();
    NextRank = 0;
    if (StartVar)
        for (TObjHeader* P = *StartVar; P; P = P->Next) AddSlot(P, NextRank++);
    AllDirty = OrderDirty = RecheckDue = false;
    Built = 0;
    Dead = 0;
    Compact();
}

void TObjIndex::Compact() {
    std::vector<TSlot> Keep;
    Keep.reserve(Slots.size() - size_t(Dead));
    for (TSlot& S : Slots)
        if (S.Alive) Keep.push_back(S);
    Slots.swap(Keep);
    SlotOf.clear();
    SlotOf.reserve(Slots.size());
    std::vector<TIdxBox> Boxes;
    Boxes.reserve(Slots.size());
    TextSlots.clear();
    for (size_t i = 0; i < Slots.size(); ++i) {
        if (!Slots[i].Boxed) TakeBox(Slots[i]);
        SlotOf[Slots[i].Rec] = int32_t(i);
        Boxes.push_back(Slots[i].Box);
        AllBox = i == 0 ? Slots[i].Box : Unite(AllBox, Slots[i].Box);
        if (Slots[i].Text) TextSlots.push_back(int32_t(i));
    }
    Tree.Build(std::move(Boxes));
    Built = int32_t(Slots.size());
    Dead = 0;
}

void TObjIndex::Renumber(bool CheckPrints) {
    OrderDirty = false;
    int64_t R = 0;
    if (StartVar)
        for (TObjHeader* P = *StartVar; P; P = P->Next) {
            auto It = SlotOf.find(P);
            if (It == SlotOf.end()) {
                RebuildFromList();
                return;
            }
            TSlot& S = Slots[size_t(It->second)];
            if (CheckPrints && S.Boxed && S.Print != RecordPrint(P)) {
                // Changed in place: its box is taken again.
                DropSegments(P);
                Kill(P);
                AddSlot(P, R++);
                continue;
            }
            S.Rank = R++;
        }
    if (size_t(R) != SlotOf.size()) {
        RebuildFromList();
        return;
    }
    NextRank = R;
}

void TObjIndex::Recheck() {
    if (!AllDirty) RecheckDue = true;
}

void TObjIndex::Prepare() {
    if (AllDirty || !EndsKnown()) {
        RebuildFromList();
        return;
    }
    if (OrderDirty || RecheckDue) Renumber(RecheckDue);
    RecheckDue = false;
    if (AllDirty) return;
    if (TooManyFresh(Slots.size() - size_t(Built), Built) || TooManyDead(Dead, Built)) Compact();
}

void TObjIndex::Query(const Osy& Min, const Osy& Max, std::vector<TObjHeader*>& Out, bool AndTexts) {
    Prepare();
    const TIdxBox Q{double(Min.x), double(Min.y), double(Max.x), double(Max.y)};
    Found.clear();
    Tree.Query(Q, Found);
    if (AndTexts) Found.insert(Found.end(), TextSlots.begin(), TextSlots.end());
    Found.erase(std::remove_if(Found.begin(), Found.end(), [&](int32_t i) { return !Slots[size_t(i)].Alive; }),
                Found.end());
    for (size_t i = size_t(Built); i < Slots.size(); ++i) {
        TSlot& S = Slots[i];
        if (!S.Alive) continue;
        if (!S.Boxed) TakeBox(S);
        if (S.Box.Meets(Q) || (AndTexts && S.Text)) Found.push_back(int32_t(i));
    }
    std::sort(Found.begin(), Found.end(),
              [&](int32_t a, int32_t b) { return Slots[size_t(a)].Rank < Slots[size_t(b)].Rank; });
    Found.erase(std::unique(Found.begin(), Found.end()), Found.end());
    for (int32_t i : Found) Out.push_back(Slots[size_t(i)].Rec);
}

bool TObjIndex::Bounds(Osy& Min, Osy& Max) {
    Prepare();
    // Boxes of records removed since the last build still count: the answer may be
    // larger than the list, never smaller.
    bool Any = Built > Dead;
    TIdxBox B = AllBox;
    for (size_t i = size_t(Built); i < Slots.size(); ++i) {
        TSlot& S = Slots[i];
        if (!S.Alive) continue;
        if (!S.Boxed) TakeBox(S);
        B = Any ? Unite(B, S.Box) : S.Box;
        Any = true;
    }
    if (Any) {
        Min = {B.x1, B.y1};
        Max = {B.x2, B.y2};
    }
    return Any;
}

const TObjIndex::TSegments& TObjIndex::Segments(const TObjHeader* P) {
    const uint64_t Print = PlinePrint(P);
    std::unique_ptr<TSegments>& E = SegCache[P];
    if (E && E->Print == Print && E->Count == PlineSegCount(P)) return *E;
    E = std::make_unique<TSegments>();
    const int32_t N = PlineSegCount(P);
    const TPlineSeg* Sg = PlineSegs(P);
    std::vector<TIdxBox> Boxes;
    Boxes.reserve(size_t(N));
    Osy S = AsPline(P)->S;
    for (int32_t i = 0; i < N; ++i) {
        Boxes.push_back(pline::SegBox(S, Sg[i].E, Sg[i].Alfa));
        if (!pline::IsLine(Sg[i].Alfa)) E->HasArc = true;
        S = Sg[i].E;
    }
    E->Index.Build(std::move(Boxes));
    E->Count = N;
    E->Print = Print;
    return *E;
}
