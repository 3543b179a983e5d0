// Offsets of real glyph outlines (the DejaVu faces through the program's own TrueType
// reader) judged by properties and by Clipper (test_offset_judge.h).
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "core/UniPlineOffset.h"
#include "core/UniTrueType.h"
#include "test_offset_judge.h"
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
};

// The outer contour of the digit six, 10 mm tall: closed, clockwise, 27 arcs.
TEST_F(OffsetGlyphTest, SixKeepsItsOuterLoopAtEveryDistance) {
    TTrueTypeFace face;
    ASSERT_TRUE(face.Select("DejaVu Sans"));
    ASSERT_EQ(Glyph(face, '6', 10), 2);
    TObjHeader* outer = EnPline.Length(L) > EnPline.Length(LE) ? L : LE;
    for (int k = 1; k <= 10; ++k) offtest::Judge(outer, 0.05L * k, false, "6");
    for (int k = 1; k <= 6; ++k) offtest::Judge(outer, 0.05L * k, true, "6");
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
                offtest::Judge(p, outside[turn % 4], false, label.str());
                offtest::Judge(p, inside[(turn / 4) % 4], true, label.str());
                if (HasFailure()) return;  // one broken glyph is enough to show
            }
        }
    }
    EXPECT_GT(contours, 600);
}

// The digit two of DejaVu Sans, 10 mm tall, is one contour. Two of its flattened arcs
// meet nearly tangent, and their offsets by 0.05 mm overlap by a hair without a
// crossing the circle routines can find: the outward offset once came back empty.
TEST_F(OffsetGlyphTest, TwoKeepsItsOutwardOffset) {
    TTrueTypeFace face;
    ASSERT_TRUE(face.Select("DejaVu Sans"));
    ASSERT_EQ(Glyph(face, '2', 10), 1);
    offtest::Judge(L, 0.05L, false, "2");
}

}  // namespace
