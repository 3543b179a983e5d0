// Stroke fonts: the loader, the built-in font, the interpreter and the add-character encoder.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define KESTRILON_FUZZ_ENTRY_ONLY
#include "fuzz/fuzz_shp.cpp"

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/UniAddChar.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "platform/RecordingCanvas.h"
#include "shell/MainVars.h"
#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

// Header shape: capital height 100, descender 34.
const std::string Header = "*0,4,hdr\n100,34,0,0\n";

bool LogHas(const std::string& Part) {
    for (const auto& l : LogRing())
        if (l.find(Part) != std::string::npos) return true;
    return false;
}

std::vector<uint8_t> Shape(int Slot, int Code) { return FontTab[Slot].ShapeData[Code]; }

class IntFontTest : public KestrilonTest {
protected:
    void TearDown() override {
        FreeObjList(Start, End);
        KestrilonTest::TearDown();
    }
    // Loads Body (after the header) as TEST.SHP and sets WorkText to that font.
    int LoadTest(const std::string& Body) {
        EXPECT_TRUE(LoadFontBytes("Test.shp", Header + Body));
        int slot = FindFont("TEST.SHP");
        EXPECT_GE(slot, 0);
        WorkText = ParText{};
        WorkText.JmFontu = "TEST.SHP";
        WorkText.Vyska = 100;  // k = 1
        WorkText.WidthFactor = 1;
        return slot;
    }
    std::vector<TObjHeader*> Build(const std::string& Text) {
        FreeObjList(Start, End);
        WorkText.Text = Text;
        WalkShpText(ShpBuild, Osy{}, Osy{}, nullptr, 1, 5, Start, End);
        std::vector<TObjHeader*> out;
        for (TObjHeader* p = Start; p; p = p->Next)
            if (p->Type == ObjPline) out.push_back(p);
        return out;
    }
    TObjHeader* Start = nullptr;
    TObjHeader* End = nullptr;
};

void ExpectPt(const Osy& P, Extended X, Extended Y, Extended Tol = 1e-9L) {
    EXPECT_NEAR(double(P.x), double(X), double(Tol));
    EXPECT_NEAR(double(P.y), double(Y), double(Tol));
}

// ---- loader ----

TEST_F(IntFontTest, HexAndNegativeValuesGiveLowBytes) {
    ASSERT_TRUE(LoadFontBytes("T.shp", Header + "*041,3,A\n(2,-012),0\n"));
    int slot = FindFont("t.shp");
    ASSERT_GE(slot, 0);
    EXPECT_EQ(FontTab[slot].Name, "T.SHP");
    EXPECT_EQ(FontTab[slot].ShapeLen[65], 3);
    auto d = Shape(slot, 65);
    ASSERT_EQ(d.size(), 3u + ShapePad);
    EXPECT_EQ(d[0], 2);
    EXPECT_EQ(d[1], 238);
    EXPECT_EQ(d[2], 0);
    ASSERT_TRUE(LoadFontBytes("T.shp", Header + "*065,3,A\n012,0,0\n"));
    EXPECT_EQ(Shape(slot, 101)[0], 18);  // *065 is hexadecimal: 0x65 = 101
}

TEST_F(IntFontTest, HighShapeNumbersAreRemappedOrSkipped) {
    ASSERT_TRUE(LoadFontBytes("R.shp", Header +
                                           "*353,2,scaron\n32,0\n"
                                           "*8709,2,diameter\n33,0\n"
                                           "*300,2,skipped\n34,0\n"
                                           "*65,2,A\n35,0\n"));
    int slot = FindFont("R.SHP");
    EXPECT_EQ(Shape(slot, 154)[0], 32);
    EXPECT_EQ(Shape(slot, 164)[0], 33);
    EXPECT_EQ(Shape(slot, 65)[0], 35);  // the skipped shape's data went with it
    int shapes = 0;
    for (int c = 0; c < 256; ++c) shapes += !FontTab[slot].ShapeData[c].empty();
    EXPECT_EQ(shapes, 4);
}

