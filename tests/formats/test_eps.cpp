// The PostScript reader: files written by ghostscript from small PostScript programs
// read back onto their coordinates (lines exact, curves within the maximum error as
// lines or arcs), the operator rules, lines that hold too few or too large numbers,
// and the import dialog's values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "formats/EpsInDg.h"
#include "formats/UniEPS.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

constexpr double Mm = 25.4 / 72;

class EpsTest : public KestrilonTest {
protected:
    TObjHeader*& S = MainVars.DataStart;
    TObjHeader*& E = MainVars.DataEnd;

    void TearDown() override {
        FreeObjList(S, E);
        KestrilonTest::TearDown();
    }
    static bool GsPresent() { return std::system("command -v gs >/dev/null 2>&1") == 0; }
    // The PostScript program Ps run through ghostscript's Device; the file written.
    std::string Gs(const std::string& Ps, const std::string& Device, const std::string& Out) {
        const std::string in = WriteFile("prog.ps", "%!PS\n" + Ps + "\nshowpage\n");
        const std::string cmd = "gs -q -dNOPAUSE -dBATCH -dSAFER -r72 -dCompressPages=false -sDEVICE=" + Device +
                                " -sOutputFile=" + InDir(Out) + " " + in + " >/dev/null 2>&1";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        return InDir(Out);
    }
    std::vector<TObjHeader*> Load(const std::string& File, bool Arcs, Osy* Min = nullptr, Osy* Max = nullptr) {
        EpsInputDialog->RBtnToArc->Checked = Arcs;
        EpsInputDialog->RBtnToLine->Checked = !Arcs;
        Osy mn, mx;
        EXPECT_TRUE(LoadEps(File, mn, mx));
        if (Min) *Min = mn;
        if (Max) *Max = mx;
        std::vector<TObjHeader*> v;
        for (TObjHeader* p = S; p; p = p->Next) v.push_back(p);
        return v;
    }
    static std::vector<Osy> Pts(TObjHeader* P) {
        std::vector<Osy> v{AsPline(P)->S};
        for (int32_t i = 0; i < PlineSegCount(P); ++i) v.push_back(PlineSegs(P)[i].E);
        return v;
    }
};

// Distance of P from the cubic curve A B C D: the nearest of a coarse sampling,
// refined by halving the parameter step around it.
double CurveDist(const Osy& P, const Osy& A, const Osy& B, const Osy& C, const Osy& D) {
    auto dist = [&](double t) {
        const double u = 1 - t;
        const double x = u * u * u * A.x + 3 * u * u * t * B.x + 3 * u * t * t * C.x + t * t * t * D.x;
        const double y = u * u * u * A.y + 3 * u * u * t * B.y + 3 * u * t * t * C.y + t * t * t * D.y;
        return std::hypot(double(P.x) - x, double(P.y) - y);
    };
    double bestT = 0;
    for (int i = 0; i <= 200; ++i)
        if (dist(i / 200.0) < dist(bestT)) bestT = i / 200.0;
    for (double step = 1 / 400.0; step > 1e-12; step /= 2)
        for (double t : {bestT - step, bestT + step})
            if (t >= 0 && t <= 1 && dist(t) < dist(bestT)) bestT = t;
    return dist(bestT);
}

