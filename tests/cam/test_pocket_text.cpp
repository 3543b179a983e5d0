// A pocket asked for on a text the user wrote: texts are machined only once they are
// turned into polylines, so MEANDR refuses the text, makes nothing and says why; the job
// as it stood is saved all the same.
#include <gtest/gtest.h>

#include <filesystem>

#include "cam/CamOpList.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

class PocketTextTest : public KestrilonTest {};

TEST_F(PocketTextTest, MeandrOnAWrittenTextMakesNoPocketAndTellsTheUser) {
    ResetAllState();
    ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    H.Enter("TEXT");
    H.Enter("10 20");
    H.Enter("Abc");
    ASSERT_NE(MainVars.DataStart, nullptr);
    ASSERT_EQ(MainVars.DataStart->Type, ObjText);
    const std::string AutoSave = Dir() + "/AutoSave.ydf";
    std::filesystem::remove(AutoSave);

    TScriptResponder R;
    R.ExpectMessage(mrOk, Msg[11]);
    H.Enter("MEANDR");
    H.Drag(0, 10, 60, 40);  // a window round the text
    ASSERT_TRUE(MainVars.DataStart->Flags & FlagSelected);
    H.Enter("");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_FALSE(MainVars.DataStart->Flags & FlagSelected);
    EXPECT_TRUE(std::filesystem::exists(AutoSave));
}

}  // namespace
