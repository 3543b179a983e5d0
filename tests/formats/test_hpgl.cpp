// The HPGL reader and writer: the commands read onto millimetres, scaling by IP and
// SC, files that end or break off anywhere, files written by us read without error by
// another HPGL program (hp2xx), and the round trip through our reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "formats/HPInDg.h"
#include "formats/HPOutDg.h"
#include "formats/UniHPGL.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

constexpr Extended Pi = 3.141592653589793238462643383279502884L;

class HpglTest : public KestrilonTest {
protected:
    TObjHeader*& S = MainVars.DataStart;
    TObjHeader*& E = MainVars.DataEnd;

    void SetUp() override {
        KestrilonTest::SetUp();
        for (int l = 1; l <= LayerCount; ++l) Glob.TabLayer[l].Show = true;
    }
    void TearDown() override {
        FreeObjList(S, E);
        KestrilonTest::TearDown();
    }
    // The objects read from Text, in order.
    std::vector<TObjHeader*> Read(const std::string& Text, Osy* Min = nullptr, Osy* Max = nullptr) {
        TObjHeader* before = E;
        Osy mn, mx;
        EXPECT_TRUE(LoadHPGL(WriteFile("in.plt", Text), mn, mx));
        if (Min) *Min = mn;
        if (Max) *Max = mx;
        std::vector<TObjHeader*> v;
        for (TObjHeader* p = before ? before->Next : S; p; p = p->Next) v.push_back(p);
        return v;
    }
    // Start point and segment ends of a polyline.
    static std::vector<Osy> Pts(TObjHeader* P) {
        std::vector<Osy> v{AsPline(P)->S};
        for (int32_t i = 0; P->Type == ObjPline && i < PlineSegCount(P); ++i) v.push_back(PlineSegs(P)[i].E);
        return v;
    }
    static void ExpectPts(TObjHeader* P, const std::vector<Osy>& Want, double Tol = 1e-9) {
        const std::vector<Osy> got = Pts(P);
        ASSERT_EQ(got.size(), Want.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(double(got[i].x), double(Want[i].x), Tol) << i;
            EXPECT_NEAR(double(got[i].y), double(Want[i].y), Tol) << i;
        }
    }
};

// Pens, layers and the last number of a file that ends without a separator.
TEST_F(HpglTest, StrokesOnThePensLayersToTheFilesLastDigit) {
    const auto v = Read("IN;SP3;PU0,0;PD800,0;PU;SP9;PD;PU;SP;PR80,0;PD0,80;SP1;PA0,0;PD800,0,800,1600");
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0]->Layer, 3);
    ExpectPts(v[0], {{0, 0}, {10, 0}});
    // PD and PU without coordinates make a point; SP9 draws on Orig.
    EXPECT_EQ(v[1]->Type, ObjPoint);
    EXPECT_EQ(v[1]->Layer, LayerOrig);
    // SP without a number keeps the layer; PR moves relative.
    EXPECT_EQ(v[2]->Layer, LayerOrig);
    ExpectPts(v[2], {{11, 0}, {11, 1}});
    EXPECT_EQ(v[3]->Layer, 1);
    ExpectPts(v[3], {{0, 0}, {10, 0}, {10, 20}});
}