TEST_F(EpsTest, GhostscriptFilesReadOntoTheirCoordinates) {
    if (!GsPresent()) GTEST_SKIP() << "ghostscript is not available";
    const std::string prog =
        "1 setlinewidth newpath 0 0 moveto 72 0 lineto 72 72 lineto stroke\n"
        "newpath 144 0 moveto 144 72 216 72 216 0 curveto stroke\n";
    const Osy a{144 * Mm, 0}, b{144 * Mm, 72 * Mm}, c{216 * Mm, 72 * Mm}, d{216 * Mm, 0};
    Glob.ErrorConv = 0.01L;
    for (const char* device : {"eps2write", "ps2write"}) {
        int32_t lines = 0;
        for (bool arcs : {false, true}) {
            SCOPED_TRACE(std::string(device) + (arcs ? " arcs" : " lines"));
            const auto v = Load(Gs(prog, device, std::string("out.") + device), arcs);
            ASSERT_EQ(v.size(), 2u);
            EXPECT_EQ(v[0]->Layer, LayerOrig);
            const auto l = Pts(v[0]);
            ASSERT_EQ(l.size(), 3u);
            EXPECT_NEAR(double(l[1].x), 25.4, 1e-9);
            EXPECT_NEAR(double(l[2].y), 25.4, 1e-9);
            const auto k = Pts(v[1]);
            EXPECT_NEAR(double(k.front().x), double(a.x), 1e-9);
            EXPECT_NEAR(double(k.back().x), double(d.x), 1e-9);
            EXPECT_NEAR(double(k.back().y), 0, 1e-9);
            for (const Osy& p : k) EXPECT_LE(CurveDist(p, a, b, c, d), 0.0101);
            if (arcs) {
                EXPECT_LT(PlineSegCount(v[1]), lines / 2);
                // The middle of every arc lies on the curve as well.
                for (int32_t i = 0; i < PlineSegCount(v[1]); ++i) {
                    const TPlineSeg& g = PlineSegs(v[1])[i];
                    const Osy s = k[size_t(i)];
                    const Extended t = std::tan(g.Alfa / 4);
                    const Osy mid{(s.x + g.E.x) / 2 + t * (g.E.y - s.y) / 2, (s.y + g.E.y) / 2 - t * (g.E.x - s.x) / 2};
                    EXPECT_LE(CurveDist(mid, a, b, c, d), 0.0101) << i;
                }
            } else {
                lines = PlineSegCount(v[1]);
            }
            FreeObjList(S, E);
        }
    }
}

// Only the last operator of a line counts; "4 M" is no move; a line with too few
// numbers or with numbers beyond the page is passed over and named, the path goes on.
TEST_F(EpsTest, OperatorLinesAndWhatIsRefused) {
    TScriptResponder R;
    const std::string f = WriteFile("t.eps",
                                    "%!PS-Adobe-3.0 EPSF-3.0\n%%EndSetup\r\n"
                                    "10 10 L\n"           // no path yet
                                    "0 0 m 72 0 l\n"      // only the l counts: no path
                                    "4 M\n"
                                    "0 0 m\n"
                                    "1 2 c\n"             // too few numbers
                                    "1 1 99999999 99999999 5 5 c\n"  // beyond the page
                                    "72 0 l\n"
                                    "0 0 m\n"
                                    "144 0 m\n"           // two moves: the first makes nothing
                                    "144 72 l\n"
                                    "%%EOF\n"
                                    "0 0 m 9 9 l\n");
    Osy mn, mx;
    const auto v = Load(f, true, &mn, &mx);
    ASSERT_EQ(v.size(), 2u);
    const auto p = Pts(v[0]);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_NEAR(double(p[1].x), 25.4, 1e-9);
    EXPECT_NEAR(double(Pts(v[1])[1].y), 25.4, 1e-9);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:EPS line 7 not read"));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:EPS line 8 not read"));
    EXPECT_NEAR(double(mx.x), 50.8, 1e-9);
    EXPECT_TRUE(R.Done());
}

// OK stores the error within 0.000001 .. 1 and the position; a wrong number stores
// nothing.
TEST_F(EpsTest, DialogStoresClampedValues) {
    const struct {
        const char* Err;
        const char* X;
        Extended WantErr;
        Extended WantX;
    } Cases[] = {{"0", "5", 0.000001L, 5}, {"5", "7", 1, 7}, {"0,05", "x", 1, 7}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Err);
        TScriptResponder R;
        R.ExpectModal("EpsInputDialog", [&](TForm& F) {
            F.Find<TEdit>("EditError")->Text = C.Err;
            F.Find<TEdit>("EditXdest")->Text = C.X;
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        EXPECT_EQ(EpsInputDialog->ShowModal(), mrOk);
        EXPECT_EQ(Glob.ErrorConv, C.WantErr);
        EXPECT_EQ(Glob.Dest.x, C.WantX);
    }
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong number X pos (x)"));
}

}  // namespace
