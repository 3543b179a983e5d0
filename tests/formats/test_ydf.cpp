// The native job file: writing and reading every kind of object, operation links,
// the reading rules and damaged files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>

#include "cam/CamOpList.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/SafeWrite.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "core/UniPoint.h"
#include "core/UniText.h"
#include "formats/UniYDF.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

constexpr Extended Pi = 3.141592653589793238462643383279502884L;

class YdfTest : public KestrilonTest {
protected:
    TObjHeader*& S = MainVars.DataStart;
    TObjHeader*& E = MainVars.DataEnd;

    // Point, closed polyline with arcs, 3D polyline with an arc, stroke text, TrueType
    // text and a group holding a polyline and a group of a point.
    void MakeDrawing() {
        EnPoint.Add(Osy{1.25L, -3.5L}, 2, S, E);
        StartObj(Osy{0, 0});
        AddSeg(Osy{10, 0}, 0, CoordTol);
        AddSeg(Osy{10, 10}, Pi / 2, CoordTol);
        AddSeg(Osy{0.1L, 10}, 0, CoordTol);
        AddSeg(Osy{0, 0}, -0.3L, CoordTol);
        MakeObj(3, S, E);
        StartObj3D(Osy3D{1, 2, -0.5L});
        AddSeg3D(Osy3D{5, 2, -1}, 0, CoordTol);
        AddSeg3D(Osy3D{5, 8, -1.123456789012345678L}, 1.0L, CoordTol);
        MakeObj3D(4, S, E);
        for (bool tt : {false, true}) {
            WorkText = ParText{};
            WorkText.Text = tt ? " TrueType=x" : "Stroke \xE8\xF8";
            WorkText.JmFontu = tt ? "DejaVu Sans" : IntFontName;
            WorkText.Vyska = 7.5L;
            WorkText.WidthFactor = 0.8L;
            WorkText.Rotate = Pi / 6;
            WorkText.Zkos = tt ? 12.5L : 0.1L;
            WorkText.MirrorY = tt;
            WorkText.Origin = Osy{20, 30};
            WorkText.Justify = uint8_t(tt ? (4 | JustifyTrueType) : 2);
            ASSERT_NE(EnText.Add(5, S, E, false), nullptr);
        }
        TObjHeader *gs = nullptr, *ge = nullptr, *is = nullptr, *ie = nullptr;
        EnPoint.Add(Osy{7, 7}, 6, is, ie);
        StartObj(Osy{-5, -5});
        AddSeg(Osy{-1, -5}, 0, CoordTol);
        MakeObj(6, gs, ge);
        AppendObj(MakeGroup(false, is, ie), gs, ge);
        AppendObj(MakeGroup(false, gs, ge), S, E);
    }

    // Every record's text plus what the text does not show.
    std::vector<std::string> Dump() const {
        std::vector<std::string> out;
        for (const TObjHeader* p = S; p; p = p->Next) YdfObjectLines(p, "", false, out);
        for (const TObjHeader* p = S; p; p = p->Next)
            if (p->Type == ObjPline || p->Type == ObjPline3D)
                out.push_back("flags " + std::to_string(AsPline(p)->PlineFlags));
        return out;
    }

    bool Load(const std::string& File, Osy& Min, Osy& Max) {
        return LoadYdfFile(File, true, false, Max, Min, true, true, true, true);
    }

    static std::vector<std::string> WithoutTime(const std::string& Bytes) {
        std::vector<std::string> l = SplitTextLines(Bytes);
        if (l.size() > 3) l.erase(l.begin() + 1, l.begin() + 3);
        return l;
    }

    TScriptResponder Resp;
};

