// Join of long chains: the chained build must give exactly what turning the growing
// record round and concatenating it join by join gave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/UniPlineOffset.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

// Join as it was first written: ChangeDir and ConcatPlines on the record itself at
// every step (quadratic on long chains, plainly right).
void JoinByRecords(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    const Extended tol = Glob.JoinTol;
    auto takes = [&](const TObjHeader* p) {
        return p && p->Type == ObjPline && (p->Flags & FlagSelected) && (Layer == 0 || p->Layer == Layer) &&
               PlineSegCount(p) > 0;
    };
    std::vector<TObjHeader*> rec;
    for (TObjHeader* p = StartAdr; p; p = p->Next) rec.push_back(p);
    offs::TPtGrid grid(tol > CoordTol ? tol : CoordTol);
    for (size_t k = 0; k < rec.size(); ++k)
        if (takes(rec[k])) {
            grid.Add(EnPline.StartPt(rec[k]), int32_t(k));
            grid.Add(EnPline.EndPt(rec[k]), int32_t(k));
        }
    std::vector<int32_t> cand;
    auto near = [&](const Osy& a, const Osy& b) { return Dist(a, b) <= tol; };
    for (size_t ia = 0; ia < rec.size(); ++ia) {
        for (;;) {
            TObjHeader* A = rec[ia];
            if (!takes(A)) break;
            cand.clear();
            grid.Near(EnPline.StartPt(A), [&](int32_t k) { cand.push_back(k); });
            grid.Near(EnPline.EndPt(A), [&](int32_t k) { cand.push_back(k); });
            std::sort(cand.begin(), cand.end());
            cand.erase(std::unique(cand.begin(), cand.end()), cand.end());
            bool joined = false;
            for (int32_t kb : cand) {
                if (kb <= int32_t(ia) || !takes(rec[size_t(kb)])) continue;
                TObjHeader* B = rec[size_t(kb)];
                if (near(EnPline.EndPt(A), EnPline.EndPt(B))) EnPline.ChangeDir(B);
                if (near(EnPline.StartPt(A), EnPline.StartPt(B))) EnPline.ChangeDir(A);
                A->Flags |= FlagSelected;
                B->Flags |= FlagSelected;
                if (near(EnPline.EndPt(A), EnPline.StartPt(B))) {
                } else if (near(EnPline.EndPt(B), EnPline.StartPt(A))) {
                    EnPline.ChangeDir(A);
                    EnPline.ChangeDir(B);
                } else {
                    continue;
                }
                const Osy farEnd = EnPline.EndPt(B);
                ConcatPlines(A, B, StartAdr, EndAdr);
                A->Flags |= FlagSelected;
                rec[ia] = A;
                rec[size_t(kb)] = nullptr;
                grid.Add(farEnd, int32_t(ia));
                joined = true;
                break;
            }
            if (!joined) break;
        }
    }
    for (TObjHeader* p = StartAdr; p; p = p->Next)
        if (p->Type == ObjPline) EnPline.FindDir(p);
}

class PlineJoinTest : public PlineTest {
protected:
    TObjHeader *R = nullptr, *RE = nullptr;  // the copy joined the old way
    void TearDown() override {
        FreeObjList(R, RE);
        PlineTest::TearDown();
    }
};

// Random short polylines whose ends lie on a 3 x 3 lattice (nudged within JoinTol), in
// random directions, some closed, some with arcs, on layers 1 and 2, mostly selected:
// every way of meeting (end to start, end to end, start to start) occurs often.
TEST_F(PlineJoinTest, SameAsJoiningRecordByRecordOnRandomInput) {
    std::mt19937 rng(20261210);
    auto pick = [&](int n) { return int(rng() % uint32_t(n)); };
    auto lattice = [&] {
        const Extended nudge = (pick(3) - 1) * 0.004L;
        return Osy{Extended(10 * pick(3)) + nudge, Extended(10 * pick(3)) - nudge};
    };
    for (int round = 0; round < 300; ++round) {
        for (uint8_t layer : {uint8_t(0), uint8_t(1)}) {
            const int n = 1 + pick(12);
            for (int i = 0; i < n; ++i) {
                std::vector<Seg> segs;
                const Osy s = lattice();
                const int m = 1 + pick(3);
                for (int k = 0; k + 1 < m; ++k)
                    segs.push_back({{Extended(pick(100)) / 7, Extended(pick(100)) / 9}, pick(3) == 0 ? 0.5L : 0});
                segs.push_back({pick(6) == 0 ? s : lattice(), pick(4) == 0 ? -0.75L : 0});
                TObjHeader* p = Add(Pline(s, segs, uint8_t(pick(4))));
                p->Layer = uint8_t(1 + pick(2));
                if (pick(5) != 0) p->Flags |= FlagSelected;
                if (pick(7) == 0) p->Flags |= FlagNew;
                p->SavedFlags = uint8_t(pick(2));
                TObjHeader* c = CopyObjBlock(p);
                AppendObj(c, R, RE);
            }
            EnPline.Join(layer, L, LE);
            JoinByRecords(layer, R, RE);
            ASSERT_EQ(CheckObjList(L, LE), "");
            ASSERT_EQ(Count(L), Count(R)) << "round " << round;
            for (TObjHeader *a = L, *b = R; a && b; a = a->Next, b = b->Next) {
                ASSERT_TRUE(SameRecord(a, b)) << "round " << round;
                for (int32_t k = 0; k < PlineSegCount(a); ++k)
                    ASSERT_EQ(std::signbit(PlineSegs(a)[k].Alfa), std::signbit(PlineSegs(b)[k].Alfa));
            }
            FreeObjList(L, LE);
            FreeObjList(R, RE);
        }
    }
}

// A chain of 2000 pieces listed so that every other partner meets the growing chain
// at its start, reversed: one record, the pieces in order.
TEST_F(PlineJoinTest, LongChainGrowingAtBothEnds) {
    const int n = 2000;
    for (int i = 0; i < n; ++i) {
        // Piece k runs from (k, 0) to (k + 1, 0); listed from the middle outwards.
        const int k = n / 2 + ((i % 2) ? -(i + 1) / 2 : i / 2);
        const Osy a{Extended(k), 0}, b{Extended(k + 1), 0};
        TObjHeader* p = (i % 3 == 0) ? Poly({b, a}) : Poly({a, b});
        p->Flags |= FlagSelected;
        Add(p);
    }
    EnPline.Join(0, L, LE);
    ASSERT_EQ(Count(L), 1);
    EXPECT_EQ(CheckObjList(L, LE), "");
    ASSERT_EQ(PlineSegCount(L), n);
    const bool forward = AsPline(L)->S.x == 0;
    EXPECT_EQ(AsPline(L)->S.x, forward ? 0 : n);
    for (int32_t k = 0; k < n; ++k) ASSERT_EQ(PlineSegs(L)[k].E.x, forward ? k + 1 : n - k - 1);
}

}  // namespace
