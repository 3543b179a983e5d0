// TrueType outlines: contours, kerning, Windows-1250 characters, blanks and the outline build.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <cmath>
#include <vector>

#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniTrueType.h"
#include "support/Fixture.h"

namespace {

const char* const Face = "DejaVu Sans";

struct TBox {
    Extended MinX = 1e30L, MinY = 1e30L, MaxX = -1e30L, MaxY = -1e30L;
    void Add(const Osy& P) {
        MinX = std::min(MinX, P.x);
        MinY = std::min(MinY, P.y);
        MaxX = std::max(MaxX, P.x);
        MaxY = std::max(MaxY, P.y);
    }
};

TBox VertexBox(const TObjHeader* P) {
    TBox b;
    b.Add(AsPline(P)->S);
    for (int32_t i = 0; i < PlineSegCount(P); ++i) b.Add(PlineSegs(P)[i].E);
    return b;
}

std::vector<TObjHeader*> Members(TObjHeader* G) {
    std::vector<TObjHeader*> out;
    for (TObjHeader* m = AsGroup(G)->First; m; m = m->Next) out.push_back(m);
    return out;
}

class TrueTypeTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        // The expectations are the metrics of that one face: with another face found in
        // its place (fontconfig's closest match) they say nothing, so the tests skip.
        const bool Found = DC.Select(Face);
        const std::string File = DC.FileName();
        if (!Found || File.substr(File.find_last_of('/') + 1) != "DejaVuSans.ttf")
            GTEST_SKIP() << "the face found for \"" << Face << "\" is \"" << File
                         << "\", not DejaVuSans.ttf: install fonts-dejavu-core (scripts/deps.sh)";
    }
    void TearDown() override {
        for (TObjHeader* g : Groups) {
            TObjHeader *s = AsGroup(g)->First, *e = AsGroup(g)->Last;
            FreeObjList(s, e);
            FreeObjBlock(g);
        }
        KestrilonTest::TearDown();
    }
    TObjHeader* Text(const std::string& S, Extended Spacing = 0) {
        TObjHeader* g = TrueTypeText(DC, S, 0.5L, Spacing);
        if (g) Groups.push_back(g);
        return g;
    }
    TTrueTypeFace DC;
    std::vector<TObjHeader*> Groups;
};

TEST_F(TrueTypeTest, FaceIsFoundByNameAndScaledToTheCellHeight) {
    EXPECT_NE(DC.FileName().find("DejaVuSans.ttf"), std::string::npos);
    EXPECT_NEAR(double(DC.Scale()), 1000.0 / (1901 + 483), 1e-12);  // Windows ascent + descent
    TTrueTypeFace bold;
    ASSERT_TRUE(bold.Select(Face, true));
    EXPECT_NE(bold.FileName().find("Bold"), std::string::npos);
}

TEST_F(TrueTypeTest, LetterOGivesTwoClosedContoursOfArcs) {
    TObjHeader* g = Text("O");
    ASSERT_NE(g, nullptr);
    auto m = Members(g);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(AsGroup(g)->Count, 2);
    // in the font's order (this face lists the counter first): one inside the other
    TBox a = VertexBox(m[0]), b = VertexBox(m[1]);
    TBox& outer = a.MinX < b.MinX ? a : b;
    TBox& inner = a.MinX < b.MinX ? b : a;
    EXPECT_GT(inner.MinX, outer.MinX);
    EXPECT_LT(inner.MaxX, outer.MaxX);
    EXPECT_GT(inner.MinY, outer.MinY);
    EXPECT_LT(inner.MaxY, outer.MaxY);
    int arcs = 0;
    for (TObjHeader* p : m) {
        EXPECT_EQ(p->Type, ObjPline);
        EXPECT_TRUE(AsPline(p)->PlineFlags & PlineClosed);
        Osy s = AsPline(p)->S, e = PlineSegs(p)[PlineSegCount(p) - 1].E;
        EXPECT_TRUE(SamePt(s, e));
        for (int32_t i = 0; i < PlineSegCount(p); ++i) arcs += std::fabs(PlineSegs(p)[i].Alfa) > CoordTol;
    }
    EXPECT_GT(arcs, 4);
}

TEST_F(TrueTypeTest, KerningNarrowsAV) {
    Extended k = DC.Kerning('A', 'V');
    EXPECT_LT(k, -10);
    TObjHeader *as = nullptr, *ae = nullptr;
    Extended advA = GlyphOutline(DC, 'A', as, ae, 0.5L);
    FreeObjList(as, ae);
    TObjHeader* v = Text("V");
    TObjHeader* av = Text("AV");
    ASSERT_NE(v, nullptr);
    ASSERT_NE(av, nullptr);
    Extended vAlone = VertexBox(AsGroup(v)->First).MinX;
    Extended vInPair = VertexBox(AsGroup(av)->Last).MinX;
    EXPECT_NEAR(double(vInPair - vAlone), double(advA + k), 1e-6);
    // the spacing is added before every glyph, the first one included
    TObjHeader* spaced = Text("AV", 70);
    EXPECT_NEAR(double(VertexBox(AsGroup(spaced)->First).MinX - VertexBox(AsGroup(av)->First).MinX), 70, 1e-6);
    EXPECT_NEAR(double(VertexBox(AsGroup(spaced)->Last).MinX - vInPair), 140, 1e-6);
}

