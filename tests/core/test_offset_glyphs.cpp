// Offsets of real glyph outlines (the DejaVu faces through the program's own TrueType
// reader) judged by properties and by Clipper: a loop wherever Clipper finds area,
// every point at the offset distance from the source, no crossings, and the enclosed
// area equal to Clipper's within perimeter x 0.001 mm.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "core/UniPlineOffset.h"
#include "core/UniTrueType.h"
#include "support/ClipperOracle.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class OffsetGlyphTest : public PlineTest {
protected:
    // The contours of one glyph scaled so that the letter E is Height mm tall, into L.
    // Returns how many there are.
    int Glyph(TTrueTypeFace& Face, uint8_t Ch, Extended Height) {
        TObjHeader *es = nullptr, *ee = nullptr;
        GlyphOutline(Face, 'E', es, ee, 0.5L);
        Osy mn, mx;
        EnPline.Envelope(es, mn, mx);
        FreeObjList(es, ee);
        FreeObjList(L, LE);
        GlyphOutline(Face, Ch, L, LE, 0.5L);
        for (TObjHeader* p = L; p; p = p->Next) EnPline.Scale(p, {0, 0}, Height / mx.y);
        return Count(L);
    }

    // Offsets Src and judges the result; the failures name Label.
    void Judge(TObjHeader* Src, Extended D, bool Inside, const std::string& Label) {
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
};

// The outer contour of the digit six, 10 mm tall: closed, clockwise, 27 arcs.
TEST_F(OffsetGlyphTest, SixKeepsItsOuterLoopAtEveryDistance) {
    TTrueTypeFace face;
    ASSERT_TRUE(face.Select("DejaVu Sans"));
    ASSERT_EQ(Glyph(face, '6', 10), 2);
    TObjHeader* outer = EnPline.Length(L) > EnPline.Length(LE) ? L : LE;
    for (int k = 1; k <= 10; ++k) Judge(outer, 0.05L * k, false, "6");
    for (int k = 1; k <= 6; ++k) Judge(outer, 0.05L * k, true, "6");
}

// Every printable Windows-1250 character of the three faces, each contour at one
// outside and one inside distance taken in turn from the lists.
TEST_F(OffsetGlyphTest, EveryGlyphOfTheDejaVuFacesAgreesWithClipper) {
    const Extended outside[] = {0.05L, 0.2L, 0.5L, 1.0L};
    const Extended inside[] = {0.05L, 0.1L, 0.2L, 0.3L};
    int turn = 0, contours = 0;
    for (const char* name : {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"}) {
        TTrueTypeFace face;
        ASSERT_TRUE(face.Select(name));
        for (int c = 0x21; c <= 0xFF; ++c) {
            if (c == 0x7F || c == 0xA0 || c == 0xAD || Cp1250CodePoint(uint8_t(c)) < 0x21) continue;
            Glyph(face, uint8_t(c), 10);
            for (TObjHeader* p = L; p; p = p->Next, ++turn, ++contours) {
                std::ostringstream label;
                label << name << " char " << c << " contour at " << double(AsPline(p)->S.x) << ","
                      << double(AsPline(p)->S.y);
                Judge(p, outside[turn % 4], false, label.str());
                Judge(p, inside[(turn / 4) % 4], true, label.str());
                if (HasFailure()) return;  // one broken glyph is enough to show
            }
        }
    }
    EXPECT_GT(contours, 600);
}

}  // namespace
