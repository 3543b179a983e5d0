// CLIPCOPY, CLIPCUT and CLIPPASTE through the command line on the in-process clipboard:
// the base point lands on the insertion point, pasted objects come last, and a cut
// leaves no operation pointing at what it took away.
#include "cam/CamOpList.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "platform/Clipboard.h"
#include "shell/MainVars.h"
#include "ContourFixture.h"

namespace {

class ClipTest : public ContourTest {
protected:
    static void SelectAll() {
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) p->Flags |= FlagSelected;
    }
};

TEST_F(ClipTest, CopyWithABasePointPastesShiftedAfterEveryObject) {
    AddRect({0, 0}, {10, 5}, false);
    AddLine({0, 10}, {4, 10}, false);
    SelectAll();
    Run({"CLIPCOPY", "", "10 20"});
    EXPECT_EQ(ClipboardText().rfind("BasePoint= x=10.0 y=20.0\r\nOBJECTS\r\n", 0), 0u) << ClipboardText();
    AddLine({-5, -5}, {-1, -1}, false);
    Run({"CLIPPASTE", "110 20"});
    const std::vector<TObjHeader*> D = Drawing();
    ASSERT_EQ(D.size(), 5u);
    EXPECT_NEAR(double(EnPline.StartPt(D[3]).x), 100, 1e-9);  // the rectangle, after the new line
    EXPECT_NEAR(double(EnPline.StartPt(D[4]).x), 100, 1e-9);
    EXPECT_NEAR(double(EnPline.StartPt(D[4]).y), 10, 1e-9);
    // One copy pastes any number of times; a wrong point copies and pastes nothing.
    Run({"CLIPPASTE", "0 0"});
    EXPECT_EQ(Drawing().size(), 7u);
    Run({"CLIPPASTE", "x y"});
    EXPECT_EQ(Drawing().size(), 7u);
    EXPECT_EQ(LogLastText(), "Sys:ComClipPaste End");
    // Text from another program pastes nothing.
    SetClipboardText("hello\r\nworld\r\n");
    Run({"CLIPPASTE", "0 0"});
    EXPECT_EQ(Drawing().size(), 7u);
}

TEST_F(ClipTest, ACutTakesTheObjectsOutOfTheirOperationsAsDeleteDoes) {
    TObjHeader* Rect = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    ASSERT_EQ(OpList.CamCnt, 1);
    ASSERT_EQ(Parents(0).size(), 1u);
    Rect->Flags |= FlagSelected;
    Run({"CLIPCUT", "", "0 0"});
    // The operation lost its only source and went with its path: nothing links to a freed record.
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_TRUE(Drawing().empty());
    Run({"CLIPPASTE", "0 0"});
    ASSERT_EQ(Drawing().size(), 1u);
    EXPECT_NEAR(double(EnPline.Length(Drawing()[0])), 40, 1e-9);
}

}  // namespace