TEST_F(TrueTypeTest, CzechLettersAreMappedFromWindows1250) {
    EXPECT_EQ(Cp1250CodePoint(0xE8), 0x010Du);  // č
    EXPECT_EQ(Cp1250CodePoint(0x9A), 0x0161u);  // š
    EXPECT_EQ(Cp1250CodePoint('A'), uint32_t('A'));
    TObjHeader* c = Text("c");
    TObjHeader* ccaron = Text("\xE8");
    ASSERT_NE(ccaron, nullptr);
    auto m = Members(ccaron);
    ASSERT_EQ(m.size(), 2u);
    TBox body = VertexBox(AsGroup(c)->First);
    // one contour is the c itself, the other an accent above it
    TObjHeader* accent = VertexBox(m[0]).MinY > body.MaxY ? m[0] : m[1];
    TBox a = VertexBox(accent);
    EXPECT_GT(a.MinY, body.MaxY);
    // a caron is a V: its lowest point lies in its middle (a grave's would lie at its side)
    Osy low = AsPline(accent)->S;
    for (int32_t i = 0; i < PlineSegCount(accent); ++i)
        if (PlineSegs(accent)[i].E.y < low.y) low = PlineSegs(accent)[i].E;
    EXPECT_NEAR(double(low.x), double((a.MinX + a.MaxX) / 2), double((a.MaxX - a.MinX) * 0.2L));
}

TEST_F(TrueTypeTest, BlanksGiveNoOutlineButAdvance) {
    EXPECT_EQ(Text(" "), nullptr);
    EXPECT_EQ(Text("   "), nullptr);
    EXPECT_EQ(Text(""), nullptr);
    TObjHeader *bs = nullptr, *be = nullptr;
    Extended blank = GlyphOutline(DC, ' ', bs, be, 0.5L);
    EXPECT_EQ(bs, nullptr);
    EXPECT_GT(blank, 200);
    TObjHeader* a = Text("A");
    TObjHeader* spaced = Text(" A ");
    ASSERT_NE(spaced, nullptr);
    EXPECT_EQ(AsGroup(spaced)->Count, AsGroup(a)->Count);
    EXPECT_NEAR(double(VertexBox(AsGroup(spaced)->First).MinX - VertexBox(AsGroup(a)->First).MinX), double(blank),
                1e-6);
}

TEST_F(TrueTypeTest, OutlineBuildPutsTheCapitalHeightOnVyska) {
    WorkText = ParText{};
    WorkText.JmFontu = Face;
    WorkText.Justify = JustifyTrueType;
    WorkText.Vyska = 10;
    WorkText.WidthFactor = 1;
    WorkText.Text = "E";
    ASSERT_TRUE(TrueTypeOutlineBuild(7));
    Groups.push_back(WorkText.AdrGroup);
    EXPECT_NEAR(double(WorkText.WinMin.y), 0, 1e-9);
    EXPECT_NEAR(double(WorkText.WinMax.y), 10, 1e-9);
    Extended width = WorkText.WinMax.x - WorkText.WinMin.x;
    for (TObjHeader* m : Members(WorkText.AdrGroup)) EXPECT_EQ(m->Layer, 7);

    WorkText.WidthFactor = 2;
    ASSERT_TRUE(TrueTypeOutlineBuild(7));
    Groups.push_back(WorkText.AdrGroup);
    EXPECT_NEAR(double(WorkText.WinMax.x - WorkText.WinMin.x), double(2 * width), 1e-6);
    EXPECT_NEAR(double(WorkText.WinMax.y), 10, 1e-9);

    WorkText.Text = "  ";
    EXPECT_FALSE(TrueTypeOutlineBuild(7));
    EXPECT_EQ(WorkText.AdrGroup, nullptr);
}

}  // namespace

namespace {

// Glyphs are built once per face and copied afterwards: a copy must be the outline a
// face that never built the glyph makes, record for record.
TEST_F(TrueTypeTest, RepeatedGlyphsGiveTheOutlineOfAFreshBuild) {
    // Every stored number of every polyline (the records' padding left out).
    auto Bytes = [](TObjHeader* S) {
        std::vector<Extended> Out;
        for (TObjHeader* p = S; p; p = p->Next) {
            Out.push_back(p->Size);
            Out.push_back(AsPline(p)->PlineFlags);
            Out.push_back(AsPline(p)->S.x);
            Out.push_back(AsPline(p)->S.y);
            for (int32_t i = 0; i < PlineSegCount(p); ++i)
                Out.insert(Out.end(), {PlineSegs(p)[i].Alfa, PlineSegs(p)[i].E.x, PlineSegs(p)[i].E.y});
        }
        return Out;
    };
    for (uint8_t Ch : {uint8_t('A'), uint8_t('g'), uint8_t('6'), uint8_t(0xE8), uint8_t(' ')}) {
        TTrueTypeFace Fresh;
        ASSERT_TRUE(Fresh.Open(DC.FileName(), 0, false, false));
        TObjHeader *fs = nullptr, *fe = nullptr, *s1 = nullptr, *e1 = nullptr, *s2 = nullptr, *e2 = nullptr;
        const Extended a0 = GlyphOutline(Fresh, Ch, fs, fe, 0.5L);
        const Extended a1 = GlyphOutline(DC, Ch, s1, e1, 0.5L);
        const Extended a2 = GlyphOutline(DC, Ch, s2, e2, 0.5L);
        EXPECT_EQ(a0, a1);
        EXPECT_EQ(a1, a2);
        EXPECT_TRUE(Bytes(fs) == Bytes(s2)) << int(Ch);
        EXPECT_TRUE(Bytes(s1) == Bytes(s2)) << int(Ch);
        if (s1) EXPECT_NE(s1, s2);  // copies of their own (a blank has no outline)
        FreeObjList(fs, fe);
        FreeObjList(s1, e1);
        FreeObjList(s2, e2);
    }
}

}  // namespace
