#include "core/UniPlineDirMemo.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace pline {

namespace {

// Numbers kept at most (start point and three per segment); beyond, everything goes.
constexpr size_t MaxValues = size_t(1) << 18;

struct TEntry {
    std::vector<Extended> Geom;
    TDirFound Found;
};

struct TMemo {
    std::unordered_map<uint64_t, TEntry> Map;
    size_t Values = 0;
};

TMemo& Memo() {
    static TMemo M;
    return M;
}

size_t ValueCount(const TObjHeader* P) { return 2 + 3 * size_t(PlineSegCount(P)); }

template <class F>
void ForValues(const TObjHeader* P, F&& Visit) {
    Visit(AsPline(P)->S.x);
    Visit(AsPline(P)->S.y);
    const TPlineSeg* seg = PlineSegs(P);
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) {
        Visit(seg[i].Alfa);
        Visit(seg[i].E.x);
        Visit(seg[i].E.y);
    }
}

// Equal polylines hash alike; the stored copy tells polylines with one hash apart.
uint64_t Hash(const TObjHeader* P) {
    uint64_t h = 0xcbf29ce484222325ull ^ uint64_t(PlineSegCount(P));
    ForValues(P, [&h](Extended v) {
        const double d = double(v);
        uint64_t b;
        std::memcpy(&b, &d, sizeof b);
        h = (h ^ b) * 0x100000001b3ull;
        h ^= h >> 29;
    });
    return h;
}

}  // namespace

bool RecallDir(const TObjHeader* P, TDirFound& Found) {
    const TMemo& M = Memo();
    const auto It = M.Map.find(Hash(P));
    if (It == M.Map.end() || It->second.Geom.size() != ValueCount(P)) return false;
    size_t k = 0;
    bool Same = true;
    ForValues(P, [&](Extended v) { Same = Same && It->second.Geom[k++] == v; });
    if (Same) Found = It->second.Found;
    return Same;
}

void RememberDir(const TObjHeader* P, const TDirFound& Found) {
    TMemo& M = Memo();
    const size_t n = ValueCount(P);
    if (n > MaxValues) return;
    if (M.Values + n > MaxValues) {
        M.Map.clear();
        M.Values = 0;
    }
    TEntry& E = M.Map[Hash(P)];
    M.Values -= E.Geom.size();
    E.Geom.clear();
    E.Geom.reserve(n);
    ForValues(P, [&E](Extended v) { E.Geom.push_back(v); });
    E.Found = Found;
    M.Values += n;
}

void ForgetDirs() {
    TMemo& M = Memo();
    std::unordered_map<uint64_t, TEntry>().swap(M.Map);
    M.Values = 0;
}

}  // namespace pline
