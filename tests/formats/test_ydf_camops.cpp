// The operation list's section of the job file: written and read back field by field,
// with a regional decimal comma, bare line feeds and a damaged parameter line.
#include <gtest/gtest.h>

#include "cam/CamOpFile.h"
#include "cam/CamOpList.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "formats/UniYDF.h"
#include "shell/SetCfg.h"
#include "support/Fixture.h"

namespace {

using CamOpFileTest = KestrilonTest;

void FillTwo() {
    OpList.CamCnt = 2;
    TCamOp& a = OpList.Cam[0];
    a.Name = " Contour a ";
    a.Status = 3;
    a.MasterOp = -1;
    a.OpType = OpTypeContour;
    a.La1 = 5;
    a.Inside = a.TgIn = a.Crossing = true;
    a.TgUhel = 0.5L;
    a.Pridavek = -0.125L;
    a.Depth = 2.75L;
    a.EdgeMode = 2;
    TCamOp& b = OpList.Cam[1];
    b.Name = "Pocket";
    b.MasterOp = 0;
    b.OpType = OpTypePocketRough;
    b.La1 = 7;
    b.La2 = 9;
    b.FillType = 2;
    b.RFillPresah = 1e-3L;
}

TEST_F(CamOpFileTest, SectionRoundTripsThroughTheJobFile) {
    for (char sep : {'.', ','}) {
        SCOPED_TRACE(sep);
        ClearOpList(OpList);
        SetCfgDecimalSeparator(sep);
        FillTwo();
        ASSERT_TRUE(SaveYdfFile(InDir("ops.ydf"), true, true));
        const std::string bytes = ReadFile(InDir("ops.ydf"));
        EXPECT_NE(bytes.find("CAMOPLIST\r\n  OpName= Contour a \r\n  OpStatus=3\r\n  OpMID=-1\r\n"),
                  std::string::npos);
        EXPECT_NE(bytes.find(sep == ',' ? ";0,5;" : ";0.5;"), std::string::npos);
        ClearOpList(OpList);
        Osy mn, mx;
        ASSERT_TRUE(LoadYdfFile(InDir("ops.ydf"), false, false, mx, mn, false, false, false, true));
        ASSERT_EQ(OpList.CamCnt, 2);
        const TCamOp& a = OpList.Cam[0];
        EXPECT_EQ(a.Name, " Contour a ");
        EXPECT_EQ(a.Status, 3);
        EXPECT_EQ(a.MasterOp, -1);
        EXPECT_TRUE(a.Inside && a.TgIn && a.Crossing && !a.Outside);
        EXPECT_EQ(a.TgUhel, 0.5L);
        EXPECT_EQ(a.Pridavek, -0.125L);
        EXPECT_EQ(a.Depth, 2.75L);
        EXPECT_EQ(a.EdgeMode, 2);
        const TCamOp& b = OpList.Cam[1];
        EXPECT_EQ(b.MasterOp, 0);
        EXPECT_EQ(b.La2, 9);
        EXPECT_EQ(b.FillType, 2);
        EXPECT_NEAR(double(b.RFillPresah), 1e-3, 1e-15);
    }
}

// Names are 8-bit text in the file like the rest of it; every parameter reads back to
// the very same value, in either decimal separator.
TEST_F(CamOpFileTest, NamesInTheCodePageAndExactValues) {
    const std::string name = "Kapsa č.1 ŽLUŤOUČKÝ";
    const Extended values[] = {0.1L, 1 / 3.0L, -123456.789012345678901L, 2.5e-7L, 1e20L, -7.0L / 9};
    for (char sep : {'.', ','}) {
        SCOPED_TRACE(sep);
        ClearOpList(OpList);
        SetCfgDecimalSeparator(sep);
        OpList.CamCnt = 1;
        TCamOp& op = OpList.Cam[0];
        op.Name = name;
        op.TgUhel = values[0];
        op.Pridavek = values[1];
        op.Depth = values[2];
        op.ThinError = values[3];
        op.MFillPresah = values[4];
        op.RFillUhel = values[5];
        ASSERT_TRUE(SaveYdfFile(InDir("ops.ydf"), true, true));
        const std::string bytes = ReadFile(InDir("ops.ydf"));
        EXPECT_NE(bytes.find("OpName=" + Utf8ToCp1250(name) + "\r\n"), std::string::npos);
        EXPECT_EQ(bytes.find(name), std::string::npos);
        ClearOpList(OpList);
        Osy mn, mx;
        ASSERT_TRUE(LoadYdfFile(InDir("ops.ydf"), false, false, mx, mn, false, false, false, true));
        ASSERT_EQ(OpList.CamCnt, 1);
        EXPECT_EQ(op.Name, name);
        const Extended back[] = {op.TgUhel, op.Pridavek, op.Depth, op.ThinError, op.MFillPresah, op.RFillUhel};
        for (size_t i = 0; i < std::size(values); ++i) EXPECT_EQ(back[i], values[i]) << i;
    }
}

TEST_F(CamOpFileTest, DamagedParameterLineStopsAtThatOperation) {
    const std::string par24 = "TRUE;FALSE;FALSE;FALSE;FALSE;FALSE;0;0;0;FALSE;FALSE;0;0;0;0;0;FALSE;0;0;0;0;0;0;1";
    const std::string text = "CAMOPLIST\n  OpName=A\n  OpLa1=3\n  OpPar=" + par24 + ";0\n  OpName=B\n  OpPar=" +
                             par24 + "\n  OpName=C\n  OpPar=" + par24 + ";1\nENDCAMOPLIST\n";
    ASSERT_TRUE(FileToCamOps(WriteFile("ops.txt", text)));
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].La1, 3);
    EXPECT_TRUE(OpList.Cam[0].Inside);
    EXPECT_FALSE(FileToCamOps(InDir("none.txt")));
}

// The section starts at its name as a line's key, in either case, with blanks around it
// and carriage returns anywhere; lines before it are not the section's.
TEST_F(CamOpFileTest, SectionStartsAtItsNameOnly) {
    const std::string par24 = "TRUE;FALSE;FALSE;FALSE;FALSE;FALSE;0;0;0;FALSE;FALSE;0;0;0;0;0;FALSE;0;0;0;0;0;0;1";
    const struct {
        const char* Head;
        int Ops;
    } cases[] = {{"CAMOPLIST", 1},   {"  camOpList  ", 1}, {"CAMOPLIST=x", 1}, {"CAM\rOPLIST\r\r", 1},
                 {"CAM OPLIST", 0}, {"\tCAMOPLIST", 0},   {"CAMOPLISTS", 0},  {"CAMOPLIS", 0},
                 {"=CAMOPLIST", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Head);
        OpList.CamCnt = 0;
        const std::string text = "SETUP\n  OpName=X\n  OpPar=" + par24 + ";0\n" + c.Head + "\n  OpName=A\n  OpPar=" +
                                 par24 + ";0\nENDCAMOPLIST\n";
        ASSERT_TRUE(FileToCamOps(WriteFile("ops.txt", text)));
        EXPECT_EQ(OpList.CamCnt, c.Ops);
        if (c.Ops) EXPECT_EQ(OpList.Cam[0].Name, "A");
    }
}

}  // namespace