TEST_F(IntFontTest, SameFontKeepsOneSlotAndTheTableHolds64) {
    const std::string longName = "AVeryLongFontFileNameThatGoesBeyondTheLimit.shp";
    ASSERT_TRUE(LoadFontBytes(longName, Header));
    ASSERT_TRUE(LoadFontBytes(longName, Header));
    int used = 0;
    for (auto& f : FontTab) used += !f.Name.empty();
    EXPECT_EQ(used, 2);  // the built-in font and the long one, once
    EXPECT_EQ(FontTab[1].Name.size(), size_t(FontNameMax));

    for (int i = used; i < FontTabSize; ++i) ASSERT_TRUE(LoadFontBytes("F" + std::to_string(i) + ".shp", Header));
    EXPECT_FALSE(LoadFontBytes("Extra.shp", Header));  // the 65th font
    EXPECT_EQ(FindFont("EXTRA.SHP"), -1);
    // a loaded font can still be reloaded in place
    EXPECT_TRUE(LoadFontBytes("F5.shp", Header + "*65,2,A\n32,0\n"));
    EXPECT_EQ(Shape(FindFont("F5.SHP"), 65)[0], 32);
}

TEST_F(IntFontTest, FileWithoutHeaderLinesGivesAnEmptySlot) {
    ASSERT_TRUE(LoadFontBytes("Empty.shp", "just a comment\n"));
    int slot = FindFont("EMPTY.SHP");
    ASSERT_GE(slot, 0);
    for (int c = 0; c < 256; ++c) EXPECT_TRUE(FontTab[slot].ShapeData[c].empty());
}

