// Offsets of polylines: the per-segment work, the corner fitting, and the clean-up
// steps that turn a raw offset into closed, non-crossing loops.
//
// The public entries are methods of TEnPline (GenOffsetClose, GenOffsetOpen,
// OffsPlineJoin, SpecOffsPlineJoin, CrossTestSect, PlineTrunc). The clean-up steps
// look their partners up in spatial indexes so the cost grows as n log n; every step
// also has an all-pairs twin (AllPairs = true) that walks every pair in the plain
// order. Both give identical results; the twins exist to prove that.
#pragma once
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"
#include "core/UniGeom.h"

// One segment S-E-Alfa offset by Dist to the side Side (-pi/2 right, +pi/2 left of
// travel): OS-OE-OAlfa. An arc that collapses through its centre becomes straight.
void OffsetSeg(const Osy& S, const Osy& E, Extended Alfa, Extended Side, Extended Dist, Osy& OS, Osy& OE,
               Extended& OAlfa);

// Appends S-E-Alfa to the polyline under construction in the object builder, fitted
// to the segment built last: trimmed where they cross, lengthened over a small gap,
// bridged by an arc about the source vertex V (turning counter-clockwise when CCW)
// or by two lines through V otherwise. S and Alfa receive the segment as stored.
// False when the corner was bridged through V, or straight for want of a segment
// to fit to.
bool JoinOffsetCorner(Osy& S, const Osy& E, Extended& Alfa, bool CCW, const Osy& V, Extended Dist);

namespace offs {

// ---- the offsets with a choice of pair search ----
void GenOffsetClose(TObjHeader* Adresa, Extended Dist, bool Inside, bool Analyza, TObjHeader*& OffsStart,
                    TObjHeader*& OffsEnd, int32_t La, bool AllPairs);
void GenOffsetOpen(TObjHeader* Adresa, Extended Dist, bool Right, TObjHeader*& OffsStart, TObjHeader*& OffsEnd,
                   int32_t La, bool AllPairs);

// ---- clean-up steps (each: the list is changed in place) ----

// Splits every polyline of the list at every point where it meets itself (both
// passes of a crossing); neighbouring segments meeting only at their common vertex,
// and the closing vertex of a closed polyline, are no meeting. Pieces keep the
// source's layer; the start point of a closed source stays a piece end.
void DivideAtSelfMeets(TObjHeader*& StartAdr, TObjHeader*& EndAdr, bool AllPairs);

// Loops smaller than this across are below what the distance test can judge.
inline constexpr Extended MicroLoopSize = 1e-4L;
// Two consecutive segments that cross again within MicroLoopSize of their common
// vertex (offset curves meeting almost tangentially) are both cut back to that
// crossing, so the hair-thin loop between the two crossings goes.
void ExciseMicroLoops(TObjHeader*& StartAdr, TObjHeader*& EndAdr);
void PlineTrunc(TObjHeader*& StartAdr, TObjHeader*& EndAdr, bool AllPairs);
// Deletes every piece that has a point (start or segment end) equal to a point of Src.
void DropPiecesTouchingVertices(TObjHeader*& StartAdr, TObjHeader*& EndAdr, const TObjHeader* Src, bool AllPairs);
// Deletes every closed piece smaller than MicroLoopSize across: two offset curves meeting
// almost tangentially cross twice within a hair's breadth, and the loop between the
// crossings is too small for the distance test to judge; left in, its pieces cross
// their neighbours everywhere and break the chaining.
void DropMicroLoops(TObjHeader*& StartAdr, TObjHeader*& EndAdr);
// Deletes every piece with a segment whose midpoint lies nearer to Src than
// Dist - 0.00001.
void DropPiecesNear(TObjHeader*& StartAdr, TObjHeader*& EndAdr, const TObjHeader* Src, Extended Dist,
                    bool AllPairs);
void OffsPlineJoin(bool Cont, TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart,
                   TObjHeader*& OutEnd, bool AllPairs);
void SpecOffsPlineJoin(TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                       bool AllPairs);

// ---- convex loops ----

// Segments shorter than this leave a loop to the general routines: the convexity test
// below then also keeps every two segments that are not neighbours far apart.
inline constexpr Extended ConvexMinSeg = 1e-3L;
// +1 for a closed polyline that is convex beyond doubt and runs counter-clockwise, -1
// for one running clockwise, 0 otherwise. Convex beyond doubt: every vertex and every
// arc turns the same way by at most a right angle, the turns add up to one full turn,
// and no segment is shorter than ConvexMinSeg. Such a loop meets itself nowhere, not
// even within the tolerances of the crossing routines.
int ConvexSense(const TObjHeader* P);
// The raw outward offset by Dist of a convex loop (Sense as ConvexSense gives it),
// appended to the list as a record on layer La without flags: the sides and arcs
// moved out, the gaps at the vertices closed as JoinOffsetCorner closes them, the
// loop starting where the general build starts it. Null, nothing appended, when a
// corner is one the general build would close otherwise.
TObjHeader* ConvexOutward(const TObjHeader* Src, int Sense, Extended Dist, uint8_t La, TObjHeader*& S,
                          TObjHeader*& E);

// ---- shared helpers ----

// Points bucketed in a square grid; Near visits every id stored in the 3 x 3 cells
// around P: a superset of the points within one cell size of P in x and in y (the
// default cell is far larger than the tolerance of SamePt).
class TPtGrid {
public:
    explicit TPtGrid(Extended Cell = 1e-3L) : CellSize(Cell) {}
    void Add(const Osy& P, int32_t Id) { Cells[Key(Cell(P.x), Cell(P.y))].push_back(Id); }
    template <class F>
    void Near(const Osy& P, F&& Visit) const {
        const int64_t cx = Cell(P.x), cy = Cell(P.y);
        for (int64_t dx = -1; dx <= 1; ++dx)
            for (int64_t dy = -1; dy <= 1; ++dy) {
                auto it = Cells.find(Key(cx + dx, cy + dy));
                if (it == Cells.end()) continue;
                for (int32_t id : it->second) Visit(id);
            }
    }

    // Every id stored in the cells that the box P +- CoordTol meets: a superset of the
    // points SamePt to P, mostly a single cell.
    template <class F>
    void NearPt(const Osy& P, F&& Visit) const {
        const int64_t x1 = Cell(P.x - CoordTol), x2 = Cell(P.x + CoordTol);
        const int64_t y1 = Cell(P.y - CoordTol), y2 = Cell(P.y + CoordTol);
        for (int64_t cx = x1; cx <= x2; ++cx)
            for (int64_t cy = y1; cy <= y2; ++cy) {
                auto it = Cells.find(Key(cx, cy));
                if (it == Cells.end()) continue;
                for (int32_t id : it->second) Visit(id);
            }
    }

private:
    Extended CellSize;
    int64_t Cell(Extended v) const {
        const Extended c = std::floor(v / CellSize);
        return c > -1e18L && c < 1e18L ? int64_t(c) : 0;  // far or undefined points share cell 0
    }
    // Exact for cells within +-2^31 (coordinates within 2000 km); beyond, cells may
    // share a bucket, which only widens the superset.
    static uint64_t Key(int64_t x, int64_t y) { return (uint64_t(x) << 32) ^ (uint64_t(y) & 0xFFFFFFFFull); }
    std::unordered_map<uint64_t, std::vector<int32_t>> Cells;
};

// Unlinks every record of the list into a vector (list order); the list becomes empty.
std::vector<TObjHeader*> TakeList(TObjHeader*& StartAdr, TObjHeader*& EndAdr);

}  // namespace offs
