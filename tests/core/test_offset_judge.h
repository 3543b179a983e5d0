// Judging a closed offset by properties and by Clipper: a loop wherever Clipper finds
// area (always outside), every loop closed and free of crossings, every vertex and
// segment middle at the offset distance from the source, and the enclosed area equal
// to Clipper's within perimeter x 0.001 mm.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "support/ClipperOracle.h"

namespace offtest {

// Offsets Src and judges the result; the failures name Label.
inline void Judge(TObjHeader* Src, Extended D, bool Inside, const std::string& Label) {
    SCOPED_TRACE(Label + (Inside ? " inside " : " outside ") + std::to_string(double(D)));
    TObjHeader *r = nullptr, *re = nullptr;
    EnPline.GenOffsetClose(Src, D, Inside, true, r, re, 1);
    const double want = oracle::Area(oracle::Offset(oracle::Flatten(Src), double(Inside ? -D : D)));
    const Extended tol = 0.001L * (oracle::PlineLength(Src) + Geom2Pi * D);
    const Extended sign = oracle::PlineArea(Src) < 0 ? -1 : 1;
    // Corners with a gap up to MinOffsArc are closed sharp, a little farther out.
    const Extended far = D / std::cos(Glob.MinOffsArc / 2) + 1e-6L;
    Extended got = 0;
    int32_t k;
    for (TObjHeader* p = r; p; p = p->Next) {
        got += sign * oracle::PlineArea(p);
        EXPECT_FALSE(EnPline.OpenPline(p));
        TSelfCross sc;
        EXPECT_EQ(EnPline.SelfCross(p, sc), 0) << "segments " << sc.I << " and " << sc.J;
        for (TObjHeader* q = p->Next; q; q = q->Next) {
            int32_t s1, s2;
            Osy X;
            EXPECT_FALSE(EnPline.CrossTestSect(p, q, s1, s2, X));
        }
        for (int32_t i = 0; i < PlineSegCount(p); ++i) {
            Osy M;
            const TPlineSeg& s = PlineSegs(p)[i];
            SegMidPt(PlineSegStart(p, i), s.E, s.Alfa, M);
            for (const Osy& q : {s.E, M}) {
                const Extended d = EnPline.DistPoint(Src, q, k);
                EXPECT_GE(d, D - 1e-6L) << "segment " << i;
                EXPECT_LE(d, far) << "segment " << i;
            }
        }
    }
    if (want > tol) {
        EXPECT_NE(r, nullptr);
    }
    if (!Inside) {
        EXPECT_NE(r, nullptr);
    }
    EXPECT_NEAR(double(got), want, double(tol));
    FreeObjList(r, re);
}

}  // namespace offtest