// IP and SC map user units onto plotter steps; SC without IP counts one step per unit
// from the plotter's origin; an SC without extent and a scale of zero are refused.
TEST_F(HpglTest, ScalingPointsAndUserUnits) {
    const struct {
        const char* Text;
        std::vector<Osy> Want;
    } Cases[] = {
        {"IN;IP0,0,8000,8000;SC0,100,0,100;SP1;PU10,10;PD90,10;PU;", {{10, 10}, {90, 10}}},
        {"IN;IP800,800,8800,8800;SC0,100,0,100;SP1;PU0,0;PD100,0;PU;", {{10, 10}, {110, 10}}},
        {"IN;SC-50,50,-50,50;SP1;PU0,0;PD10,0;PU;", {{0.625L, 0.625L}, {0.75L, 0.625L}}},
        {"IN;SC5,5,0,10;SP1;PU0,0;PD80,0;PU;", {{0, 0}, {1, 0}}},
        {"IN;IP0,0,8000,8000;SC0,100,0,100;IN;SP1;PU0,0;PD80,0;PU;", {{0, 0}, {1, 0}}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Text);
        const auto v = Read(C.Text);
        ASSERT_EQ(v.size(), 1u);
        ExpectPts(v[0], C.Want);
    }
    EXPECT_TRUE(TCmdHarness::LogHas("Err:HPGL SC with an empty range ignored"));
    FreeObjList(S, E);

    for (const char* scale : {"0", "-80", "abc"}) {
        TScriptResponder R;
        R.ExpectMessage(mrOk, "Špatné číslo");
        HPInputDialog->EditYscale->Text = scale;
        Osy mn{7, 7}, mx{8, 8};
        EXPECT_FALSE(LoadHPGL(WriteFile("s.plt", "SP1;PD80,80;"), mn, mx));
        EXPECT_TRUE(R.Done());
        EXPECT_TRUE(TCmdHarness::LogHas(std::string("Err:Wrong scale Y (") + scale + ")"));
        EXPECT_EQ(mn.x, 7);
    }
    EXPECT_EQ(S, nullptr);
}

// Arcs: a sweep above 180 degrees drawn as two halves, the pen-up arc only moves; a
// file that breaks off inside a pair keeps what was drawn and says it is bad.
TEST_F(HpglTest, ArcsAndBrokenFiles) {
    Osy mn, mx;
    auto v = Read("IN;SP2;PU1600,0;PD;AA800,0,270;PU;AA800,0,90;PD1600,0;PU;", &mn, &mx);
    ASSERT_EQ(v.size(), 2u);
    ASSERT_EQ(PlineSegCount(v[0]), 2);
    EXPECT_NEAR(double(PlineSegs(v[0])[0].Alfa), double(3 * Pi / 4), 1e-12);
    EXPECT_NEAR(double(PlineSegs(v[0])[1].E.x), 10, 1e-9);
    EXPECT_NEAR(double(PlineSegs(v[0])[1].E.y), -10, 1e-9);
    EXPECT_NEAR(double(mn.y), -10, 1e-9);
    EXPECT_NEAR(double(mx.y), 10, 1e-9);
    // The pen-up arc ended where the next stroke begins.
    EXPECT_NEAR(double(AsPline(v[1])->S.x), 20, 1e-9);
    EXPECT_NEAR(double(AsPline(v[1])->S.y), 0, 1e-9);
    FreeObjList(S, E);

    TScriptResponder R;
    R.ExpectMessage(mrOk, "Špatný HPGL soubor");
    v = Read("IN;SP1;PD80,0,160;PU0,0;PD80,80;");
    EXPECT_TRUE(R.Done());
    ASSERT_EQ(v.size(), 1u);
    ExpectPts(v[0], {{0, 0}, {1, 0}});
    FreeObjList(S, E);

    R.ExpectMessage(mrOk, "Oblouky při rozdílném");
    HPInputDialog->EditYscale->Text = "40";
    v = Read("IN;SP1;PD80,0;AA0,0,90;PD0,0;");
    EXPECT_TRUE(R.Done());
    ASSERT_EQ(v.size(), 1u);
}

