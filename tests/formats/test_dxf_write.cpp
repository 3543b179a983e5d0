// The DXF writer: files read back by an independent DXF library (ezdxf) without audit
// errors and with the same geometry, the layout rules of the format, and the round
// trip through our own reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniText.h"
#include "formats/DxfOutDg.h"
#include "formats/UniDXF.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

constexpr Extended Pi = 3.141592653589793238462643383279502884L;

class DxfWriteTest : public KestrilonTest {
protected:
    TObjHeader*& S = MainVars.DataStart;
    TObjHeader*& E = MainVars.DataEnd;

    void SetUp() override {
        KestrilonTest::SetUp();
        for (int l = 1; l <= LayerCount; ++l) Glob.TabLayer[l].Show = true;
        CreateDxfOutDialog();
    }
    void TearDown() override {
        FreeObjList(S, E);
        KestrilonTest::TearDown();
    }

    // A point; a closed 10 x 5 rectangle; a half circle (0,0)-(10,0) turning left on
    // layer 13; a stroke text justified middle right; a group of a point and a line.
    void MakeDrawing() {
        EnPoint.Add(Osy{1.5L, -2}, 2, S, E);
        EnPline.RectangleAdd(Osy{0, 0}, Osy{10, 5}, 3, S, E);
        EnPline.ArcAdd(Osy{0, 0}, Osy{10, 0}, Pi, 13, S, E);
        WorkText = ParText{};
        WorkText.Text = "ABC";
        WorkText.JmFontu = IntFontName;
        WorkText.Vyska = 5;
        WorkText.WidthFactor = 1;
        WorkText.Rotate = Pi / 6;
        WorkText.Origin = Osy{20, 30};
        WorkText.Justify = 5;
        ASSERT_NE(EnText.Add(4, S, E, false), nullptr);
        TObjHeader *gs = nullptr, *ge = nullptr;
        EnPoint.Add(Osy{7, 8}, 5, gs, ge);
        EnPline.LineAdd(Osy{0, 20}, Osy{3, 24}, 5, gs, ge);
        AppendObj(MakeGroup(false, gs, ge), S, E);
    }
    // The lines of ezdxf's account of File (see dxf_check.py); empty when it is missing.
    static std::vector<std::string> Check(const std::string& File) {
        const std::string cmd = "/usr/bin/python3 " KESTRILON_SOURCE_DIR "/tests/formats/dxf_check.py '" + File + "' 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> p(popen(cmd.c_str(), "r"), pclose);
        std::vector<std::string> lines;
        char buf[4096];
        while (p && std::fgets(buf, sizeof buf, p.get())) {
            std::string l = buf;
            while (!l.empty() && (l.back() == '\n' || l.back() == '\r')) l.pop_back();
            lines.push_back(l);
        }
        return lines;
    }
    static bool EzdxfPresent() { return std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0; }
    static int Count(const std::vector<std::string>& Lines, const std::string& Prefix) {
        int n = 0;
        for (const std::string& l : Lines) n += l.rfind(Prefix, 0) == 0;
        return n;
    }
    // The value lines that follow the code line Code (as written, e.g. " 42").
    static std::vector<std::string> Values(const std::string& Text, const std::string& Code) {
        std::vector<std::string> v;
        std::istringstream in(Text);
        std::string a, b;
        while (std::getline(in, a) && std::getline(in, b)) {
            if (!a.empty() && a.back() == '\r') a.pop_back();
            if (!b.empty() && b.back() == '\r') b.pop_back();
            if (a == Code) v.push_back(b);
        }
        return v;
    }
};

TEST_F(DxfWriteTest, NumbersAsTheFormatWritesThem) {
    const struct {
        Extended X;
        const char* Text;
    } Cases[] = {{0, "0.0"}, {1.5L, "1.5"}, {10, "10.0"}, {-2.25L, "-2.25"}, {1.0L / 3, "0.333333333333"},
                 {-1e-14L, "0.0"}, {123456.0000000000001L, "123456.0"}};
    for (const auto& C : Cases) EXPECT_EQ(DxfExtToStr(C.X), C.Text);
}

// ezdxf reads our file with no audit errors and finds every entity where we put it.
TEST_F(DxfWriteTest, AnotherLibraryReadsTheSameGeometry) {
    if (!EzdxfPresent()) GTEST_SKIP() << "ezdxf (python3-ezdxf) is not available";
    MakeDrawing();
    ASSERT_TRUE(SaveDxf(InDir("out.dxf"), true));
    const std::vector<std::string> r = Check(InDir("out.dxf"));
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r[0], "AUDIT 0 0");
    EXPECT_EQ(Count(r, "POINT"), 2);
    EXPECT_EQ(Count(r, "POLYLINE"), 3);
    EXPECT_EQ(Count(r, "TEXT"), 1);
    EXPECT_EQ(Count(r, "OTHER"), 0);
    auto Has = [&](const std::string& Line) {
        for (const std::string& l : r)
            if (l == Line) return true;
        return false;
    };
    const std::string lay3 = Glob.TabLayer[3].Name.empty() ? "T3" : Glob.TabLayer[3].Name;
    EXPECT_TRUE(Has("POINT " + (Glob.TabLayer[2].Name.empty() ? std::string("T2") : Glob.TabLayer[2].Name) +
                    " 1.500000000000 -2.000000000000"));
    bool rect = false, half = false;
    for (const std::string& l : r) {
        rect |= l.rfind("POLYLINE " + lay3 + " 1 ", 0) == 0 && l.find("10.000000000000 5.000000000000 0.000000000000") != std::string::npos;
        half |= l.find(" 0 0.000000000000 0.000000000000 1.000000000000 10.000000000000 0.000000000000 0.000000000000") !=
                std::string::npos;
    }
    EXPECT_TRUE(rect);
    EXPECT_TRUE(half);
    bool text = false;
    for (const std::string& l : r) text |= l.rfind("TEXT ", 0) == 0 && l.find(" 20.000000000000 30.000000000000 5.000000000000 30.000000000000 2 2 ABC") !=
                                                                            std::string::npos;
    EXPECT_TRUE(text);
}

