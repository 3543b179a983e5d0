// The object builder's work buffer and its operations.
#include "core/Builder.h"

#include <cmath>
#include <cstdlib>
#include <new>
#include <cstring>

#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniSpace.h"
#include "core/MainVars.h"

namespace {

constexpr size_t InitialCapacity = 64 * 1024;
constexpr size_t Fixed2D = sizeof(TPlineRec);
constexpr size_t Fixed3D = sizeof(TPline3DRec);

uint8_t* Buf = nullptr;  // the buffer (malloc: 16-byte aligned like the records)
size_t Cap = 0;
int Kind = 0;            // 0 idle, 2 a 2D object, 3 a 3D object

void Allocate() {
    if (Buf) return;
    Buf = static_cast<uint8_t*>(std::malloc(InitialCapacity));
    if (!Buf) throw std::bad_alloc();
    Cap = InitialCapacity;
}

void SetIdle() {
    Allocate();
    Kind = 0;
    MainVars.AdrBasePline = Buf;
    MainVars.AdrPline = Buf;
}

// The write position as an offset. MainVars carries it; when MainVars no longer
// agrees with the buffer (reset, or a position moved outside the build) the builder
// is idle.
size_t Pos() {
    if (!Buf || MainVars.AdrBasePline != Buf) {
        SetIdle();
        return 0;
    }
    const ptrdiff_t d = MainVars.AdrPline - Buf;
    const size_t fixed = Kind == 3 ? Fixed3D : Fixed2D;
    const size_t seg = Kind == 3 ? sizeof(TPlineSeg3D) : sizeof(TPlineSeg);
    if (Kind == 0 || d < ptrdiff_t(fixed) || size_t(d) > Cap || (size_t(d) - fixed) % seg != 0) {
        SetIdle();
        return 0;
    }
    return size_t(d);
}

// Makes room for Need bytes; the buffer may move.
void Reserve(size_t Need) {
    if (Need <= Cap) return;
    const size_t pos = size_t(MainVars.AdrPline - Buf);
    size_t cap = Cap * 2;
    while (cap < Need) cap *= 2;
    auto* nb = static_cast<uint8_t*>(std::realloc(Buf, cap));
    if (!nb) throw std::bad_alloc();  // the old buffer stays whole
    Buf = nb;
    Cap = cap;
    MainVars.AdrBasePline = Buf;
    MainVars.AdrPline = Buf + pos;
}

void Start(int K, size_t Fixed) {
    Allocate();
    std::memset(Buf, 0, Fixed);
    Kind = K;
    MainVars.AdrBasePline = Buf;
    MainVars.AdrPline = Buf + Fixed;
}

TPlineRec* Rec2D() { return reinterpret_cast<TPlineRec*>(Buf); }
TPline3DRec* Rec3D() { return reinterpret_cast<TPline3DRec*>(Buf); }
TPlineSeg* Segs2D() { return reinterpret_cast<TPlineSeg*>(Buf + Fixed2D); }

// The last point built of a 2D build at position pos.
Osy& Last2D(size_t pos) {
    return pos == Fixed2D ? Rec2D()->S : reinterpret_cast<TPlineSeg*>(Buf + pos - sizeof(TPlineSeg))->E;
}

void Push2D(const TPlineSeg& Seg) {
    const size_t pos = Pos();
    Reserve(pos + sizeof(TPlineSeg));
    std::memcpy(Buf + pos, &Seg, sizeof(TPlineSeg));
    MainVars.AdrPline = Buf + pos + sizeof(TPlineSeg);
}

// Copies the build into a new record and appends it; the builder becomes idle.
TObjHeader* Make(size_t Bytes, uint8_t Type, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    TObjHeader* r = AllocObj(int32_t(Bytes), Type);
    std::memcpy(static_cast<void*>(r), Buf, Bytes);
    AppendObj(r, StartAdr, EndAdr);
    r->Size = int32_t(Bytes);
    r->Layer = Layer;
    r->Flags = FlagNew;
    r->SavedFlags = 0;
    r->Type = Type;
    AsPline(r)->PlineFlags = 0;  // same place in all three kinds
    SetIdle();
    return r;
}

}  // namespace

