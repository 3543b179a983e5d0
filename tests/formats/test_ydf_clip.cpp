// The clipboard text of objects: written from the selection, read back moved by the
// paste point minus the base point; a cut drops the operation links of what it deletes.
#include <gtest/gtest.h>

#include "cam/CamOpList.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniPoint.h"
#include "formats/UniClip.h"
#include "shell/MainVars.h"
#include "support/Fixture.h"

namespace {

class ClipTest : public KestrilonTest {
protected:
    TObjHeader*& S = MainVars.DataStart;
    TObjHeader*& E = MainVars.DataEnd;
    void SetUp() override {
        KestrilonTest::SetUp();
        Glob.TabLayer[2].Name = "Two";
        EnPoint.Add(Osy{1, 1}, LayerOrig, S, E);
        StartObj(Osy{0, 0});
        AddSeg(Osy{10, 0}, 0, CoordTol);
        MakeObj(2, S, E);
        E->Flags |= FlagSelected;
    }
    std::vector<std::string> Copy(bool Cut) {
        std::vector<std::string> memo{"BasePoint= x=" + ExtToStr(10) + " y=" + ExtToStr(20)};
        ClipWriteObjects(memo, Cut, true);
        return memo;
    }
};

TEST_F(ClipTest, CopyAndPasteShiftByThePastePoint) {
    const std::vector<std::string> memo = Copy(false);
    EXPECT_EQ(memo[1], "OBJECTS");
    EXPECT_EQ(memo[2], "  PLINE");
    EXPECT_EQ(memo.back(), "ENDOBJECTS");
    TObjHeader *f = nullptr, *l = nullptr;
    ClipReadObjects(memo, Osy{110, 20}, f, l);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f, l);
    EXPECT_EQ(f->Layer, 2);
    EXPECT_EQ(AsPline(f)->S.x, 100);
    EXPECT_EQ(PlineSegs(f)[0].E.x, 110);
    FreeObjList(f, l);
    // Text from elsewhere and an empty selection paste nothing.
    ClipReadObjects({"OBJECTS", "POINT", "Start x=1 y=1", "ENDPOINT"}, Osy{0, 0}, f, l);
    EXPECT_EQ(f, nullptr);
    E->Flags = 0;
    ClipReadObjects(Copy(false), Osy{0, 0}, f, l);
    EXPECT_EQ(f, nullptr);
}

TEST_F(ClipTest, CutDeletesTheSelectionAndItsLinks) {
    OpList.CamCnt = 1;
    OpList.Cam[0].Parents[0] = E;
    OpList.Cam[0].Parents[1] = S;
    OpList.Cam[0].ParCnt = 2;
    const std::vector<std::string> memo = Copy(true);
    EXPECT_EQ(CountObjs(S), 1);
    EXPECT_EQ(OpList.Cam[0].ParCnt, 1);
    EXPECT_EQ(OpList.Cam[0].Parents[0], S);
    TObjHeader *f = nullptr, *l = nullptr;
    ClipReadObjects(memo, Osy{10, 20}, f, l);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(PlineSegs(f)[0].E.x, 10);
    FreeObjList(f, l);
}

}  // namespace
