// The dial-face generator from the "Speciál" menu: a small protocol loaded with the
// dialog's load button and generated with its OK button, compared by its properties
// (ticks and their angles, centre lines, labels, the zone cut free around the ticks),
// and protocols that would have their end markers read as data refused by line.
#include <algorithm>
#include <cmath>
#include <fstream>

#include "commands/Daskovin.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "platform/ScriptResponder.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "support/CmdTest.h"

namespace {

constexpr Extended Pi = 3.1415926535897932385L;
const Osy Centre{100, 100};

class SpecDaskovinTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
    }
    // Opens the module; with File the load button reads it (Message: the box that
    // follows), then the generate button is clicked.
    void Run(const std::string& File, const std::string& Message = {}) {
        TScriptResponder R;
        R.ExpectModal("DaskovinDialog", [](TForm& F) {
            auto& D = static_cast<TDaskovinDialog&>(F);
            D.BtnLoad->Click();
            D.BitBtnOK->Click();
            return mrOk;
        });
        R.ExpectOpen(File);
        if (!Message.empty()) R.ExpectMessage(mrOk, Message);
        H->Form().MenuItem("SpecDaskovinMnu")->Click();
        EXPECT_TRUE(R.Done());
    }
    static std::string Gauge() { return std::string(KESTRILON_TEST_DATA) + "/daskovin/gauge.txt"; }
    static std::vector<TObjHeader*> Members(TObjHeader* G) {
        std::vector<TObjHeader*> M;
        for (TObjHeader* p = AsGroup(G)->First; p; p = p->Next) M.push_back(p);
        return M;
    }
    static Extended DialDeg(const Osy& P) {
        Extended A = (Pi / 2 - std::atan2(P.y - Centre.y, P.x - Centre.x)) * 180 / Pi;
        if (A < -1e-9) A += 360;
        return A;
    }
    static Extended Radius(const Osy& P) { return std::hypot(P.x - Centre.x, P.y - Centre.y); }
};

TEST_F(SpecDaskovinTest, SmallProtocolGivesTicksLabelsAndACutZone) {
    Run(Gauge());
    std::vector<TObjHeader*> D;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) D.push_back(p);
    ASSERT_EQ(D.size(), 6u) << ::testing::PrintToString(H->DumpLines());
    for (int g = 0; g < 3; ++g) ASSERT_EQ(D[size_t(g)]->Type, ObjGroup) << g;

    // Tick outlines: three main ticks from radius 40 inwards by 6, four intermediate
    // ones from 38 inwards by 3, every 18 degrees between 0 and 90.
    const std::vector<TObjHeader*> Ticks = Members(D[1]);
    ASSERT_EQ(Ticks.size(), 7u);
    std::vector<long> Angles;
    for (TObjHeader* t : Ticks) {
        ASSERT_EQ(PlineSegCount(t), 4);
        EXPECT_TRUE(AsPline(t)->PlineFlags & PlineClosed);
        EXPECT_EQ(t->Layer, 68);
        Osy M{0, 0};
        Extended Rmax = 0, Rmin = 1e9;
        for (int i = 0; i < 4; ++i) {
            const Osy P = PlineSegs(t)[i].E;
            M.x += P.x / 4, M.y += P.y / 4;
            Rmax = std::max(Rmax, Radius(P)), Rmin = std::min(Rmin, Radius(P));
        }
        const bool Main = Rmax > 39;
        EXPECT_NEAR(double(Rmax), Main ? std::hypot(40.0, 0.5) : std::hypot(38.0, 0.25), 1e-9);
        EXPECT_NEAR(double(Rmin), Main ? std::hypot(34.0, 0.5) : std::hypot(35.0, 0.25), 1e-9);
        Angles.push_back(std::lround(double(DialDeg(M)) * 1000));
    }
    std::sort(Angles.begin(), Angles.end());
    EXPECT_EQ(Angles, (std::vector<long>{0, 18000, 36000, 54000, 72000, 90000, 180000}));

    // Centre lines, shortened by half the tick width at both ends, on the ticks' layers.
    const std::vector<TObjHeader*> Lines = Members(D[2]);
    ASSERT_EQ(Lines.size(), 7u);
    int OnT1 = 0, OnT2 = 0;
    for (TObjHeader* l : Lines) {
        ASSERT_EQ(PlineSegCount(l), 1);
        const Extended R1 = Radius(AsPline(l)->S), R2 = Radius(PlineEndPt(l));
        if (l->Layer == 1) {
            ++OnT1;
            EXPECT_NEAR(double(R1), 39.5, 1e-9);
            EXPECT_NEAR(double(R2), 34.5, 1e-9);
        } else {
            ++OnT2;
            EXPECT_EQ(l->Layer, 2);
            EXPECT_NEAR(double(R1), 37.75, 1e-9);
            EXPECT_NEAR(double(R2), 35.25, 1e-9);
        }
    }
    EXPECT_EQ(OnT1, 3);
    EXPECT_EQ(OnT2, 4);

    // Labels on T3, centred on the label circle at their tick's angle.
    const struct {
        const char* Text;
        Osy At;
    } Labels[] = {{"0", {100, 130}}, {"50", {130, 100}}, {"100", {100, 70}}};
    for (size_t i = 0; i < 3; ++i) {
        TObjHeader* T = D[3 + i];
        ASSERT_EQ(T->Type, ObjText);
        EXPECT_EQ(T->Layer, 3);
        EXPECT_EQ(AsText(T)->Text.Get(), Labels[i].Text);
        EXPECT_NEAR(double(AsText(T)->Origin.x), double(Labels[i].At.x), 1e-9);
        EXPECT_NEAR(double(AsText(T)->Origin.y), double(Labels[i].At.y), 1e-9);
        EXPECT_NEAR(double(AsText(T)->Vyska), 4, 1e-12);
    }

    // The zone: closed outlines inside the band 34..42 and the range 60..200 degrees,
    // keeping the clearance 0.5 from every tick, with notches where ticks reach in.
    const std::vector<TObjHeader*> Zone = Members(D[0]);
    ASSERT_FALSE(Zone.empty());
    int Segs = 0, AtClearance = 0;
    for (TObjHeader* z : Zone) {
        EXPECT_EQ(z->Layer, 68);
        EXPECT_TRUE(AsPline(z)->PlineFlags & PlineClosed);
        for (int32_t i = 0; i < PlineSegCount(z); ++i, ++Segs) {
            Osy M;
            SegMidPt(PlineSegStart(z, i), PlineSegs(z)[i].E, PlineSegs(z)[i].Alfa, M);
            EXPECT_GE(double(Radius(M)), 34 - 1e-6);
            EXPECT_LE(double(Radius(M)), 42 + 1e-6);
            EXPECT_GE(double(DialDeg(M)), 60 - 1e-6);
            EXPECT_LE(double(DialDeg(M)), 200 + 1e-6);
            Extended Nearest = 1e9;
            for (TObjHeader* t : Ticks) {
                int32_t S = 0;
                Nearest = std::min(Nearest, EnPline.DistPoint(t, M, S));
                EXPECT_FALSE(EnPline.PointInside(t, M));
            }
            EXPECT_GE(double(Nearest), 0.5 - 1e-6);
            AtClearance += Nearest < 0.5 + 1e-6;
        }
    }
    // The ticks at 72, 90 and 180 degrees reach into the zone: three notches.
    EXPECT_GT(Segs, 10);
    EXPECT_GE(AtClearance, 3);
    EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
}