// The layout rules: closed rectangles without bulges, the bulge on the vertex where
// its arc begins, justification codes, hidden layers listed but not written, widths
// of layers without a tool, no styles when texts become polylines.
TEST_F(DxfWriteTest, LayoutOfTablesAndEntities) {
    MakeDrawing();
    Glob.TabLayer[2].Show = false;
    DxfOutDialog->ChBoxPlineWidth->Checked = true;
    ASSERT_TRUE(SaveDxf(InDir("a.dxf"), true));
    const std::string a = ReadFile(InDir("a.dxf"));
    EXPECT_EQ(a.substr(0, 32), "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n");
    EXPECT_EQ(Values(a, "  1")[0], "AC1006");
    EXPECT_EQ(Count(Values(a, "  0"), "POINT"), 1);  // the hidden layer's point is not written
    EXPECT_EQ(Count(Values(a, "  0"), "LAYER"), 5);  // but its layer is listed
    // After the tables' own values (line type, style): the half circle's bulge, the
    // width of layer 13 (no tool: 0), the text's justification.
    EXPECT_EQ(Values(a, " 42"), (std::vector<std::string>{"10.0", "1.0"}));
    EXPECT_EQ(Values(a, " 40")[3], "0.0");
    EXPECT_EQ(Values(a, " 72"), (std::vector<std::string>{"    65", "     2"}));
    EXPECT_EQ(Values(a, " 73"), (std::vector<std::string>{"     0", "     2"}));
    EXPECT_EQ(Count(Values(a, "  2"), "STYLE"), 1);

    DxfOutDialog->ChBoxPlineWidth->Checked = false;
    DxfOutDialog->ChBoxExplodeText->Checked = true;
    ASSERT_TRUE(SaveDxf(InDir("b.dxf"), true));
    const std::string b = ReadFile(InDir("b.dxf"));
    EXPECT_EQ(Count(Values(b, "  0"), "TEXT"), 0);
    EXPECT_EQ(Count(Values(b, "  2"), "STYLE"), 0);
    EXPECT_GT(Count(Values(b, "  0"), "POLYLINE"), 5);
    EXPECT_EQ(Values(b, " 40").size(), 1u);  // the line type's only

    // The selection only: the tables still list every layer and font of the drawing.
    DxfOutDialog->ChBoxExplodeText->Checked = false;
    E->Flags |= FlagSelected;  // the group
    ASSERT_TRUE(SaveDxf(InDir("c.dxf"), false));
    const std::string c = ReadFile(InDir("c.dxf"));
    EXPECT_EQ(Count(Values(c, "  0"), "POINT"), 1);
    EXPECT_EQ(Count(Values(c, "  0"), "POLYLINE"), 1);
    EXPECT_EQ(Count(Values(c, "  0"), "LAYER"), 5);
    EXPECT_EQ(Count(Values(c, "  2"), "STYLE"), 1);
}

// Our reader gets back the points, polylines with arcs and texts we wrote.
TEST_F(DxfWriteTest, RoundTripThroughOurReader) {
    MakeDrawing();
    ASSERT_TRUE(SaveDxf(InDir("r.dxf"), true));
    std::vector<TObjHeader*> before;
    for (TObjHeader* p = S; p; p = p->Next) before.push_back(p);
    TScriptResponder R;
    Osy mn, mx;
    ASSERT_TRUE(LoadDxf(InDir("r.dxf"), mn, mx));
    std::vector<TObjHeader*> after;
    for (TObjHeader* p = before.back()->Next; p; p = p->Next) after.push_back(p);
    // The group comes back as its two members.
    ASSERT_EQ(after.size(), 6u);
    EXPECT_EQ(after[0]->Type, ObjPoint);
    EXPECT_EQ(AsPoint(after[0])->S.y, -2);
    EXPECT_EQ(PlineSegCount(after[1]), 4);
    EXPECT_EQ(after[1]->Layer, 3);
    ASSERT_EQ(PlineSegCount(after[2]), 1);
    EXPECT_NEAR(double(PlineSegs(after[2])[0].Alfa), double(Pi), 1e-12);
    ASSERT_EQ(after[3]->Type, ObjText);
    EXPECT_EQ(AsText(after[3])->Text.Get(), "ABC");
    EXPECT_NEAR(double(AsText(after[3])->Origin.x), 20, 1e-9);
    EXPECT_EQ(AsText(after[3])->Justify & 15, 5);
    EXPECT_NEAR(double(AsText(after[3])->Rotate), double(Pi / 6), 1e-12);
    EXPECT_EQ(after[5]->Layer, 5);
}

TEST_F(DxfWriteTest, DialogLogsItsChoices) {
    TScriptResponder R;
    R.ExpectModal("DxfOutDialog", [](TForm& F) {
        F.Find<TCheckBox>("ChBoxToInch")->Click();
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    EXPECT_EQ(DxfOutDialog->ShowModal(), mrOk);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:DxfOutDg Close (WidthBylayer:false, FontsToPoly:false, Units:inch)"));
}

}  // namespace