// A drawing of lines, arcs, a point and a group, written on two pens, read without
// error by hp2xx, and read back by our reader within the half step.
TEST_F(HpglTest, WrittenFilesReadByHp2xxAndByUs) {
    EnPline.ArcAdd(Osy{20, 0}, Osy{10, 10}, Pi / 2, 1, S, E);
    EnPline.RectangleAdd(Osy{-3.3L, 2.21L}, Osy{17.77L, 40.04L}, 1, S, E);
    EnPoint.Add(Osy{5.5L, 6.6L}, 2, S, E);
    EnPline.ArcAdd(Osy{30, 30}, Osy{50, 30}, -Pi, 2, S, E);
    HPOutputDialog->BtnFillTab->Click();
    ASSERT_TRUE(SaveHPGL(InDir("out.plt"), true));
    const std::string text = ReadFile(InDir("out.plt"));
    EXPECT_NE(text.find("PU;\r\nPA1600,0;\r\nPD;\r\nAA800,0,90.0;\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("SP2;"), std::string::npos);
    EXPECT_EQ(text.find("SP3;"), std::string::npos);

    if (std::system("command -v hp2xx >/dev/null 2>&1") == 0) {
        const std::string cmd = "hp2xx -q -m eps -f " + InDir("out.eps") + " " + InDir("out.plt") + " >" +
                                InDir("hp2xx.log") + " 2>&1";
        EXPECT_EQ(std::system(cmd.c_str()), 0) << ReadFile(InDir("hp2xx.log"));
        EXPECT_FALSE(ReadFile(InDir("out.eps")).empty());
    }

    std::vector<TObjHeader*> before;
    for (TObjHeader* p = S; p; p = p->Next) before.push_back(p);
    const auto v = Read(text);
    ASSERT_EQ(v.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(v[i]->Layer, before[i]->Layer);
        EXPECT_EQ(v[i]->Type, before[i]->Type);
        ASSERT_EQ(Pts(v[i]).size(), Pts(before[i]).size());
        ExpectPts(v[i], Pts(before[i]), 1.0 / 160 + 1e-9);
        for (int32_t k = 0; v[i]->Type == ObjPline && k < PlineSegCount(v[i]); ++k)
            EXPECT_NEAR(double(PlineSegs(v[i])[k].Alfa), double(PlineSegs(before[i])[k].Alfa), 1e-3);
    }
}

// Unequal scales write arcs as chords within half a step; without "Jen File_A" every
// column with a live pen goes to its own lettered file; an empty table writes nothing.
TEST_F(HpglTest, ChordsAndOneFilePerColumn) {
    HPOutputDialog->BtnDelTab->Click();
    EnPline.ArcAdd(Osy{20, 0}, Osy{0, 0}, Pi, 1, S, E);
    EnPline.LineAdd(Osy{0, 0}, Osy{5, 5}, 9, S, E);
    EXPECT_TRUE(SaveHPGL(InDir("none.plt"), true));
    EXPECT_TRUE(ReadFile(InDir("none.plt")).empty());

    HPOutputDialog->BtnFillTab->Click();
    HPOutputDialog->ChBoxOnlyOne->Checked = false;
    HPOutputDialog->EditYscale->Text = "40";
    ASSERT_TRUE(SaveHPGL(InDir("sign.plt"), true));
    const std::string a = ReadFile(InDir("signA.plt")), b = ReadFile(InDir("signB.plt"));
    EXPECT_EQ(a.find("AA"), std::string::npos);
    EXPECT_NE(b.find("SP1;\r\nPU;\r\nPA0,0;\r\nPD;\r\nPA400,200;"), std::string::npos) << b;
    // Every chord end lies on the circle of radius 20 about (10, 0).
    HPInputDialog->EditYscale->Text = "40";
    const auto v = Read(a);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_GT(PlineSegCount(v[0]), 20);
    for (const Osy& p : Pts(v[0])) EXPECT_NEAR(double(std::hypot(p.x - 10, p.y)), 10, 1.0 / 40);

    TScriptResponder R;
    R.ExpectMessage(mrOk, "Špatné číslo");
    HPOutputDialog->EditXscale->Text = "0";
    EXPECT_FALSE(SaveHPGL(InDir("zero.plt"), true));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong scale X (0)"));
    EXPECT_TRUE(R.Done());
}

}  // namespace