// A zone whose ring lies inside the ticks keeps its whole outline: the ticks' clearances
// cannot reach it (its extents are the whole dial's), and it is drawn uncut.
TEST_F(SpecDaskovinTest, ZoneInsideTheTicksIsDrawnWhole) {
    std::string Body = ReadFile(Gauge());
    Body.replace(Body.find("Z0=60 200 84 8 1"), 16, "Z0=0 350 40 10 0");
    Run(WriteFile("inner.txt", Body));
    ASSERT_EQ(MainVars.DataStart->Type, ObjGroup);
    Extended Length = 0;
    for (TObjHeader* z : Members(MainVars.DataStart))
        for (int32_t i = 0; i < PlineSegCount(z); ++i) {
            const Osy A = PlineSegStart(z, i), B = PlineSegs(z)[i].E;
            const Extended a = std::fabs(PlineSegs(z)[i].Alfa), Chord = std::hypot(B.x - A.x, B.y - A.y);
            Osy M;
            SegMidPt(A, B, PlineSegs(z)[i].Alfa, M);
            EXPECT_GE(double(Radius(M)), 10 - 1e-6);
            EXPECT_LE(double(Radius(M)), 20 + 1e-6);
            Length += a < 1e-12L ? Chord : Chord / (2 * std::sin(a / 2)) * a;
        }
    // Two radial sides of 10 and the arcs of radius 10 and 20 over 350 degrees.
    EXPECT_NEAR(double(Length), 20 + 30 * 350 * Pi / 180, 1e-6);
}

TEST_F(SpecDaskovinTest, ProtocolsWithoutSoundTablesAreRefusedByLine) {
    // Nothing loaded yet: nothing is generated from the empty tables.
    {
        TScriptResponder R;
        R.ExpectModal("DaskovinDialog", [](TForm& F) {
            static_cast<TDaskovinDialog&>(F).BitBtnOK->Click();
            return mrOk;
        });
        R.ExpectMessage(mrOk, MsgText(54));
        H->Form().MenuItem("SpecDaskovinMnu")->Click();
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(MainVars.DataStart, nullptr);
    }
    const std::string Head = "CX=100\nCY=100\nUS=0\nD=80\nDM=76\nDT=60\n";
    const struct {
        std::string Body;
        const char* Named;
    } Cases[] = {
        {"", "X0"},                                                   // no tick at all
        {"X0=0 6 1\nX2=20 6 1\n", "řádek 8: X2=20 6 1"},               // X1 missing: X2 lies past the end
        {"X0=ABC 6 1\n", "řádek 7: X0=ABC 6 1"},                      // the angle does not read
        {"X0=-5 6 1\n", "řádek 7"},                                   // the end marker itself
        {"X0=0 6 1\nZ0=100 400 84 8 1\n", "řádek 8: Z0=100 400 84 8 1"},  // beyond 360 degrees
        {"X0=0 6 1\nZ0=100 100 84 8 1\n", "řádek 8"},                 // an empty zone
        {"X0=0 6 1\nZ1=10 20 84 8 1\n", "řádek 8"},                   // Z0 missing
        {"X0=0 0 1\n", "řádek 7"},                                     // a tick without length
        {"X0=0 6 1\nX1=10 6 1 T1 A 4 5000 2 1\n", "řádek 8"},          // intermediate ticks beyond reason
        {"X0=0 6 1\nX1=10 6 1 T1 A 4 800 2 1\n", "více než 720"},      // more ticks than half degrees
        {"X0=0 6 1\nD=1E9\n", "řádek 8: D=1E9"},                       // a size beyond reason
    };
    // A sound protocol first: a refused one keeps its tables, and the generation that
    // follows draws the sound dial once more.
    Run(Gauge());
    const size_t Made = H->DumpLines().size();
    ASSERT_GT(Made, 0u);
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Body);
        const size_t Before = H->DumpLines().size();
        Run(WriteFile("bad.txt", Head + C.Body), C.Named);
        EXPECT_EQ(H->DumpLines().size(), Before + Made);
    }
}

}  // namespace
