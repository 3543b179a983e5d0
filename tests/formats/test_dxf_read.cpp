// The DXF reader: drawings written by an independent DXF library (ezdxf) for every
// entity kind and version, compared with the coordinates its script put in; the
// reading rules; and damaged or hostile files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "commands/TextDg.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "formats/DxfPairs.h"
#include "formats/UniDXF.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

constexpr Extended Tol = 1e-6L;

bool Near(const Osy& A, Extended X, Extended Y) { return std::fabs(A.x - X) <= Tol && std::fabs(A.y - Y) <= Tol; }

// Every record that is no group, at any depth.
void Leaves(TObjHeader* First, std::vector<TObjHeader*>& Out) {
    for (TObjHeader* p = First; p; p = p->Next)
        if (p->Type == ObjGroup)
            Leaves(AsGroup(p)->First, Out);
        else
            Out.push_back(p);
}

class DxfReadTest : public KestrilonTest {
protected:
    void TearDown() override {
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        KestrilonTest::TearDown();
    }
    static std::vector<TObjHeader*> All() {
        std::vector<TObjHeader*> v;
        Leaves(MainVars.DataStart, v);
        return v;
    }
    static bool HasVertex(uint8_t L, Extended X, Extended Y) {
        for (TObjHeader* p : All()) {
            if (p->Layer != L || (p->Type != ObjPoint && p->Type != ObjPline)) continue;
            if (Near(AsPline(p)->S, X, Y)) return true;
            if (p->Type == ObjPline)
                for (int32_t i = 0; i < PlineSegCount(p); ++i)
                    if (Near(PlineSegs(p)[i].E, X, Y)) return true;
        }
        return false;
    }
    static bool OnPline(uint8_t L, Extended X, Extended Y) {
        for (TObjHeader* p : All()) {
            int32_t seg = 0;
            if (p->Layer == L && p->Type == ObjPline && EnPline.DistPoint(p, Osy{X, Y}, seg) <= Tol) return true;
        }
        return false;
    }
    static bool HasText(uint8_t L, Extended X, Extended Y, const std::string& S) {
        for (TObjHeader* p : All())
            if (p->Layer == L && p->Type == ObjText && Near(AsText(p)->Origin, X, Y) && AsText(p)->Text.Get() == S)
                return true;
        return false;
    }
    // A DXF of the given lines (group codes and values alternating), CR LF ended.
    std::string Dxf(const std::string& Name, const std::vector<std::string>& Lines) {
        std::string s;
        for (const std::string& l : Lines) s += l + "\r\n";
        return WriteFile(Name, s);
    }
    static std::vector<std::string> Entities(std::vector<std::string> Body) {
        std::vector<std::string> v = {"0", "SECTION", "2", "ENTITIES"};
        v.insert(v.end(), Body.begin(), Body.end());
        v.insert(v.end(), {"0", "ENDSEC", "0", "EOF"});
        return v;
    }
    static void Load(const std::string& File, Osy& Min, Osy& Max) {
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        LoadDxf(File, Min, Max);
    }
};

// Each fixture's .expect lines hold against what the reader made.
TEST_F(DxfReadTest, DrawingsOfAnotherLibraryForEveryKindAndVersion) {
    const std::string out = InDir("fx");
    const std::string cmd = "/usr/bin/python3 " KESTRILON_SOURCE_DIR "/tests/formats/dxf_fixtures.py " + out;
    if (std::system(cmd.c_str()) != 0) GTEST_SKIP() << "ezdxf (python3-ezdxf) is not available";
    const char* kinds[] = {"point", "line", "circle", "arc", "polyline", "lwpolyline", "text", "mtext", "insert"};
    int files = 0;
    for (const char* ver : {"R12", "R2000", "R2018"})
        for (const char* kind : kinds) {
            const std::string base = out + "/" + kind + "_" + ver;
            std::ifstream ex(base + ".expect");
            if (!ex) continue;
            SCOPED_TRACE(base);
            ++files;
            Osy mn, mx;
            TScriptResponder R;  // any message box fails the test
            Load(base + ".dxf", mn, mx);
            EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
            std::string line;
            while (std::getline(ex, line)) {
                std::istringstream in(line);
                std::string what;
                int layer = 0;
                Extended x = 0, y = 0;
                in >> what;
                if (what == "COUNT") {
                    int n = 0;
                    in >> n;
                    EXPECT_EQ(CountObjs(MainVars.DataStart), n);
                    continue;
                }
                in >> layer >> x >> y;
                if (what == "VTX") EXPECT_TRUE(HasVertex(uint8_t(layer), x, y)) << line;
                if (what == "ON") EXPECT_TRUE(OnPline(uint8_t(layer), x, y)) << line;
                if (what == "TEXT") {
                    std::string s;
                    in >> s;
                    EXPECT_TRUE(HasText(uint8_t(layer), x, y, Utf8ToCp1250(s))) << line;
                }
                EXPECT_LE(mn.x, x + Tol);
                EXPECT_GE(mx.y, y - Tol);
            }
        }
    EXPECT_EQ(files, 25);
}