void InitBuilder() { SetIdle(); }

void FreeBuilder() {
    std::free(Buf);
    Buf = nullptr;
    Cap = 0;
    Kind = 0;
    MainVars.AdrBasePline = nullptr;
    MainVars.AdrPline = nullptr;
}

void ResetBuilder() { SetIdle(); }

void StartObj(const Osy& S) {
    Start(2, Fixed2D);
    Rec2D()->S = S;
}

bool AddSeg(const Osy& E, Extended Alfa, Extended Tol) {
    const size_t pos = Pos();
    if (Kind != 2) return false;
    const Osy L = Last2D(pos);
    if (std::fabs(L.x - E.x) <= Tol && std::fabs(L.y - E.y) <= Tol) return false;
    Push2D({Alfa, E});
    return true;
}

void AddLinePt(const Osy& P) {
    const size_t pos = Pos();
    if (Kind != 2) return;
    Osy& L = Last2D(pos);
    if (SamePt(L, P)) return;
    if (Dist(L, P) <= Glob.InputFiltr) {
        L = P;
        return;
    }
    Push2D({0, P});
}

TObjHeader* MakeObj(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    const size_t pos = Pos();
    if (Kind != 2) return nullptr;
    const bool point = pos == Fixed2D;
    TObjHeader* r = Make(pos, point ? ObjPoint : ObjPline, Layer, StartAdr, EndAdr);
    if (!point) EnPline.FindDir(r);
    return r;
}

void StartObj3D(const Osy3D& S) {
    Start(3, Fixed3D);
    Rec3D()->S = S;
}

bool AddSeg3D(const Osy3D& E, Extended Alfa, Extended Tol) {
    const size_t pos = Pos();
    if (Kind != 3) return false;
    const Osy3D L = pos == Fixed3D ? Rec3D()->S : reinterpret_cast<TPlineSeg3D*>(Buf + pos - sizeof(TPlineSeg3D))->E;
    if (Dist3D(L, E) <= Tol) return false;
    Reserve(pos + sizeof(TPlineSeg3D));
    const TPlineSeg3D seg{Alfa, E};
    std::memcpy(Buf + pos, &seg, sizeof(seg));
    MainVars.AdrPline = Buf + pos + sizeof(TPlineSeg3D);
    return true;
}

TObjHeader* MakeObj3D(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    const size_t pos = Pos();
    if (Kind != 3) return nullptr;
    TObjHeader* r = Make(pos, ObjPline3D, Layer, StartAdr, EndAdr);
    EnSpace.FindDir(r);  // stores the closed bit
    return r;
}

int BuildKind() {
    Pos();
    return Kind;
}

int32_t BuildSegCount() {
    const size_t pos = Pos();
    if (Kind == 2) return int32_t((pos - Fixed2D) / sizeof(TPlineSeg));
    if (Kind == 3) return int32_t((pos - Fixed3D) / sizeof(TPlineSeg3D));
    return 0;
}

Osy& BuildStartPt() {
    Pos();
    return Rec2D()->S;
}

TPlineSeg* BuildSegs() {
    Pos();
    return Segs2D();
}

Osy BuildLastPt() {
    const size_t pos = Pos();
    if (Kind == 2) return Last2D(pos);
    if (Kind == 3) {
        const Osy3D p = pos == Fixed3D ? Rec3D()->S : reinterpret_cast<TPlineSeg3D*>(Buf + pos - sizeof(TPlineSeg3D))->E;
        return {p.x, p.y};
    }
    return {};
}

bool BuildPopSeg(TPlineSeg& Seg) {
    const size_t pos = Pos();
    if (Kind != 2 || pos == Fixed2D) return false;
    std::memcpy(&Seg, Buf + pos - sizeof(TPlineSeg), sizeof(TPlineSeg));
    MainVars.AdrPline = Buf + pos - sizeof(TPlineSeg);
    return true;
}

void BuildPushSeg(const TPlineSeg& Seg) {
    Pos();
    if (Kind == 2) Push2D(Seg);
}