TEST_F(YdfTest, EveryKindRoundTrips) {
    MakeDrawing();
    const std::vector<std::string> before = Dump();
    const std::string file = InDir("job.ydf");
    ASSERT_TRUE(SaveYdfFile(file, true, true));
    for (const auto& e : std::filesystem::directory_iterator(Dir())) EXPECT_FALSE(IsTempFileName(e.path().filename()));
    const std::string bytes = ReadFile(file);
    const std::vector<std::string> lines = SplitTextLines(bytes);
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Ver=2.5 beta 6");
    EXPECT_EQ(lines[1].rfind("Date=", 0), 0u);
    EXPECT_EQ(lines[2].rfind("Time=", 0), 0u);
    EXPECT_EQ(lines[3], "SETUP");
    EXPECT_EQ(lines.back(), "EOF");
    EXPECT_NE(bytes.find("\r\n  PLINE\r\n    Layer="), std::string::npos);
    EXPECT_NE(bytes.find("    ArcTo  x=10.0 y=10.0  a=90.0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("    Text= TrueType=x\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("    Interleave=12.5\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("    GROUP\r\n      POINT\r\n"), std::string::npos);

    FreeObjList(S, E);
    Osy mn, mx;
    ASSERT_TRUE(Load(file, mn, mx));
    EXPECT_EQ(CheckObjList(S, E), "");
    EXPECT_EQ(Dump(), before);
    EXPECT_LE(mn.x, -5);
    EXPECT_LE(mn.y, -5);
    EXPECT_GT(mx.x, 20);
    // Written again, the file is the same but for its date and time.
    ASSERT_TRUE(SaveYdfFile(InDir("again.ydf"), true, true));
    EXPECT_EQ(WithoutTime(ReadFile(InDir("again.ydf"))), WithoutTime(bytes));
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Save YDF End"));
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Load YDF End"));
}

// Numbers whose text is longer than a line's usual room and lines indented deep inside
// groups are written whole.
TEST_F(YdfTest, LongNumbersAndDeepIndentsAreWrittenWhole) {
    StartObj(Osy{1e45L, -2.5e60L});
    AddSeg(Osy{3, 4}, 1e-3L, CoordTol);
    TObjHeader *gs = nullptr, *ge = nullptr;
    MakeObj(1, gs, ge);
    for (int i = 0; i < 40; ++i) {
        TObjHeader* g = MakeGroup(false, gs, ge);
        gs = ge = nullptr;
        AppendObj(g, gs, ge);
    }
    AppendObj(gs, S, E);
    const std::vector<std::string> before = Dump();
    const std::string file = InDir("long.ydf");
    ASSERT_TRUE(SaveYdfFile(file, true, false));
    const std::string bytes = ReadFile(file);
    const std::string indent(2 * 42, ' ');
    EXPECT_NE(bytes.find("\r\n" + indent + "Start x=" + ExtToStr(1e45L) + " y=" + ExtToStr(-2.5e60L) + "\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("\r\n" + indent + "ArcTo  x=3.0 y=4.0  a=" + ExtToStr(1e-3L * 180 / Pi) + "\r\n"),
              std::string::npos);
    FreeObjList(S, E);
    Osy mn, mx;
    ASSERT_TRUE(Load(file, mn, mx));
    EXPECT_EQ(CheckObjList(S, E), "");
    EXPECT_EQ(Dump(), before);
}

// Every number the writer gives reads back as the C library reads its text, to the last
// bit, and so do texts the writer never makes (more digits, more decimals, no digits).
TEST_F(YdfTest, NumbersReadAsTheCLibraryReadsThem) {
    std::mt19937_64 gen(11);
    std::vector<std::string> texts = {"0.1", "-0", "1.", ".5", "-.25", "0000.000100", "12345678901234567890.5",
                                      "0.0000000000000000000000000001", "9999999999999999999", "3.14159265358979323846"};
    for (int i = 0; i < 3000; ++i) {
        const Extended x = std::ldexp(Extended(gen() | (1ULL << 63)), int(gen() % 100) - 100);
        texts.push_back(ExtToStr(gen() % 2 ? x : -x));
    }
    for (const std::string& t : texts) {
        const Extended want = std::strtold(t.c_str(), nullptr);
        const Extended got = NumAfterKey("X=" + t + " Y=7", "X");
        EXPECT_TRUE(got == want && std::signbit(got) == std::signbit(want)) << t;
    }
    struct Case {
        const char* Line;
        Extended Value;
    };
    for (const Case& c : {Case{"X=1E5", 1}, Case{"X=.", 0}, Case{"X=-", 0}, Case{"X=1.2.3", 1.2L}, Case{"X=INF", 0}})
        EXPECT_EQ(NumAfterKey(c.Line, "X"), c.Value) << c.Line;
}

TEST_F(YdfTest, PackedAndUnpackedReadTheSame) {
    MakeDrawing();
    const std::vector<std::string> before = Dump();
    ASSERT_TRUE(SaveYdfFile(InDir("p.ydf"), true, true));
    ASSERT_TRUE(SaveYdfFile(InDir("u.ydf"), true, false));
    EXPECT_NE(ReadFile(InDir("p.ydf")).find("  PACKED"), std::string::npos);
    EXPECT_EQ(ReadFile(InDir("u.ydf")).find("  PACKED"), std::string::npos);
    for (const char* f : {"p.ydf", "u.ydf"}) {
        FreeObjList(S, E);
        Osy mn, mx;
        ASSERT_TRUE(LoadYdfFile(InDir(f), false, true, mx, mn, false, false, false, false));
        EXPECT_EQ(Dump(), before) << f;
    }
}

TEST_F(YdfTest, SelectedOnlyWritesSelectedTopLevelObjects) {
    MakeDrawing();
    for (TObjHeader* p = S; p; p = p->Next)
        if (p->Type == ObjPoint || p->Type == ObjGroup) p->Flags |= FlagSelected;
    ASSERT_TRUE(SaveYdfFile(InDir("sel.ydf"), false, true));
    FreeObjList(S, E);
    Osy mn, mx;
    ASSERT_TRUE(Load(InDir("sel.ydf"), mn, mx));
    ASSERT_EQ(CountObjs(S), 2);
    EXPECT_EQ(S->Type, ObjPoint);
    EXPECT_EQ(E->Type, ObjGroup);
    EXPECT_EQ(AsGroup(E)->Count, 2);
}

TEST_F(YdfTest, OperationLinksRoundTrip) {
    MakeDrawing();
    OpList.CamCnt = 3;
    OpList.Cam[0].Parents[0] = S->Next;  // the polyline
    OpList.Cam[0].ParCnt = 1;
    CamOpAddChild(S, 2);                  // the point
    OpList.Cam[1].Parents[0] = E;         // the group
    OpList.Cam[1].ParCnt = 1;
    ASSERT_TRUE(SaveYdfFile(InDir("ops.ydf"), true, true));
    const std::string bytes = ReadFile(InDir("ops.ydf"));
    EXPECT_NE(bytes.find("  PLINE\r\n  OpParrent=0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("  POINT\r\n  OpChild=2\r\n"), std::string::npos);
    FreeObjList(S, E);
    ClearOpList(OpList);
    Osy mn, mx;
    ASSERT_TRUE(Load(InDir("ops.ydf"), mn, mx));
    EXPECT_EQ(OpList.CamCnt, 3);
    EXPECT_EQ(OpList.Cam[0].ParCnt, 1);
    EXPECT_EQ(OpList.Cam[0].Parents[0], S->Next);
    EXPECT_EQ(OpList.Cam[2].ChilCnt, 1);
    EXPECT_EQ(OpList.Cam[2].Childs[0], S);
    EXPECT_EQ(OpList.Cam[1].Parents[0], E);
}

TEST_F(YdfTest, MissingFileChangesNothing) {
    Resp.ExpectMessage(mrOk);
    Osy mn{1, 2}, mx{3, 4};
    EXPECT_FALSE(Load(InDir("none.ydf"), mn, mx));
    EXPECT_TRUE(Resp.Done());
    EXPECT_EQ(S, nullptr);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED Load YDF, file not exist"));
}

// Hand-written files and what they read to: the number of top-level records and one
// checked property; a file that is not whole is refused, saying where and what was
// expected, and reads nothing.
TEST_F(YdfTest, ReadingRules) {
    struct TCase {
        const char* Name;
        const char* Text;
        int Count;
        std::function<void(TObjHeader*)> Check;
        const char* Refused = nullptr;  // the log line's reason
    };
    const TCase cases[] = {
        {"no object block", "Ver=1\r\nPOINT\r\nStart x=1 y=1\r\nENDPOINT\r\nEOF\r\n", 0, nullptr,
         "line 6: expected OBJECTS"},
        {"empty file", "", 0, nullptr, "line 1: expected OBJECTS"},
        {"unknown layer and case", "OBJECTS\n  point\n  layer=nowhere\n start X=1.5 Y=-2\n endpoint\nENDOBJECTS\n", 1,
         [](TObjHeader* p) {
             EXPECT_EQ(p->Layer, LayerOrig);
             EXPECT_EQ(AsPoint(p)->S.y, -2);
         }},
        {"layer without case", "OBJECTS\nPOINT\nLayer=ORIG\nStart x=1 y=1\nENDPOINT\nENDOBJECTS\n", 1,
         [](TObjHeader* p) { EXPECT_EQ(p->Layer, LayerOrig); }},
        {"closed polyline",
         "OBJECTS\nPLINE\nStart x=0 y=0\nLineTo x=5 y=0\nArcTo  x=0 y=0  a=180.0\nENDPLINE\nENDOBJECTS\n", 1,
         [](TObjHeader* p) {
             ASSERT_EQ(p->Type, ObjPline);
             EXPECT_TRUE(AsPline(p)->PlineFlags & PlineClosed);
         }},
        {"cut off records", "OBJECTS\nGROUP\nPLINE\nStart x=0 y=0\nLineTo x=5 y=0", 0, nullptr,
         "line 6: expected ENDPLINE"},
        {"keyword as last line", "OBJECTS\nPOINT", 0, nullptr, "line 3: expected ENDPOINT"},
        {"block without its end", "OBJECTS\nPOINT\nStart x=1 y=1\nENDPOINT\n", 0, nullptr,
         "line 5: expected ENDOBJECTS"},
        {"text ends only at its own end line", "OBJECTS\nTEXT\nText=A\nENDOBJECTS\n", 0, nullptr,
         "line 5: expected ENDTEXT"},
        {"broken numbers", "OBJECTS\nPLINE\nStart x=nan y=1e99999\nLineTo x=abc y=2\nENDPLINE\nENDOBJECTS\n", 1,
         [](TObjHeader* p) { EXPECT_EQ(AsPline(p)->S.x, 0); }},
        {"text with = and a leading blank",
         "OBJECTS\nTEXT\n  Text= a=b \n  Heigth=2,5\n  Justify=300\n  MirrorY=true\nENDTEXT\nENDOBJECTS\n", 1,
         [](TObjHeader* p) {
             ASSERT_EQ(p->Type, ObjText);
             EXPECT_EQ(AsText(p)->Text.Get(), " a=b ");
             EXPECT_EQ(AsText(p)->Vyska, 2.5L);
             EXPECT_EQ(AsText(p)->Justify, 0);
             EXPECT_NE(AsText(p)->MirrorY, 0);
         }},
        {"CR bytes anywhere are dropped", "OBJECTS\r\nPOI\rNT\r\r\nStart x=1\r y=2\r\nEND\rPOINT\r\nENDOBJECTS\r\n", 1,
         [](TObjHeader* p) {
             EXPECT_EQ(AsPoint(p)->S.x, 1);
             EXPECT_EQ(AsPoint(p)->S.y, 2);
         }},
        {"empty text makes nothing", "OBJECTS\nTEXT\nText=\nENDTEXT\nENDOBJECTS\n", 0, nullptr},
        {"sections skipped",
         "TOOLS\nPOINT\nENDTOOLS\nCAMOPLIST\nx\nOBJECTS\nFOO\nPOINT\nStart x=1 y=1\nENDPOINT\nENDOBJECTS\n", 1,
         nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        FreeObjList(S, E);
        ResetLog();
        if (c.Refused) Resp.ExpectMessage(mrOk, c.Refused);
        Osy mn, mx;
        ASSERT_EQ(Load(WriteFile("case.ydf", c.Text), mn, mx), !c.Refused);
        EXPECT_TRUE(Resp.Done());
        if (c.Refused) {
            EXPECT_TRUE(TCmdHarness::LogHas(std::string("Err:FAILED Load YDF, ") + c.Refused));
        }
        EXPECT_EQ(CountObjs(S), c.Count);
        EXPECT_EQ(CheckObjList(S, E), "");
        if (c.Count == 0 && !c.Refused) {
            EXPECT_EQ(mn.x, 1000000);
            EXPECT_EQ(mx.y, -1000000);
        }
        if (c.Check && S) c.Check(S);
    }
}

TEST_F(YdfTest, MissingFontBecomesStrokeFontWithOneMessage) {
    Resp.ExpectMessage(mrOk, "YF01.SHP");
    const std::string text =
        "OBJECTS\nTEXT\nText=A\nFont=NoSuchFont.shp\nJustify=242\nENDTEXT\n"
        "TEXT\nText=B\nFont=Other.SHP\nENDTEXT\nENDOBJECTS\n";
    Osy mn, mx;
    ASSERT_TRUE(Load(WriteFile("f.ydf", text), mn, mx));
    EXPECT_TRUE(Resp.Done());
    ASSERT_EQ(CountObjs(S), 2);
    EXPECT_EQ(AsText(S)->JmFontu.Get(), "YF01.SHP");
    EXPECT_EQ(AsText(S)->Justify, 2);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Missing font, using YF01.shp"));
}

TEST_F(YdfTest, DeepGroupsAndManyLinksAreSurvived) {
    std::string text = "OBJECTS\n";
    for (int i = 0; i < 5000; ++i) text += "GROUP\n";
    for (int i = 0; i < 300; ++i) text += "OpParrent=" + std::to_string(i % 150) + "\n";
    text += "POINT\nStart x=1 y=1\nENDPOINT\n";
    for (int i = 0; i < 5000; ++i) text += "ENDGROUP\n";
    text += "ENDOBJECTS\n";
    Osy mn, mx;
    ASSERT_TRUE(Load(WriteFile("deep.ydf", text), mn, mx));
    EXPECT_EQ(CheckObjList(S, E), "");
    EXPECT_EQ(mn.x, 1);
}

}  // namespace
