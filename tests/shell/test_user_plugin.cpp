// The user plug-in library: found in the program folder at start-up, handed the host
// tables and values, run by a USER keyword; faults inside it never take the program down.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/MainVars.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/UserDll.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

namespace fs = std::filesystem;

class UserPluginTest : public KestrilonTest {
protected:
    void Put(const char* Built, const std::string& Name) { fs::copy_file(Built, InDir(Name)); }
};

TEST_F(UserPluginTest, TheFirstUserLibraryOfTheFolderRunsItsCommandThroughTheHostTables) {
    // Name order: "aUser" comes first; "plugin.so" lacks the four letters and "Userx.so.txt" is no library.
    Put(KESTRILON_USER_PLUGIN, "aUserCmds.so");
    Put(KESTRILON_USER_PLUGIN_NONE, "zuser.so");
    Put(KESTRILON_USER_PLUGIN_NONE, "plugin.so");
    EXPECT_EQ(FindUserDll(Dir()), "aUserCmds.so");
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    ASSERT_NE(UserDllHandle, nullptr);
    EXPECT_TRUE(H.LogHas("Sys:Plug-in library aUserCmds.so loaded"));

    // Every table arrived with the cells the program hands out (nil cells stay nil).
    auto* Filled = reinterpret_cast<int (*)(int)>(dlsym(UserDllHandle, "PluginFilledCells"));
    ASSERT_NE(Filled, nullptr);
    const int Expected[7] = {66, 11, 56, 21, 20, 16, 2};
    for (int t = 0; t < 7; ++t) EXPECT_EQ(Filled(t), Expected[t]) << "table " << t;

    H.Enter("USER1");
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_NE(H.Echo().find("USER1 hotovo, hladina"), std::string::npos) << H.Echo();
    // The L drawn at the origin was moved by (100, 50) through the polyline table.
    ASSERT_NE(MainVars.DataStart, nullptr);
    TObjHeader* P = MainVars.DataEnd;
    EXPECT_NEAR(double(EnPline.StartPt(P).x), 100, 1e-9);
    EXPECT_NEAR(double(EnPline.StartPt(P).y), 50, 1e-9);
    EXPECT_NEAR(double(EnPline.EndPt(P).x), 110, 1e-9);
    EXPECT_NEAR(double(EnPline.EndPt(P).y), 55, 1e-9);

    // An exception thrown inside the library ends its command and stays on its side.
    H.Enter("USER2");
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(H.LogHas("Err:Plug-in call of UserCmd failed: plug-in fault"));
    H.Enter("LINE");
    EXPECT_EQ(MainVars.Command[0], "LINE");
    H.Esc();
}

TEST_F(UserPluginTest, AUserKeywordWithoutALibraryOrWithoutItsEntrySaysSo) {
    {
        TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
        EXPECT_EQ(UserDllHandle, nullptr);
        H.Enter("USER5");
        EXPECT_EQ(MainVars.ComCnt, -1);
        EXPECT_TRUE(H.LogHas("Err:Command USER5: no plug-in library loaded"));
        EXPECT_NE(H.Echo().find("uživatelská knihovna není načtena"), std::string::npos) << H.Echo();
    }
    Put(KESTRILON_USER_PLUGIN_NONE, "libuser.so");
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    ASSERT_NE(UserDllHandle, nullptr);
    H.Enter("USER0");
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(H.LogHas("Err:Command USER0: plug-in library has no UserCmd"));
}

TEST_F(UserPluginTest, ALibraryThatCannotBeLoadedIsSkipped) {
    WriteFile("broken_user.so", "not a shared object");
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    EXPECT_EQ(UserDllHandle, nullptr);
    H.Enter("USER1");
    EXPECT_TRUE(H.LogHas("Err:Command USER1: no plug-in library loaded"));
}

}  // namespace
