// The PCB exchange: pads, tracks and texts read as milling geometry, broken files
// refused whole, the writer's tracks, arcs, chords and pads, and the round trip of
// the geometry through our own writer and reader.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "formats/FormicaInDg.h"
#include "formats/FormicaOutDg.h"
#include "formats/UniFormica.h"
#include "platform/Controls.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"
#include "tools/ToolDg.h"
#include "tools/UniTType.h"

namespace {

constexpr Extended Pi = 3.141592653589793238462643383279502884L;
constexpr Extended K = 0.0254L;

// Pad type 0 round 60 on layers 1 and 2, type 1 rectangular 60 x 40 on layer 1,
// type 2 oblong 80 x 40 on layer 1, type 3 no shape (a lone hole of 32); line type 2
// 8 wide on layers 1 and 2, line type 3 of width 0 on layer 1.
const char* const Dimensions =
    "DIMENSIONS (\n"
    "  PADS (\n"
    "    (0 ((1 2) 1 60) 32 0)\n"
    "    (1 (1 2 60 40) 32 0)\n"
    "    (2 (1 1 80 40) 32 0)\n"
    "    (3 (1 0 0) 32 0)\n"
    "  )\n"
    "  LINES (\n"
    "    (2 ((1 2) 8) 0)\n"
    "    (3 (1 0) 0)\n"
    "  )\n"
    "  GAPS (\n"
    "    (0 1 2)\n"
    "  )\n"
    ")\n";

class FormicaTest : public KestrilonTest {
protected:
    TObjHeader*& S = MainVars.DataStart;
    TObjHeader*& E = MainVars.DataEnd;
    void SetUp() override {
        KestrilonTest::SetUp();
        CreateFormicaInDg();
        CreateFormicaOutDg();
    }
    void TearDown() override {
        FreeObjList(S, E);
        KestrilonTest::TearDown();
    }
    static bool Logged(const std::string& Part) {
        for (const std::string& l : TCmdHarness::LogTexts())
            if (l.find(Part) != std::string::npos) return true;
        return false;
    }
    std::vector<TObjHeader*> Objs(int Type, int Layer) {
        std::vector<TObjHeader*> r;
        for (TObjHeader* p = S; p; p = p->Next)
            if (p->Type == Type && p->Layer == Layer) r.push_back(p);
        return r;
    }
    static void Env(TObjHeader* P, Osy& Mn, Osy& Mx) { EnPline.Envelope(P, Mn, Mx); }
};

TEST_F(FormicaTest, PadsTracksAndTextsLandOnTheirLayers) {
    const std::string f = WriteFile("a.pcb", std::string(Dimensions) +
                                                 "Layout (\n"
                                                 "  Pads (\n"
                                                 "    (1000 1000 0)\n"
                                                 "    (2000 1000 1)\n"
                                                 "    (3000 1000 65)\n"
                                                 "    (4000 1000 2)\n"
                                                 "    (5000 1000 3)\n"
                                                 "  )\n"
                                                 "  Lines (\n"
                                                 "    (0 0 100 0 2 1)\n"
                                                 "    (100 0 100 100)\n"
                                                 "    (0 500 100 500 2 2)\n"
                                                 "  )\n"
                                                 "  Arcs (\n"
                                                 "    (2 200 100 100 2 1)\n"
                                                 "  )\n"
                                                 "  Text (\n"
                                                 "    (\"Ab c\" 100 200 10 1 0 0)\n"
                                                 "    (\"On two\" 100 300 10 6 0 2)\n"
                                                 "  )\n"
                                                 ")\n"
                                                 "Components (\n"
                                                 "  U1 (\n"
                                                 "    Pins (\n"
                                                 "      (1 6000 1000 0)\n"
                                                 "    )\n"
                                                 "    Text (\n"
                                                 "      (\"skipped\" 0 0)\n"
                                                 "    )\n"
                                                 "  )\n"
                                                 ")\n");
    FormicaInDg->ChBoxSingle->Checked = true;
    FormicaInDg->LayerItems[2]->Checked = false;
    Osy mn, mx;
    ASSERT_TRUE(LoadFormica(f, mn, mx));
    // Round pads of 1.524 mm on layer 1 (layer 2 is not ticked), also the pin's.
    Osy c;
    Extended r = 0;
    int round = 0;
    for (TObjHeader* p : Objs(ObjPline, 1))
        if (EnPline.IsCircle(p, c, r)) {
            EXPECT_NEAR(double(r), double(30 * K), 1e-9);
            ++round;
        }
    EXPECT_EQ(round, 2);
    EXPECT_TRUE(Objs(ObjPline, 2).empty());
    // The rectangle 60 x 40, and turned by 90 degrees; the oblong 80 x 40 along x.
    Osy a, b;
    auto sized = [&](Extended X, Extended W, Extended H) {
        for (TObjHeader* p : Objs(ObjPline, 1)) {
            Env(p, a, b);
            if (std::fabs((a.x + b.x) / 2 - X * K) < 1e-6 && std::fabs(b.x - a.x - W * K) < 1e-6 &&
                std::fabs(b.y - a.y - H * K) < 1e-6)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(sized(2000, 60, 40));
    EXPECT_TRUE(sized(3000, 40, 60));
    EXPECT_TRUE(sized(4000, 80, 40));
    // The lone hole: its drill on Orig.
    ASSERT_EQ(Objs(ObjPline, 68).size(), 1u);
    ASSERT_TRUE(EnPline.IsCircle(Objs(ObjPline, 68)[0], c, r));
    EXPECT_NEAR(double(c.x), double(5000 * K), 1e-9);
    EXPECT_NEAR(double(r), double(16 * K), 1e-9);
    // The adjoining line, its carried-over line type and layer, and the arc: one centre line.
    int tracks = 0;
    for (TObjHeader* p : Objs(ObjPline, 1))
        if (!EnPline.IsCircle(p, c, r) && PlineSegCount(p) == 3) {
            ++tracks;
            Env(p, a, b);
            EXPECT_NEAR(double(b.y), double(100 * K), 1e-9);
            EXPECT_NEAR(double(b.x), double(200 * K), 1e-9);
        }
    EXPECT_EQ(tracks, 1);
    // Extents: every track end, also of the unticked layer.
    EXPECT_NEAR(double(mn.x), 0, 1e-9);
    EXPECT_NEAR(double(mx.y), double(500 * K), 1e-9);
    // Texts in their own case, layer 0 on T24, and on the unticked layer too; the
    // component's text is skipped.
    ASSERT_EQ(Objs(ObjText, 24).size(), 1u);
    EXPECT_EQ(AsText(Objs(ObjText, 24)[0])->Text.Get(), "Ab c");
    ASSERT_EQ(Objs(ObjText, 2).size(), 1u);
    int texts = 0;
    for (TObjHeader* p = S; p; p = p->Next) texts += p->Type == ObjText;
    EXPECT_EQ(texts, 2);
}

TEST_F(FormicaTest, TracksOfAWidthBecomeClosedOutlines) {
    // A square of four tracks (closed when joined, so split again), and an open L.
    const std::string f = WriteFile("w.pcb", std::string(Dimensions) +
                                                 "Layout (\n  Lines (\n"
                                                 "    (0 0 1000 0 2 1)\n    (1000 0 1000 1000)\n"
                                                 "    (1000 1000 0 1000)\n    (0 1000 0 0)\n"
                                                 "    (2000 0 3000 0 2 1)\n    (3000 0 3000 1000)\n"
                                                 "    (5000 0 6000 0 3 1)\n"
                                                 "  )\n)\n");
    Osy mn, mx;
    ASSERT_TRUE(LoadFormica(f, mn, mx));
    const Extended half = 8 * K / 2 - 0.005L;
    int outlines = 0, narrow = 0, centre = 0;
    for (TObjHeader* p : Objs(ObjPline, 1)) {
        Osy a, b;
        Env(p, a, b);
        if (AsPline(p)->PlineFlags & PlineClosed) {
            ++outlines;
            narrow += std::fabs(std::min(b.x - a.x, b.y - a.y) - 2 * half) < 1e-6;
        } else {
            ++centre;  // line type 3 has no width on layer 1
            EXPECT_NEAR(double(a.x), double(5000 * K), 1e-9);
        }
    }
    EXPECT_EQ(narrow, 4);  // the square's sides, one by one
    EXPECT_EQ(outlines, 5);
    EXPECT_EQ(centre, 1);
}

TEST_F(FormicaTest, BrokenFilesAddNothingAndNameTheLine) {
    const char* const bad[] = {
        "Layout (\n  Lines (\n    (0 0 1 1 16 1)\n  )\n)\n",      // line type above 15
        "Layout (\n  Lines (\n    (0 0 1 1 1 24)\n  )\n)\n",      // layer above 23
        "Layout (\n  Pads (\n    (0 0 256)\n  )\n)\n",            // pad type byte above 255
        "Layout (\n  Arcs (\n    (4 0 0 10 1 1)\n  )\n)\n",       // quadrant above 3
        "Layout (\n  Lines (\n    (0 0 1\n  )\n)\n",              // line ends too early
        "Layout (\n  Text (\n    (\"open 1 2)\n  )\n)\n",         // text without its end
        "Dimensions (\n  Pads (\n    (128 (1 1 60) 32 0)\n  )\n)\n",  // pad type above 127
        "Dimensions (\n  Pads (\n    (0 (1 1 60))\n  )\n)\n",     // no drill diameter
        "Dimensions (\n  Lines (\n    (0 (1 300) 0)\n  )\n)\n",   // width above 255
        "Layout (\n  Lines (\n    (0 0 99999999999 1)\n  )\n)\n",  // number beyond any range
    };
    EnPline.LineAdd(Osy{0, 0}, Osy{1, 1}, 5, S, E);
    for (const char* text : bad) {
        const std::string f = WriteFile("bad.pcb", std::string("Layout (\n  Lines (\n    (0 0 100 0 0 1)\n  )\n)\n") + text);
        TScriptResponder R;
        R.ExpectMessage(mrOk, "Formica");
        Osy mn, mx;
        EXPECT_FALSE(LoadFormica(f, mn, mx)) << text;
        EXPECT_TRUE(R.Done()) << text;
        EXPECT_EQ(S, E) << text;  // the drawing as it was
        EXPECT_TRUE(Logged("Err:FAILED Load formica file, line ")) << text;
    }
    TScriptResponder R;
    R.ExpectMessage(mrOk);
    Osy mn, mx;
    EXPECT_FALSE(LoadFormica(InDir("none.pcb"), mn, mx));
    EXPECT_TRUE(Logged("Err:FAILEd Load formica file, file not found:"));
}

TEST_F(FormicaTest, WriterTracksArcsChordsAndPads) {
    // A cylindrical mill of 0.2 mm on T1 and of 1 mm on T2, through the program's tool services.
    const TToolDistLaFn kept = ToolDistLaHook;
    InstallToolServices();
    InitTool();
    InitToolType();
    for (int l : {1, 2}) {
        Glob.Tool[l].ToolType = 1;
        Glob.Tool[l].SpodniPrumer = l == 1 ? 0.2L : 1;
    }
    EnPline.LineAdd(Osy{0, 0}, Osy{2.54L, 0}, 1, S, E);
    EnPline.ArcAdd(Osy{10, 0}, Osy{0, 10}, Pi / 2, 1, S, E);          // a quarter from 0 degrees
    EnPline.ArcAdd(Osy{20, 10}, Osy{10, 0}, -Pi / 2, 1, S, E);        // clockwise: turned round
    const Osy c45{30, 0};
    EnPline.ArcAdd(Osy{c45.x + 5 * std::cos(Pi / 4), 5 * std::sin(Pi / 4)},
                   Osy{c45.x + 5 * std::cos(3 * Pi / 4), 5 * std::sin(3 * Pi / 4)}, Pi / 2, 1, S, E);
    EnPline.CircleAdd(Osy{25.4L, 50.8L}, 0.5L, 2, S, E);  // 2 * (0.5 + 0.5) = 2 mm: pad type 8
    EnPline.LineAdd(Osy{0, 0}, Osy{5, 5}, 3, S, E);      // layer without a PCB layer
    Glob.TabLayer[1].Name = "T1";
    Glob.TabLayer[2].Name = "T2";
    Glob.TabLayer[12].Name = "T12";
    TFormicaOutDg& D = *FormicaOutDg;
    D.DoShow();
    D.StrGridLayer->Cells[1][1] = "t12 t1";
    D.StrGridLayer->Cells[1][2] = "T1";  // the smaller row wins
    D.EditPadLayer->Text = "T2";
    // Overlapping ranges write two pads; the rows past 12 are not read.
    D.StrGridPadType->Cells[1][9] = "1.9";
    ASSERT_TRUE(D.SaveFormica(InDir("o.pcb")));
    const std::vector<std::string> lines = SplitTextLines(ReadFile(InDir("o.pcb")));
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Layout (");
    EXPECT_EQ(lines[1], "  Lines (");
    EXPECT_EQ(lines[2], "    (0 0 100 0 2 0)");
    std::vector<std::string> pads, arcs;
    int chords = 0;
    std::string section;
    for (const std::string& l : lines) {
        if (l.rfind("  ", 0) == 0 && l[2] != ' ') section = l;
        else if (section == "  Pads (" && l.rfind("    (", 0) == 0) pads.push_back(l);
        else if (section == "  Arcs (" && l.rfind("    (", 0) == 0) arcs.push_back(l);
        else if (section == "  Lines (" && l.rfind("    (", 0) == 0) ++chords;
    }
    EXPECT_EQ(pads, (std::vector<std::string>{"    (1000 2000 7)", "    (1000 2000 8)"}));
    EXPECT_EQ(arcs, (std::vector<std::string>{"    (0 0 0 394 2 0)", "    (3 394 394 394 2 0)"}));
    EXPECT_GT(chords, 2);  // the arc from 45 degrees as chords
    EXPECT_EQ(lines.back(), ")");
    ToolDistLaHook = kept;
    // Switching to metric converts the ranges by 125/127; showing again restores them.
    D.RBtnMetric->Click();
    Extended v = 0;
    ASSERT_TRUE(StrToExtCalc(D.StrGridLineType->Cells[2][1], v, false));
    EXPECT_NEAR(double(v), double(5 * K * 125 / 127), 1e-9);
    D.DoShow();
    ASSERT_TRUE(StrToExtCalc(D.StrGridLineType->Cells[2][1], v, false));
    EXPECT_NEAR(double(v), double(5 * 0.025L), 1e-9);
}

TEST_F(FormicaTest, RoundTripKeepsTheTracksWithinTheFilesStep) {
    Glob.TabLayer[3].Name = "T3";
    EnPline.LineAdd(Osy{1, 2}, Osy{11.43L, 7.3L}, 3, S, E);
    EnPline.ArcAdd(Osy{20, 10}, Osy{15, 15}, Pi / 2, 3, S, E);
    EnPline.ArcAdd(Osy{40, 10}, Osy{30, 10}, 2.5L, 3, S, E);
    std::vector<Osy> before;
    for (TObjHeader* p = S; p; p = p->Next) {
        before.push_back(AsPline(p)->S);
        before.push_back(PlineEndPt(p));
    }
    FormicaOutDg->DoShow();
    FormicaOutDg->StrGridLayer->Cells[1][4] = "T3";
    ASSERT_TRUE(FormicaOutDg->SaveFormica(InDir("rt.pcb")));
    FreeObjList(S, E);
    FormicaInDg->ChBoxSingle->Checked = true;
    Osy mn, mx;
    ASSERT_TRUE(LoadFormica(InDir("rt.pcb"), mn, mx));
    // PCB layer 3 comes back on T3; each piece joined into one polyline per piece.
    std::vector<TObjHeader*> back = Objs(ObjPline, 3);
    ASSERT_EQ(back.size(), 3u);
    for (size_t i = 0; i < before.size(); ++i) {
        bool found = false;
        for (TObjHeader* p : back)
            for (const Osy& q : {AsPline(p)->S, PlineEndPt(p)})
                found |= std::hypot(double(q.x - before[i].x), double(q.y - before[i].y)) <= 0.036;
        EXPECT_TRUE(found) << i;
    }
    // The chord ends lie on the arc.
    Osy c;
    Extended r = 0;
    ArcCenter(Osy{40, 10}, Osy{30, 10}, 2.5L, c, r);
    for (TObjHeader* p : back)
        if (PlineSegCount(p) > 2)
            for (int32_t i = 0; i <= PlineSegCount(p); ++i) {
                const Osy q = i == 0 ? AsPline(p)->S : PlineSegs(p)[i - 1].E;
                EXPECT_NEAR(std::hypot(double(q.x - c.x), double(q.y - c.y)), double(r), 0.036);
            }
}

}  // namespace
