// Area operations of the polyline entity: boundary networks and the area round a
// picked point (UniArea.cpp), merging area groups (UniArea.cpp), the welded outline of
// closed polylines (UniWeld.cpp), whether two polylines are the same path
// (UniDupl.cpp), and evenly spaced marks along a polyline (UniMark.cpp).
//
// They are operations of TEnPline by meaning; they live here as free functions so that
// each topic keeps a file of its own. The selected bit serves them as a working mark
// on the polylines they are given. New records they return are linked into no list of
// the drawing; the caller places or frees them.
#pragma once
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"

// ---- duplicates (UniDupl.cpp) ----

// True when both polylines describe the same path: the same segments in the same
// places, either may run the other way, and a closed one may start elsewhere. The
// flag bytes of both are recomputed; nothing else changes. Records of a different
// size, an open and a closed one, or anything but two polylines give false.
bool Duplicity(TObjHeader* Adr1, TObjHeader* Adr2);

// ---- marks (UniMark.cpp) ----

// Count points evenly spaced along the polyline, the first at its start and the last
// at its end, wrapped into a group on Glob.LayerDraw (Flags 1) whose Count is the
// number of points made. The group is linked into no list. nullptr for a missing
// polyline or Count below 3.
TObjHeader* Mark(TObjHeader* Adresa, int32_t Count);

// ---- weld (UniWeld.cpp) ----

// Replaces the list of closed polylines by the outline of their union: pieces of one
// polyline that lie inside another are dropped, a piece shared by several is kept
// once (a seam between touching areas only where both its ends meet the outline),
// the rest chained. Open pieces shorter than 0.01 mm left after chaining are deleted;
// the result is unselected. Polylines that meet nothing stay the same records.
// Candidate pairs come from indexes, so the cost grows near-linearly.
void Weld(TObjHeader*& StartAdr, TObjHeader*& EndAdr);

// ---- areas (UniArea.cpp) ----

// Turns a list of polylines into a boundary network: chained, split at every
// crossing, dangling open pieces deleted, duplicate pieces kept once.
void SelectBorder(TObjHeader*& StartAdr, TObjHeader*& EndAdr);

// The closed area of the boundary network round Pt with the islands inside it, as an
// area group on Glob.LayerDraw (outer contour first, then the contours directly
// inside it) linked into no list; nullptr when the probe to the right of Pt meets no
// boundary, the network does not close round Pt, or the loop does not contain it.
// The boundary polylines it used are left deselected, the others selected.
TObjHeader* SelectArea(const Osy& Pt, TObjHeader*& StartAdr, TObjHeader*& EndAdr);

// Replaces a list of area groups by area groups in which groups sharing segments are
// merged. Records that are not groups are skipped (and freed with the old list).
void AreaJoin(TObjHeader*& StartAdr, TObjHeader*& EndAdr);

// Closes the chain (the only polyline of ChainStart..ChainEnd) through the selected
// candidates, always taking the one that turns farthest left; taken candidates are
// deselected and copies of them appended to the chain. Returns the closed chain (still
// the only record of its list), or nullptr after freeing the chain when it cannot go on.
TObjHeader* TraceArea(TObjHeader*& ChainStart, TObjHeader*& ChainEnd, TObjHeader* CandStart);

// True when the straight segment A-B meets the polyline; X the first point reported
// for the first segment (in order) that meets it.
bool RayHitPline(const Osy& A, const Osy& B, const TObjHeader* Pline, Osy& X);

// Merges the two polylines of the list along their shared segments: both are split
// into single segments, every segment present in both (either way round) is dropped in
// pairs, and the rest is chained. The list is replaced by the result.
void MergeShared(TObjHeader*& StartAdr, TObjHeader*& EndAdr);

namespace area {

// Points bucketed in a square grid of cells far larger than the tolerance; Near
// visits every id stored in the 3 x 3 cells round P, a superset of those SamePt to P.
class TPtBuckets {
public:
    // The ids of a cell are chained through Entries in the order they came; a cell
    // is one map node, not a node and a vector of its own.
    void Add(const Osy& P, int32_t Id) {
        const int32_t e = int32_t(Entries.size());
        Entries.push_back({Id, -1});
        const auto [It, New] = Cells.try_emplace(Key(Cell(P.x), Cell(P.y)), TChain{e, e});
        if (!New) {
            Entries[size_t(It->second.Last)].Next = e;
            It->second.Last = e;
        }
    }
    template <class F>
    void Near(const Osy& P, F&& Visit) const {
        const int64_t cx = Cell(P.x), cy = Cell(P.y);
        for (int64_t dx = -1; dx <= 1; ++dx)
            for (int64_t dy = -1; dy <= 1; ++dy) {
                auto it = Cells.find(Key(cx + dx, cy + dy));
                if (it == Cells.end()) continue;
                for (int32_t e = it->second.First; e >= 0; e = Entries[size_t(e)].Next) Visit(Entries[size_t(e)].Id);
            }
    }
    void Clear() {
        Cells.clear();
        Entries.clear();
    }

private:
    struct TEntry {
        int32_t Id, Next;
    };
    struct TChain {
        int32_t First, Last;
    };
    static constexpr Extended CellSize = 1e-3L;
    static int64_t Cell(Extended v) {
        const Extended c = std::floor(v / CellSize);
        if (std::isnan(c)) return 0;  // a broken coordinate: any cell will do, no undefined conversion
        return c > 4e18L ? int64_t(4e18) : c < -4e18L ? int64_t(-4e18) : int64_t(c);
    }
    static uint64_t Key(int64_t x, int64_t y) { return uint64_t(x) * 0x9E3779B97F4A7C15ull ^ uint64_t(y); }
    std::unordered_map<uint64_t, TChain> Cells;
    std::vector<TEntry> Entries;
};

// The records of a list in order (the list is left as it is).
inline std::vector<TObjHeader*> ListToVector(TObjHeader* StartAdr) {
    std::vector<TObjHeader*> v;
    for (TObjHeader* r = StartAdr; r; r = r->Next) v.push_back(r);
    return v;
}

}  // namespace area
