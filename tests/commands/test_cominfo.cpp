// INFO through the command line: counts per layer and kind, the group total and the
// extents in the info window.
#include "commands/InfoDg.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class ComInfoTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        // The program's start-up: the layer table's names and the info window.
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
        Mark();
    }
    static TObjHeader* Line(Extended X1, Extended Y1, Extended X2, Extended Y2, uint8_t Layer) {
        EnPline.LineAdd({X1, Y1}, {X2, Y2}, Layer, MainVars.DataStart, MainVars.DataEnd);
        return MainVars.DataEnd;
    }
    static TObjHeader* Point(Extended X, Extended Y, uint8_t Layer) {
        return EnPoint.Add({X, Y}, Layer, MainVars.DataStart, MainVars.DataEnd);
    }
    // INFO with the given objects selected at the select prompt.
    void Info(const std::vector<TObjHeader*>& Selected) {
        H->Enter("INFO");
        for (TObjHeader* p : Selected) p->Flags |= FlagSelected;
        H->Enter("");
    }
    // Every non-empty count cell as "row label/column header=value".
    static Lines CountCells() {
        Lines Out;
        const TStringGrid& G = *InfoDialog->StrGridCnt;
        for (int c = 1; c < G.ColCount(); ++c)
            for (int r = 1; r < G.RowCount(); ++r)
                if (!G.Cells[c][r].empty()) Out.push_back(G.Cells[0][r] + "/" + G.Cells[c][0] + "=" + G.Cells[c][r]);
        return Out;
    }
    static Lines SizeCells() {
        Lines Out;
        const TStringGrid& G = *InfoDialog->StrGridSize;
        for (int r = 1; r < G.RowCount(); ++r) Out.push_back(G.Cells[0][r] + " " + G.Cells[1][r] + " " + G.Cells[2][r]);
        return Out;
    }
};

TEST_F(ComInfoTest, CountsByLayerAndKindAndExtents) {
    TObjHeader* A = Line(0, 0, 10, 0, 3);
    TObjHeader* B = Line(0, 0, 0, 20, 3);
    TObjHeader* P = Point(-4, 6, 68);
    Line(100, 100, 200, 200, 3);  // not selected
    Mark();
    Info({A, B, P});
    EXPECT_EQ(CountCells(), (Lines{"Orig/Bod=1", "T3/Polyline=2"}));
    EXPECT_EQ(SizeCells(), (Lines{"Levý spodní -4.0 0.0", "Střed 3.0 10.0", "Pravý horní 10.0 20.0",
                                  "Rozměr 14.0 20.0"}));
    EXPECT_EQ(NewLog(), (Lines{"Usr:INFO", "Sys:ComInfo Start", "Sys:InfoDg Open", "Sys:ComInfo End"}));
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) EXPECT_FALSE(p->Flags & FlagSelected);
    EXPECT_TRUE(InfoDialog->Visible);
    // OK closes the window.
    InfoDialog->ClickButton("BitBtnOK");
    EXPECT_FALSE(InfoDialog->Visible);
    EXPECT_EQ(NewLog().back(), "Sys:InfoDg Close");
}

TEST_F(ComInfoTest, GroupsCountOnceWhateverTheirMembers) {
    TObjHeader *S = nullptr, *E = nullptr;
    EnPline.LineAdd({0, 0}, {1, 1}, 5, S, E);
    EnPoint.Add({2, 2}, 7, S, E);
    TObjHeader* G = AppendObj(MakeGroup(false, S, E), MainVars.DataStart, MainVars.DataEnd);
    Info({G});
    EXPECT_EQ(InfoDialog->StrGridCnt->Cells[3][1], "1");
    EXPECT_EQ(CountCells(), (Lines{"/Skupina=1"}));
}

TEST_F(ComInfoTest, NothingSelectedShowsTheEnvelopeStartValuesAndRenamedLayers) {
    Glob.TabLayer[65].Name = "Stock";
    Point(1, 1, 1);
    Info({});
    EXPECT_TRUE(CountCells().empty());
    EXPECT_EQ(SizeCells(), (Lines{"Levý spodní 10000.0 10000.0", "Střed 0.0 0.0", "Pravý horní -10000.0 -10000.0",
                                  "Rozměr -20000.0 -20000.0"}));
    const TStringGrid& G = *InfoDialog->StrGridCnt;
    EXPECT_EQ(G.Cells[0][1], "");
    EXPECT_EQ(G.Cells[0][2], "Stock");
    EXPECT_EQ(G.Cells[0][5], "Orig");
    EXPECT_EQ(G.Cells[0][6], "T1");
    EXPECT_EQ(G.Cells[0][69], "T64");
    EXPECT_EQ(G.Cells[0][0], "Hlad.\\Obj.");
}

TEST_F(ComInfoTest, PreviousSelectionIsAskedAgain) {
    TObjHeader* A = Line(0, 0, 10, 0, 2);
    Info({A});
    Mark();
    Run({"INFO", "P"});
    EXPECT_EQ(H->Prompt(), "Vyber objekty>");
    EXPECT_TRUE(A->Flags & FlagSelected);
    H->Enter("");
    EXPECT_EQ(CountCells(), (Lines{"T2/Polyline=1"}));
    EXPECT_EQ(NewLog()[2], "Usr:Select previous");
}

}  // namespace