TEST_F(DxfReadTest, LayerNamesMapByNameTrailingDigitsOrOrig) {
    const struct {
        const char* Name;
        int Layer;
    } Cases[] = {{"T5", 5},  {"t5", 5},      {"MILL12", 12}, {"CONTOUR", 68}, {"MILL99", 68},
                 {"X0", 68}, {"A000007", 7}, {"", 68},       {"123456789012345678901234567890", 68}};
    for (const auto& C : Cases) EXPECT_EQ(DxfLayerToLayer(C.Name), C.Layer) << C.Name;
}

TEST_F(DxfReadTest, ValueLinesAndNumbers) {
    EXPECT_EQ(ReadDxfLine("  1,5,7\t"), "1.5,7");
    EXPECT_EQ(ReadDxfLine("lwPolyline"), "LWPOLYLINE");
    const struct {
        const char* Text;
        bool Ok, Range;
        Extended Value;
    } Cases[] = {{"1,5", true, false, 1.5L}, {" -2.25e1 ", true, false, -22.5L}, {"1,5,7", false, false, 0},
                 {"abc", false, false, 0},   {"1e400", false, true, 0},          {"nan", false, true, 0},
                 {"-inf", false, true, 0},   {"1e13", false, true, 0},           {"", false, false, 0}};
    for (const auto& C : Cases) {
        Extended v = 0;
        bool range = false;
        EXPECT_EQ(DxfNumber(C.Text, v, range), C.Ok) << C.Text;
        EXPECT_EQ(range, C.Range) << C.Text;
        if (C.Ok) EXPECT_EQ(v, C.Value) << C.Text;
    }
}

// Arcs of more than half a circle are two polylines; equal angles give nothing.
TEST_F(DxfReadTest, ArcsAsTheAnglesSay) {
    const struct {
        const char* From;
        const char* To;
        int Plines;
    } Cases[] = {{"0", "270", 2}, {"0", "360", 2}, {"30", "30", 0}, {"350", "10", 1}, {"10", "400", 0}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::string(C.From) + ".." + C.To);
        Osy mn, mx;
        Load(Dxf("arc.dxf", Entities({"0", "ARC", "8", "T1", "10", "0", "20", "0", "40", "5", "50", C.From, "51", C.To})),
             mn, mx);
        ASSERT_EQ(CountObjs(MainVars.DataStart), C.Plines);
        if (C.Plines == 2) EXPECT_NEAR(double(mx.x - mn.x), 10, 1e-9);
    }
}

// Lines, circles and arcs meet the vertex filter as polylines do: below it they are
// points, and whatever they became is what the file written of them gives back.
TEST_F(DxfReadTest, LinesCirclesAndArcsMeetTheVertexFilterAsPolylinesDo) {
    const struct {
        std::vector<std::string> Entity;
        int32_t Segs;  // -1: a point
    } Cases[] = {
        {{"0", "LINE", "10", "0.07", "20", "0", "11", "0", "21", "0"}, -1},
        {{"0", "LINE", "10", "0.07", "20", "0", "11", "0", "21", "0.2"}, 1},
        {{"0", "CIRCLE", "10", "5", "20", "5", "40", "0.04"}, -1},
        {{"0", "CIRCLE", "10", "5", "20", "5", "40", "0.06"}, 2},
        {{"0", "ARC", "10", "5", "20", "5", "40", "0.04", "50", "0", "51", "90"}, -1},
        {{"0", "ARC", "10", "5", "20", "5", "40", "1", "50", "0", "51", "90"}, 1},
    };
    Glob.InputFiltr = 0.1L;
    for (int l = 1; l <= LayerCount; ++l) Glob.TabLayer[l].Show = true;
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Entity[1] + " " + C.Entity.back());
        Osy mn, mx;
        Load(Dxf("small.dxf", Entities(C.Entity)), mn, mx);
        for (int pass = 0; pass < 2; ++pass) {
            ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
            const TObjHeader* p = MainVars.DataStart;
            EXPECT_EQ(p->Type == ObjPline ? PlineSegCount(p) : -1, C.Segs) << "pass " << pass;
            ASSERT_TRUE(SaveDxf(Dir() + "/again.dxf", true));
            Load(Dir() + "/again.dxf", mn, mx);
        }
    }
}

