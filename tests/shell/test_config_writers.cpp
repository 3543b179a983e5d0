// The program's own files (settings, recent files, command table, tool library and tool
// types) that cannot be written are reported to the user, not only logged.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "commands/UniCom.h"
#include "core/Glob.h"
#include "platform/ScriptResponder.h"
#include "shell/FileHist.h"
#include "shell/ProgramFolder.h"
#include "shell/SetCfg.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"
#include "tools/ToolLibFile.h"

namespace {

using ConfigWritersTest = KestrilonTest;

TEST_F(ConfigWritersTest, FileThatCannotBeWrittenIsShown) {
    WriteProgramFolderFiles(Dir());
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    struct TCase {
        const char* File;
        std::function<void()> Write;
        const char* Log;
    };
    const TCase cases[] = {
        {"Default.cfg", [] { WriteDefaultCfg(); }, "Err:FAILED Save CFG"},
        {"FileHist", [] { FileHistToFile(FileHistPath()); }, "Err:Save file history FAILED"},
        {"ComSet.cfg", [] { SaveComSet(); }, "Err:FAILED Save ComSet.cfg, file not written"},
        {"TTypeDef.ytf", [] { SaveToolFilesHook(); }, "Err:FAILED, save tool types"},
        {"ToolLib.ylf", [] { SaveToolFilesHook(); }, "Err:FAILED, save tool library"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File);
        // A write-protected target is refused like a full disk.
        const std::string target = InDir(c.File);
        if (!std::filesystem::exists(target)) WriteFile(c.File, "old\r\n");
        std::filesystem::permissions(target, std::filesystem::perms::owner_read);
        TScriptResponder R;
        R.ExpectMessage(mrOk, Msg[25] + ":\r\n" + target);
        c.Write();
        EXPECT_TRUE(R.Done());
        bool logged = false;
        for (const std::string& l : TCmdHarness::LogTexts()) logged |= l.rfind(c.Log, 0) == 0;
        EXPECT_TRUE(logged);
        std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
}

}  // namespace
