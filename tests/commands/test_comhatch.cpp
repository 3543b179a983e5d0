// HATCH and INTELIHATCH typed through the command line: the checks of the selection,
// nesting, the "Orig" layer's areas round clicked points, and their messages.
#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class ComHatchTest : public CmdTest {
protected:
    // Hatch pieces: one-segment polylines, nested in groups or loose.
    static void Collect(const TObjHeader* First, std::vector<const TObjHeader*>& Out) {
        for (const TObjHeader* p = First; p; p = p->Next) {
            if (p->Type == ObjGroup) Collect(AsGroup(const_cast<TObjHeader*>(p))->First, Out);
            if (p->Type == ObjPline && PlineSegCount(p) == 1) Out.push_back(p);
        }
    }
    static int Pieces(const TObjHeader* First) {
        std::vector<const TObjHeader*> Out;
        Collect(First, Out);
        return int(Out.size());
    }
    static const TObjHeader* After(int Skip) {
        const TObjHeader* p = MainVars.DataStart;
        for (int i = 0; i < Skip && p; ++i) p = p->Next;
        return p;
    }
    bool Shown(const std::string& Text) const {
        for (const std::string& S : H->Responder().Shown)
            if (S.find(Text) != std::string::npos) return true;
        return false;
    }
    // Draws each script's objects, selects all of them and hatches.
    void HatchAll(const std::vector<Lines>& Draw, const Lines& Rest) {
        for (const Lines& L : Draw) Run(L);
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) p->Flags |= FlagSelected;
        Run({"HATCH", ""});
        Run(Rest);
    }
};

TEST_F(ComHatchTest, SelectionChecksAndNesting) {
    const Lines Sq0 = {"RECTANGLE", "0 0", "10 10"};
    const struct {
        const char* Name;
        std::vector<Lines> Draw;
        const char* Msg;  // message shown, nullptr none
        bool Hatched;
    } Cases[] = {
        {"square", {Sq0}, nullptr, true},
        {"ring", {Sq0, {"RECTANGLE", "3 3", "7 7"}}, nullptr, true},
        {"open", {Sq0, {"LINE", "20 0", "30 0", ""}}, "Jsou vybrány otevřené objekty", false},
        {"overlap", {Sq0, {"RECTANGLE", "5 5", "15 15"}}, "Objekty se navzájem protínají", false},
        {"shared edge", {Sq0, {"RECTANGLE", "10 0", "20 10"}}, "Objekty se navzájem protínají", false},
        {"boxes touch", {Sq0, {"POLYLINE", "10 20", "20 20", "", "20 10", "", "10 20", "", ""}}, nullptr, true},
        {"bow tie", {{"POLYLINE", "0 0", "10 10", "", "10 0", "", "0 10", "", "0 0", "", ""}},
         "Počet nalezených smyček: 1", false},
        {"nothing", {}, nullptr, false},
    };
    for (const auto& C : Cases) {
        Start();
        HatchAll(C.Draw, {});
        const int Drawn = CountObjs(MainVars.DataStart);
        if (C.Msg) {
            EXPECT_TRUE(Shown(C.Msg)) << C.Name;
            EXPECT_EQ(MainVars.ComCnt, -1) << C.Name;
        } else {
            EXPECT_EQ(H->Prompt(), "Vzdálenost šraf>") << C.Name;
            Run({"2", "45"});
        }
        EXPECT_EQ(Pieces(After(Drawn)) > 0, C.Hatched) << C.Name;
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:ComHatch End")) << C.Name;
        EXPECT_EQ(MainVars.SaveStart, nullptr) << C.Name;
        EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "") << C.Name;
        H.reset();
    }
}

TEST_F(ComHatchTest, RingLeavesTheHoleEmptyAndBadNumbersMakeNothing) {
    Start();
    HatchAll({{"RECTANGLE", "0 0", "10 10"}, {"RECTANGLE", "3 3", "7 7"}}, {"2", "45"});
    const int Ring = Pieces(After(2));
    H.reset();
    Start();
    HatchAll({{"RECTANGLE", "0 0", "10 10"}}, {"2", "45"});
    const int Full = Pieces(After(1));
    EXPECT_GT(Ring, Full);  // lines broken by the hole come in two pieces
    // No piece crosses the hole.
    H.reset();
    Start();
    HatchAll({{"RECTANGLE", "0 0", "10 10"}, {"RECTANGLE", "3 3", "7 7"}}, {"2", "0"});
    std::vector<const TObjHeader*> Found;
    Collect(After(2), Found);
    ASSERT_FALSE(Found.empty());
    for (const TObjHeader* q : Found) {
        const Extended y = AsPline(q)->S.y;
        const Extended x1 = AsPline(q)->S.x, x2 = PlineSegs(q)[0].E.x;
        if (y > 3 && y < 7) EXPECT_FALSE(std::fmin(x1, x2) < 5 && std::fmax(x1, x2) > 5) << double(y);
    }
    for (const Lines& Bad : {Lines{"x", "45"}, Lines{"2", ""}}) {
        H.reset();
        Start();
        HatchAll({{"RECTANGLE", "0 0", "10 10"}}, Bad);
        EXPECT_EQ(CountObjs(MainVars.DataStart), 1);
        EXPECT_EQ(MainVars.ComCnt, -1);
    }
}

TEST_F(ComHatchTest, InteliHatchAreasOfTheOrigLayer) {
    const struct {
        const char* Name;
        uint8_t Layer;      // of the square 0 0 .. 10 10
        Lines Clicks;
        bool Hatched, Msg13;
    } Cases[] = {
        {"inside", 68, {"5 5"}, true, false},
        {"outside", 68, {"50 50"}, false, true},
        {"inside and outside", 68, {"5 5", "50 50"}, true, true},
        {"not orig", 1, {"5 5"}, false, true},
        {"no click", 68, {}, false, false},
    };
    for (const auto& C : Cases) {
        Start();
        Glob.LayerDraw = C.Layer;
        Run({"RECTANGLE", "0 0", "10 10"});
        MainVars.DataStart->Flags |= FlagSelected;
        Glob.LayerDraw = 1;
        Run({"INTELIHATCH", "2", "45"});
        EXPECT_EQ(H->Prompt(), "Bod uvnitř plochy>") << C.Name;
        Run(C.Clicks);
        Run({""});
        EXPECT_EQ(Pieces(After(1)) > 0, C.Hatched) << C.Name;
        EXPECT_EQ(Shown("Nepodařilo se vytvořit všechny oblasti pro výplně."), C.Msg13) << C.Name;
        EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong pickpoint ()")) << C.Name;
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:ComInteliHatch End")) << C.Name;
        EXPECT_EQ(MainVars.AreaStart, nullptr);
        EXPECT_EQ(MainVars.ViewStart, nullptr);
        EXPECT_EQ(MainVars.SaveStart, nullptr);
        H.reset();
    }
    H.reset();
    Start();
    Run({"INTELIHATCH", "x", "45"});
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong dist or angle (X/45)"));
    EXPECT_EQ(MainVars.ComCnt, -1);
    // Escape while clicking frees the working lists.
    H.reset();
    Start();
    Glob.LayerDraw = 68;
    Run({"RECTANGLE", "0 0", "10 10"});
    Run({"INTELIHATCH", "2", "45", "5 5"});
    H->Esc();
    EXPECT_EQ(CountObjs(MainVars.DataStart), 1);
    EXPECT_EQ(MainVars.AreaStart, nullptr);
}

}  // namespace