TEST_F(IntFontTest, MalformedFilesAreLoggedAndSkipped) {
    struct Case {
        const char* Why;
        std::string Body;
    } cases[] = {
        {"longer than its block", Header + "*65,1,A\n1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18\n"},
        {"missing end byte", Header + "*65,0,A\n9,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n"},
        {"division by 0", Header + "*65,3,A\n3,0,0\n"},
        {"without end", Header + "*65,3,A\n7,66,0\n*66,3,B\n7,65,0\n"},
        {"without end", Header + "*65,3,A\n7,65,0\n"},
        {"cap height 0", "*0,4,hdr\n0,34,0,0\n*65,2,A\n32,0\n"},
        {"cap height 0", "*65,2,A\n32,0\n"},
        {"bad value", Header + "*65,2,A\n32,x\n"},
        {"bad shape number", Header + "*zz,2,A\n32,0\n"},
        {"bad byte count", Header + "*65,70000,A\n32,0\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Body);
        ResetLog();
        EXPECT_FALSE(LoadFontBytes("Bad.shp", c.Body));
        EXPECT_EQ(FindFont("BAD.SHP"), -1);
        EXPECT_TRUE(LogHas("Err:Bad font file (Bad.shp)")) << c.Why;
        EXPECT_TRUE(LogHas(c.Why));
    }
    // a bad file does not disturb the font already loaded under its name
    ASSERT_TRUE(LoadFontBytes("Bad.shp", Header + "*65,2,A\n32,0\n"));
    EXPECT_FALSE(LoadFontBytes("Bad.shp", Header + "*65,3,A\n3,0,0\n"));
    EXPECT_EQ(Shape(FindFont("BAD.SHP"), 65)[0], 32);
}

TEST_F(IntFontTest, LoadFontReadsTheFileAndLogsAMissingOne) {
    WriteFile("FONT/My.shp", Header + "*65,2,A\r\n32,0\r\n");
    EXPECT_TRUE(LoadFont(InDir("FONT"), "My.shp"));
    EXPECT_GE(FindFont("MY.SHP"), 0);
    EXPECT_FALSE(LoadFont(InDir("FONT"), "Missing.shp"));
    EXPECT_EQ(FindFont("MISSING.SHP"), -1);
    EXPECT_TRUE(LogHas("Err:Cannot read font file"));
}

// ---- the built-in font ----

TEST_F(IntFontTest, BuiltInFontIsSlotZeroWithItsFixedRows) {
    EXPECT_EQ(FontTab[0].Name, "YF01.SHP");
    int shapes = 0;
    for (int c = 0; c < 256; ++c) {
        if (FontTab[0].ShapeData[c].empty()) continue;
        ++shapes;
        EXPECT_EQ(CheckShape(FontTab[0].ShapeData[c]), "") << "shape " << c;
    }
    EXPECT_EQ(shapes, IntFontShapeCount);
    EXPECT_EQ(Shape(0, 0), (std::vector<uint8_t>{100, 34, 0, 0}));
    EXPECT_EQ(Shape(0, 46), (std::vector<uint8_t>{2, 8, 24, 0, 1, 32, 36, 40, 44, 2, 8, 26, 0, 0}));
    auto deg = Shape(0, 176);
    ASSERT_EQ(deg.size(), 28u);  // declared 28 for 24 listed bytes
    EXPECT_EQ(deg[11], 127);
    EXPECT_EQ(deg[16], 256 - 32);
    EXPECT_EQ(deg[24], 0);
    for (int c : {65, 97, 48, 138, 154, 164, 177, 200, 232, 237, 239, 249, 253}) EXPECT_FALSE(Shape(0, c).empty()) << c;
}

TEST_F(IntFontTest, SecondCharacterStartsWhereTheFirstLeftThePen) {
    WorkText = ParText{};
    WorkText.JmFontu = "yf01.shp";
    WorkText.Vyska = 10;  // k = 0.1
    WorkText.WidthFactor = 1;
    auto a = Build("A");
    size_t na = a.size();
    auto b = Build("B");
    std::vector<Osy> bStarts;
    for (auto* p : b) bStarts.push_back(AsPline(p)->S);
    auto ab = Build("AB");
    ASSERT_EQ(ab.size(), na + bStarts.size());
    Extended adv = 0;
    {
        auto d = Shape(0, 65);
        // the sum of the x moves of A's shape is where it leaves the pen
        Extended x = 0;
        for (size_t i = 0; i < d.size() && d[i] != 0;) {
            uint8_t c = d[i++];
            if (c == 8) { x += int8_t(d[i]); i += 2; }
            else if (c == 9) { while (d[i] || d[i + 1]) { x += int8_t(d[i]); i += 2; } i += 2; }
        }
        adv = x * 0.1L;
    }
    for (size_t i = 0; i < bStarts.size(); ++i) ExpectPt(AsPline(ab[na + i])->S, bStarts[i].x + adv, bStarts[i].y);
}

TEST_F(IntFontTest, UnknownFontOrCharacterDoesNothing) {
    WorkText = ParText{};
    WorkText.JmFontu = "NONE.SHP";
    WorkText.Vyska = 10;
    WorkText.Text = "A";
    WorkText.WinMin = Osy{1, 2};
    EXPECT_FALSE(WalkShpText(ShpEnvelope, Osy{}, Osy{}, nullptr, 1, 1, Start, End));
    ExpectPt(WorkText.WinMin, 1, 2);
    // a character the font lacks does not move the pen: "A~A" builds like "AA"
    WorkText.JmFontu = "YF01.SHP";
    WorkText.WidthFactor = 1;
    auto aa = Build("AA");
    std::vector<Osy> s;
    for (auto* p : aa) s.push_back(AsPline(p)->S);
    auto a2 = Build("A\x7f" "A");
    ASSERT_EQ(a2.size(), s.size());
    for (size_t i = 0; i < s.size(); ++i) ExpectPt(AsPline(a2[i])->S, s[i].x, s[i].y);
}

// ---- interpreter ----

TEST_F(IntFontTest, SkipConsumesTheWholeNextCommand) {
    LoadTest("*65,14,A\n14,9,(1,1),(2,2),(0,0),8,(5,0),0\n"
             "*66,11,B\n14,12,(10,10,50),8,(0,7),0\n");
    auto a = Build("A");
    ASSERT_EQ(a.size(), 1u);
    ExpectPt(AsPline(a[0])->S, 0, 0);
    ASSERT_EQ(PlineSegCount(a[0]), 1);
    ExpectPt(PlineSegs(a[0])[0].E, 5, 0);
    auto b = Build("B");
    ASSERT_EQ(b.size(), 1u);
    ExpectPt(PlineSegs(b[0])[0].E, 0, 7);
}

TEST_F(IntFontTest, BulgeZeroIsAStraightLine) {
    LoadTest("*65,5,A\n12,(10,0,0),0\n*66,5,B\n12,(10,0,127),0\n");
    auto a = Build("A");
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(PlineSegs(a[0])[0].Alfa, 0);
    auto b = Build("B");
    ASSERT_EQ(b.size(), 1u);
    EXPECT_NEAR(double(PlineSegs(b[0])[0].Alfa), double(GeomPi), 1e-12);
    ExpectPt(PlineSegs(b[0])[0].E, 10, 0);
}

TEST_F(IntFontTest, ArcsUnderWidthFactorMirrorAndFullCircle) {
    // 90 degrees counter-clockwise from (0,0): radius 10, octant count 2 from octant 4
    LoadTest("*65,4,A\n10,10,(66),0\n*66,4,B\n10,10,(0),0\n");
    auto one = Build("A");
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(PlineSegCount(one[0]), 1);
    EXPECT_NEAR(double(PlineSegs(one[0])[0].Alfa), double(GeomPi / 2), 1e-12);
    ExpectPt(PlineSegs(one[0])[0].E, 10, -10, 1e-9L);

    WorkText.WidthFactor = 0.5;
    auto four = Build("A");
    ASSERT_EQ(four.size(), 1u);
    EXPECT_EQ(PlineSegCount(four[0]), 4);  // ceil(90 / 22.5)
    ExpectPt(PlineSegs(four[0])[3].E, 5, -10, 1e-9L);

    WorkText.WidthFactor = 1;
    auto circle = Build("B");  // octant count 0: a full circle, built as two halves
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_EQ(PlineSegCount(circle[0]), 2);
    ExpectPt(PlineSegs(circle[0])[1].E, 0, 0, 1e-9L);

    WorkText.MirrorY = true;
    auto m = Build("A");
    EXPECT_NEAR(double(PlineSegs(m[0])[0].Alfa), double(-GeomPi / 2), 1e-12);
    ExpectPt(PlineSegs(m[0])[0].E, 10, 10, 1e-9L);
}

TEST_F(IntFontTest, MorePushesThanTheStackHoldsAreIgnored) {
    std::string body = "*65,60,A\n";
    for (int i = 0; i < 25; ++i) body += "5,";
    body += "8,(10,0),";
    for (int i = 0; i < 25; ++i) body += "6,";
    body += "1,8,(0,3),0\n";
    LoadTest(body);
    auto a = Build("A");
    ASSERT_FALSE(a.empty());
    // back at the saved (0,0), the last stroke runs up from there
    ExpectPt(AsPline(a.back())->S, 0, 0);
    ExpectPt(PlineSegs(a.back())[0].E, 0, 3);
}

TEST_F(IntFontTest, PickEnvelopeAndDrawModes) {
    LoadTest("*65,6,A\n2,1,8,(100,0),0\n");
    WorkText.Text = "A";
    WorkText.Base = Osy{10, 20};
    EXPECT_TRUE(WalkShpText(ShpPick, Osy{50, 15}, Osy{60, 25}, nullptr, 1, 1, Start, End));
    EXPECT_FALSE(WalkShpText(ShpPick, Osy{50, 25}, Osy{60, 35}, nullptr, 1, 1, Start, End));
    EXPECT_TRUE(WalkShpText(ShpPick, Osy{0, 0}, Osy{200, 200}, nullptr, 1, 1, Start, End));
    WalkShpText(ShpEnvelope, Osy{}, Osy{}, nullptr, 1, 1, Start, End);
    ExpectPt(WorkText.WinMin, 10, 20);
    ExpectPt(WorkText.WinMax, 110, 20);

    Glob.ZoomMin = Osy{0, 0};
    Glob.ZoomMax = Osy{200, 150};
    Glob.BoduNaMm = 4;
    Glob.Okno = Osy{800, 600};
    TRecordingCanvas canvas;
    WalkShpText(ShpDraw, Osy{}, Osy{}, &canvas, 1, 1, Start, End);
    EXPECT_EQ(canvas.Count(TCanvasOpKind::Line), 1u);
}

TEST_F(IntFontTest, BuildingAnArcIsOneSegmentAndDrawingCutsItIntoChords) {
    LoadTest("*65,5,A\n12,(100,0,127),0\n");
    Glob.ZoomMin = Osy{-500, -500};
    Glob.ZoomMax = Osy{500, 500};
    Glob.BoduNaMm = 1;
    Glob.Okno = Osy{1000, 1000};
    WorkText.Text = "A";
    TRecordingCanvas canvas(1000, 1000);
    WalkShpText(ShpDraw, Osy{}, Osy{}, &canvas, 1, 1, Start, End);
    // half a pixel of deviation on a radius of 50 px: about 15 chords for a half circle
    size_t chords = canvas.Count(TCanvasOpKind::Line);
    EXPECT_GE(chords, 10u);
    EXPECT_LE(chords, 25u);
    WalkShpText(ShpEnvelope, Osy{}, Osy{}, nullptr, 1, 1, Start, End);
    EXPECT_NEAR(double(WorkText.WinMin.y), -50, 0.5);  // the arc bulges below the chord
}

// ---- add-character encoder ----

TEST_F(IntFontTest, EncoderSplitsMovesIntoEqualSteps) {
    std::vector<std::string> out;
    int bytes = 0;
    Osy q{0, 0};
    AddCharMove(q, Osy{30.0L, 0}, out, bytes);
    EXPECT_EQ(out, (std::vector<std::string>{"8,(100,0),", "8,(100,0),", "8,(100,0),"}));
    EXPECT_EQ(bytes, 9);
    out.clear();
    AddCharMove(q, Osy{30.0L - 30.1L, 0}, out, bytes);
    EXPECT_EQ(out, (std::vector<std::string>{"8,(-101,0),", "8,(-100,0),", "8,(-100,0),"}));
    ExpectPt(q, -0.1L, 0, 1e-12L);
    out.clear();
    AddCharMove(q, q, out, bytes);
    EXPECT_TRUE(out.empty());
}

TEST_F(IntFontTest, WrittenCharacterReloadsWithItsGeometry) {
    // a polyline with a line and a half circle, and the end point
    StartObj(Osy{1, 0});
    AddSeg(Osy{1, 30}, 0, CoordTol);
    AddSeg(Osy{21, 30}, -GeomPi / 2, CoordTol);
    MakeObj(LayerOrig, MainVars.DataStart, MainVars.DataEnd);
    StartObj(Osy{5, 5});
    AddSeg(Osy{10, 5}, 0, CoordTol);
    MakeObj(3, MainVars.DataStart, MainVars.DataEnd);  // not on layer 68: ignored
    StartObj(Osy{40, 0});
    MakeObj(LayerOrig, MainVars.DataStart, MainVars.DataEnd);

    ASSERT_TRUE(AddCharToFont(65));
    ASSERT_TRUE(AddCharToFont(66));
    std::string file = ReadFile(InDir("FONT/Font.shp"));
    EXPECT_EQ(file.rfind("*0,4,", 0), 0u);              // begins with a header shape
    EXPECT_EQ(file.find("*0,"), file.rfind("*0,"));      // only one
    EXPECT_NE(file.find("*65,"), std::string::npos);
    int slot = FindFont("FONT.SHP");
    ASSERT_GE(slot, 0);
    EXPECT_EQ(Shape(slot, 0)[0], 100);

    WorkText = ParText{};
    WorkText.JmFontu = "FONT.SHP";
    WorkText.Vyska = 100;  // one font unit is one mm
    WorkText.WidthFactor = 1;
    auto p = Build("AB");
    ASSERT_EQ(p.size(), 2u);
    // 30 mm up in three steps of 100 tenths, then the arc in two bulge pieces
    ExpectPt(AsPline(p[0])->S, 1, 0, 1e-9L);
    ASSERT_EQ(PlineSegCount(p[0]), 5);
    ExpectPt(PlineSegs(p[0])[2].E, 1, 30, 1e-9L);
    ExpectPt(PlineSegs(p[0])[4].E, 21, 30, 0.05L);
    EXPECT_NEAR(double(PlineSegs(p[0])[3].Alfa + PlineSegs(p[0])[4].Alfa), double(-GeomPi / 2), 0.02);
    Osy mid;
    SegMidPt(PlineSegs(p[0])[2].E, PlineSegs(p[0])[3].E, PlineSegs(p[0])[3].Alfa, mid);
    Osy c{11, 20};  // centre of the original arc; radius sqrt(200)
    EXPECT_NEAR(double(Dist(mid, c)), std::sqrt(200.0), 0.05);
    // the second character starts at the end point of the first
    ExpectPt(AsPline(p[1])->S, 41, 0, 1e-9L);
    EXPECT_FALSE(AddCharToFont(0));
}

}  // namespace

namespace {

// ---- the fuzz corpus: every file loads or is refused, and runs without fault ----

TEST_F(IntFontTest, FuzzCorpusReplays) {
    int loaded = 0;
    const size_t files = ReplayCorpus("fonts", Dir(), [&](const std::string& Bytes) { loaded += FuzzShpFont(Bytes); });
    EXPECT_GE(files, 10u);
    EXPECT_GE(loaded, 4);
}

}  // namespace