TEST_F(DxfReadTest, ByteOrderMarkBeforeTheFirstCode) {
    Osy mn, mx;
    Load(WriteFile("bom.dxf", "\xEF\xBB\xBF" "0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n1\n20\n2\n0\nENDSEC\n0\nEOF\n"), mn, mx);
    ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
    EXPECT_EQ(AsPoint(MainVars.DataStart)->S.y, 2);
}

// The group of a block reference lies on the reference's layer; its members keep theirs.
TEST_F(DxfReadTest, ReferenceGroupOnItsLayer) {
    Osy mn, mx;
    Load(Dxf("ref.dxf", {"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "2", "PART", "10", "1", "20", "1", "0", "POINT",
                         "8", "T4", "10", "2", "20", "3", "0", "ENDBLK", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES",
                         "0", "INSERT", "2", "PART", "8", "T9", "10", "10", "20", "20", "0", "ENDSEC", "0", "EOF"}),
         mn, mx);
    ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
    TObjHeader* g = MainVars.DataStart;
    ASSERT_EQ(g->Type, ObjGroup);
    EXPECT_EQ(g->Layer, 9);
    EXPECT_EQ(AsGroup(g)->First->Layer, 4);
    EXPECT_EQ(AsPoint(AsGroup(g)->First)->S.x, 11);
    EXPECT_EQ(AsPoint(AsGroup(g)->First)->S.y, 22);
}

// Texts: the style must exist ("STANDARD" always does, in the built-in font); the
// alignment codes give the justification and origin, code 71 the mirror.
TEST_F(DxfReadTest, TextStylesAndAlignment) {
    const struct {
        std::vector<std::string> Codes;
        bool Made;
        int Justify;
        bool Mirror;
        Osy Origin;
    } Cases[] = {
        {{"7", "NOPE"}, false, 0, false, {}},
        {{}, true, 0, false, {1, 2}},
        {{"11", "5", "21", "6", "72", "2", "73", "2"}, true, 5, false, {5, 6}},
        {{"11", "5", "21", "6", "72", "4", "73", "0"}, true, 4, false, {5, 6}},
        {{"11", "5", "21", "6", "72", "5", "73", "0"}, true, 1, false, {3, 4}},
        {{"71", "4"}, true, 0, true, {1, 2}},
        {{"71", "6"}, true, 0, false, {1, 2}},
    };
    for (const auto& C : Cases) {
        std::vector<std::string> body = {"0", "TEXT", "8", "T1", "1", "Ab", "10", "1", "20", "2", "40", "3"};
        body.insert(body.end(), C.Codes.begin(), C.Codes.end());
        Osy mn, mx;
        Load(Dxf("t.dxf", Entities(body)), mn, mx);
        SCOPED_TRACE(C.Codes.empty() ? "" : C.Codes[0] + C.Codes[1]);
        ASSERT_EQ(MainVars.DataStart != nullptr, C.Made);
        if (!C.Made) continue;
        const TTextRec* t = AsText(MainVars.DataStart);
        EXPECT_EQ(t->JmFontu.Get(), "YF01.SHP");
        EXPECT_EQ(t->Justify & 15, C.Justify);
        EXPECT_EQ(t->MirrorY != 0, C.Mirror);
        EXPECT_TRUE(Near(t->Origin, C.Origin.x, C.Origin.y));
    }
}

// A style whose font file names a TrueType family of the system gives a TrueType
// text, also without an alignment point.
TEST_F(DxfReadTest, TrueTypeStyle) {
    CreateTextDialog();
    std::string family;
    for (const std::string& f : TextDialog->FontList())
        if (UpCaseStr(f) == "DEJAVU SANS") family = f;
    if (family.empty()) GTEST_SKIP() << "no DejaVu Sans (fonts-dejavu-core)";
    Osy mn, mx;
    Load(Dxf("tt.dxf", {"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "STYLE", "0", "STYLE", "2", "S1", "3",
                        "C:\\Fonts\\dejavu sans.ttf", "0", "ENDTAB", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES",
                        "0", "TEXT", "8", "T1", "1", "Ab", "7", "S1", "10", "1", "20", "2", "40", "3", "0", "ENDSEC", "0",
                        "EOF"}),
         mn, mx);
    ASSERT_NE(MainVars.DataStart, nullptr);
    EXPECT_EQ(AsText(MainVars.DataStart)->JmFontu.Get(), family);
    EXPECT_TRUE(IsTrueTypeText(MainVars.DataStart));
}

TEST_F(DxfReadTest, WithoutEntitiesNothingAndInitialExtents) {
    Osy mn, mx;
    Load(Dxf("empty.dxf", {"0", "SECTION", "2", "HEADER", "0", "ENDSEC", "0", "EOF"}), mn, mx);
    EXPECT_EQ(MainVars.DataStart, nullptr);
    EXPECT_EQ(mn.x, 1000000);
    EXPECT_EQ(mx.y, -1000000);
}

