// The direction flags are recomputed for every polyline after LAYER's OK and after a
// job given at start-up was read: members of groups and 3D polylines too.
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniPline.h"
#include "platform/ScriptResponder.h"
#include "shell/FormOrder.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "shell/StartupHooks.h"
#include "support/CmdTest.h"

namespace {

class FindDirAllTest : public CmdTest {
protected:
    // A clockwise square inside a group, its flags lost (as after an edit that does not
    // recompute them); returns the member.
    static TObjHeader* GroupedSquareWithoutFlags(TObjHeader*& Start, TObjHeader*& End) {
        TObjHeader* GS = nullptr;
        TObjHeader* GE = nullptr;
        EnPline.RectangleAdd({0, 10}, {10, 0}, 1, GS, GE);
        EXPECT_EQ(AsPline(GS)->PlineFlags, PlineClosed | PlineCW);
        AsPline(GS)->PlineFlags = 0;
        TObjHeader* Member = GS;
        AppendObj(MakeGroup(false, GS, GE), Start, End);
        return Member;
    }
};

TEST_F(FindDirAllTest, LayerOkReachesGroupMembers) {
    Start();
    TObjHeader* Member = GroupedSquareWithoutFlags(MainVars.DataStart, MainVars.DataEnd);
    H->Answer(mrOk);
    Run({"LAYER"});
    EXPECT_EQ(AsPline(Member)->PlineFlags, PlineClosed | PlineCW);
}

TEST_F(FindDirAllTest, JobGivenAtStartUpHasItsGroupMembersDirected) {
    WriteProgramFolderFiles(Dir());
    TObjHeader* Member = nullptr;
    LoadYdfFileHook = [&](const std::string&, bool, bool, bool, bool, bool, bool, Osy&, Osy&) {
        Member = GroupedSquareWithoutFlags(MainVars.DataStart, MainVars.DataEnd);
        return true;
    };
    TScriptResponder R;
    auto Form = std::make_unique<TMainForm>();
    Form->Args = {Dir() + "/Job.ydf"};
    Form->FormCreate();
    CreateAllForms();
    Form->Show();
    ASSERT_NE(Member, nullptr);
    EXPECT_EQ(AsPline(Member)->PlineFlags, PlineClosed | PlineCW);
    Form.reset();
    FreeMainVarsLists();
}

}  // namespace