// Damaged and hostile files: a bad number drops its entity with the line in the log;
// a truncated file imports nothing; kinds without a reader are listed once.
TEST_F(DxfReadTest, DamagedFilesSayWhatWasWrong) {
    const std::vector<std::string> twoLines = {"0", "LINE", "8", "T1", "10", "0", "20", "0", "11", "5", "21", "0",
                                               "0", "LINE", "8", "T1", "10", "0", "20", "nan", "11", "5", "21", "0"};
    const struct {
        const char* Name;
        std::vector<std::string> Lines;
        int Objects;
        const char* Log;
    } Cases[] = {
        {"nan", Entities(twoLines), 1, "Err:DXF line 24: number out of range (nan)"},
        {"overflow", Entities({"0", "POINT", "10", "1e999", "20", "0", "0", "POINT", "10", "1", "20", "1"}), 1,
         "Err:DXF line 8: number out of range (1e999)"},
        {"badcode", Entities({"0", "POINT", "1x0", "1", "20", "0", "0", "POINT", "10", "1", "20", "1"}), 1,
         "Err:DXF line 7: group code is not an integer"},
        {"truncated", {"0", "SECTION", "2", "ENTITIES", "0", "POINT", "10", "1", "20", "1"}, 0,
         "Err:FAILED Load DXF, file ends at line 10 without EOF, nothing imported"},
        {"skipped", Entities({"0", "SPLINE", "8", "0", "0", "HATCH", "0", "SPLINE", "0", "POINT", "10", "1", "20", "1"}),
         1, "Err:DXF entities not imported: HATCH (1), SPLINE (2)"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TScriptResponder R;
        R.ExpectMessage(mrOk);
        Osy mn, mx;
        Load(Dxf(std::string(C.Name) + ".dxf", C.Lines), mn, mx);
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(CountObjs(MainVars.DataStart), C.Objects);
        EXPECT_TRUE(TCmdHarness::LogHas(C.Log));
    }
}

// Block references: a block that inserts itself, directly or through another, stops;
// a reference bomb is refused past the stated number of objects.
TEST_F(DxfReadTest, BlockLoopsAndBombsAreRefused) {
    auto Block = [](const std::string& Name, std::vector<std::string> Body) {
        std::vector<std::string> v = {"0", "BLOCK", "2", Name, "10", "0", "20", "0"};
        v.insert(v.end(), Body.begin(), Body.end());
        v.insert(v.end(), {"0", "ENDBLK"});
        return v;
    };
    auto Ins = [](const std::string& Name) { return std::vector<std::string>{"0", "INSERT", "2", Name, "10", "1", "20", "0"}; };
    auto File = [&](std::vector<std::vector<std::string>> Blocks, const std::string& Top) {
        std::vector<std::string> v = {"0", "SECTION", "2", "BLOCKS"};
        for (auto& b : Blocks) v.insert(v.end(), b.begin(), b.end());
        v.insert(v.end(), {"0", "ENDSEC"});
        auto e = Entities(Ins(Top));
        v.insert(v.end(), e.begin(), e.end());
        return v;
    };
    const std::vector<std::string> pt = {"0", "POINT", "10", "0", "20", "0"};
    auto Concat = [](std::vector<std::string> A, const std::vector<std::string>& B, int Times) {
        for (int i = 0; i < Times; ++i) A.insert(A.end(), B.begin(), B.end());
        return A;
    };
    // B0 holds ten points, every further block ten references to the one before.
    std::vector<std::vector<std::string>> bomb = {Block("B0", Concat({}, pt, 10))};
    for (int i = 1; i <= 7; ++i) bomb.push_back(Block("B" + std::to_string(i), Concat({}, Ins("B" + std::to_string(i - 1)), 10)));
    const struct {
        const char* Name;
        std::vector<std::string> Lines;
        int Leaves;
        const char* Log;
    } Cases[] = {
        {"self", File({Block("A", Concat(Ins("A"), pt, 1))}, "A"), 1, "block A refers to itself"},
        {"loop", File({Block("A", Concat(Ins("B"), pt, 1)), Block("B", Ins("A"))}, "A"), 1,
         "block A refers to itself"},
        {"bomb", File(bomb, "B7"), 0, "block reference B7 is over the limits of one read"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TScriptResponder R;
        R.ExpectMessage(mrOk);
        Osy mn, mx;
        Load(Dxf(std::string(C.Name) + ".dxf", C.Lines), mn, mx);
        EXPECT_EQ(int(All().size()), C.Leaves);
        bool logged = false;
        for (const std::string& l : TCmdHarness::LogTexts()) logged |= l.find(C.Log) != std::string::npos;
        EXPECT_TRUE(logged) << C.Log;
    }
}

}  // namespace
