// Start-up and shutdown of the main form on a temporary program folder: defaults, the
// log's start-up lines, the command-line argument, autosave and the close question.
#include <algorithm>
#include <filesystem>

#include "commands/EndDg.h"
#include "core/Glob.h"
#include "core/ResetState.h"
#include "core/UniLog.h"
#include "platform/Files.h"
#include "platform/ScriptResponder.h"
#include "shell/FileHist.h"
#include "shell/FormOrder.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "shell/StartupHooks.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

class StartupTest : public KestrilonTest {
protected:
    void TearDown() override {
        Form.reset();
        FreeMainVarsLists();
        KestrilonTest::TearDown();
    }
    // Creates the main form and the dialogs and shows the form once.
    TMainForm& Start(std::vector<std::string> Args = {}) {
        Form = std::make_unique<TMainForm>();
        Form->Args = std::move(Args);
        Form->FormCreate();
        CreateAllForms();
        Form->Show();
        return *Form;
    }
    static std::vector<std::string> Texts() { return TCmdHarness::LogTexts(); }
    static size_t IndexOf(const std::vector<std::string>& T, const std::string& Prefix) {
        for (size_t i = 0; i < T.size(); ++i)
            if (T[i].rfind(Prefix, 0) == 0) return i;
        return std::string::npos;
    }
    std::unique_ptr<TMainForm> Form;
};

TEST_F(StartupTest, EmptyFolderStartsWithDefaultsAndLogsInOrder) {
    TScriptResponder R;
    R.ExpectMessage(mrOk, "Comset.cfg not found");  // the only missing file that is reported
    TMainForm& F = Start();
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(F.FormStarted);
    EXPECT_TRUE(MainVars.FileSaved);
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_EQ(F.ComLine2->Caption, "?>");
    EXPECT_EQ(Glob.LayerDraw, LayerOrig);
    EXPECT_EQ(Glob.TabLayer[1].Name, "T1");
    EXPECT_EQ(Glob.TabLayer[9].Color, 0x0000FFu);
    EXPECT_EQ(Glob.TabLayer[68].Name, "Orig");
    EXPECT_EQ(Glob.MaxUndo, 4);
    EXPECT_TRUE(F.Timer1.Enabled());
    EXPECT_EQ(F.Timer1.Interval(), 300000u);
    EXPECT_TRUE(F.Timer2.Enabled());
    EXPECT_FALSE(F.DebugMode);
    EXPECT_EQ(F.IconGroup, 0);
    EXPECT_TRUE(F.MenuItem("SnapOnMnu")->Checked);
    EXPECT_TRUE(F.MenuItem("GridOnMnu")->Checked);
    EXPECT_FALSE(F.MenuItem("OrthoOnMnu")->Checked);

    const auto T = Texts();
    ASSERT_FALSE(T.empty());
    EXPECT_EQ(T[0].rfind("-----[", 0), 0u);
    const char* Order[] = {"Sys:Kestrilon start", "Sys:Os version=", "Sys:Load Comset.cfg",
                           "Err:FAILED Load ComSet.cfg", "Sys:Init Params", "Sys:Init View",
                           "Sys:System init End"};
    size_t Last = 0;
    for (const char* P : Order) {
        const size_t I = IndexOf(T, P);
        ASSERT_NE(I, std::string::npos) << P;
        EXPECT_GT(I, Last) << P;
        Last = I;
    }
    // The one-shot timer runs once and switches itself off.
    F.Timer2.Fire();
    EXPECT_FALSE(F.Timer2.Enabled());
}

TEST_F(StartupTest, LaidOutProgramFolderStartsWithoutAnyMessage) {
    ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
    for (const char* N : {"ComSet.cfg", "Default.cfg", "FileHist", "Style"}) EXPECT_TRUE(FileExists(InDir(N))) << N;
    for (const char* N : {"FONT", "Img", "Logs"}) EXPECT_TRUE(DirectoryExists(InDir(N))) << N;
    TScriptResponder R;  // any dialog would fail the test
    TMainForm& F = Start();
    EXPECT_TRUE(R.Done());
    // Captions and shortcuts came from the command table's file.
    EXPECT_EQ(F.MenuItem("LineMnu")->Caption, "Úsečka");
    EXPECT_EQ(F.MenuItem("SaveMnu")->ShortCut, "Ctrl+S");
    EXPECT_TRUE(Glob.TabLayer[68].Show);
    EXPECT_FALSE(TCmdHarness::LogHas("Err:FAILED Load ComSet.cfg, file not found"));
}

// A fresh folder gets the tool-type file: started on it, the tool types allow the plunge
// methods each can cut with (without it every method is off), and a drill only goes down.
TEST_F(StartupTest, LaidOutToolTypesAllowPlungeMethods) {
    ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
    ASSERT_TRUE(FileExists(InDir("TTypeDef.ytf")));
    EXPECT_TRUE(Glob.MillToolType.empty());  // the writer leaves the start-up state
    TScriptResponder R;
    Start();
    ASSERT_EQ(Glob.MillToolType.size(), 9u);
    const TToolType& Cylinder = Glob.MillToolType[1];
    EXPECT_EQ(Cylinder.Name, "Fréza válcová");
    EXPECT_TRUE(Cylinder.PlunEnaContVert && Cylinder.PlunEnaContTang && Cylinder.PlunEnaContRamp &&
                Cylinder.PlunEnaContHeli && Cylinder.PlunEnaPockRoughHeli && Cylinder.PlunEnaSurfRamp);
    EXPECT_FALSE(Cylinder.PlunEnaPointRamp || Cylinder.PlunEnaPockRoughTang);
    const TToolType& Drill = Glob.MillToolType[7];
    EXPECT_TRUE(Drill.PlunEnaPointVert && Drill.PlunEnaContVert);
    EXPECT_FALSE(Drill.PlunEnaContRamp || Drill.PlunEnaPointHeli || Drill.PlunEnaContTang);
    EXPECT_TRUE(R.Done());
}

TEST_F(StartupTest, FirstArgumentDecidesDebugJobAndRecentFiles) {
    // Folder: where the job is saved back (the current folder unless a job was read).
    const std::string Cwd = std::filesystem::current_path().string();
    struct Case {
        std::string Arg;
        bool Debug, Opened;
        std::string Caption;
        std::string Folder;
        bool Reads = true;
    } Cases[] = {
        {"debug", true, false, "Kestrilon", Cwd},
        {"/tmp/Jobs/Plate.YDF", false, true, "Kestrilon - Plate", "/tmp/Jobs"},
        {"/tmp/debug-run.ydf", true, true, "Kestrilon - debug-run", "/tmp"},
        {"Jobs/Rel.ydf", false, true, "Kestrilon - Rel", Cwd + "/Jobs"},
        {"/tmp/Jobs/Broken.ydf", false, true, "Kestrilon", Cwd, false},
        {"notes.txt", false, false, "Kestrilon", Cwd},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Arg);
        ResetAllState();
        Glob.ProgramDir = Dir();
        WriteProgramFolderFiles(Dir());
        WriteFile("FileHist", "/tmp/a.ydf\r\n/tmp/b.ydf\r\n");
        std::string Loaded;
        LoadYdfFileHook = [&](const std::string& File, bool Tools, bool, bool CamOps, bool, bool, bool, Osy&, Osy&) {
            Loaded = File;
            EXPECT_TRUE(Tools && CamOps);
            return C.Reads;
        };
        TScriptResponder R;
        TMainForm& F = Start({C.Arg});
        EXPECT_EQ(F.DebugMode, C.Debug);
        EXPECT_EQ(F.PanelDebug->Visible, C.Debug);
        EXPECT_EQ(Loaded, C.Opened ? C.Arg : "");
        EXPECT_EQ(F.Caption, C.Caption);
        EXPECT_EQ(Glob.IniDirOpenSave, C.Folder);
        EXPECT_EQ(Glob.JmSouboru.empty(), C.Caption == "Kestrilon");
        // The recent files are read at every start.
        EXPECT_EQ(FileHist.size(), 2u);
        Form.reset();
        FreeMainVarsLists();
    }
}

TEST_F(StartupTest, AutosaveWritesTheJobThroughTheJobFileWriter) {
    WriteProgramFolderFiles(Dir());
    TScriptResponder R;
    TMainForm& F = Start();
    std::vector<std::string> Calls;
    SaveYdfFileHook = [&](const std::string& File, bool All, bool Pack) {
        Calls.push_back(File + (All ? " all" : "") + (Pack ? " packed" : ""));
        return true;
    };
    MainVars.FileSaved = false;
    F.Timer1.Fire();
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0], Dir() + "/AutoSave.ydf all packed");
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Autosave"));
    EXPECT_FALSE(MainVars.FileSaved);  // autosave does not count as saving
}

TEST_F(StartupTest, CloseQuestionAndTheLogFile) {
    struct Case {
        const char* Name;
        int Answer;        // end dialog's answer
        bool SaveWorks;    // SAVE AS writes the job
        bool Closes;
    } Cases[] = {
        {"back to the program", mrRetry, true, false},
        {"yes, save as cancelled", mrYes, false, false},
        {"yes, saved", mrYes, true, true},
        {"no", mrNo, false, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        ResetAllState();
        Glob.ProgramDir = Dir();
        WriteProgramFolderFiles(Dir());
        DeleteFileAt(LogFilePath());
        TScriptResponder R;
        TMainForm& F = Start();
        int SaveAsRuns = 0;
        ComSaveAsHook = [&](TMainForm&) {
            ++SaveAsRuns;
            if (C.SaveWorks) MainVars.FileSaved = true;
        };
        MainVars.FileSaved = false;
        R.ExpectModal("EndDialog", C.Answer);
        F.Close();
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(SaveAsRuns, C.Answer == mrYes ? 1 : 0);
        EXPECT_EQ(F.FormStarted, !C.Closes);
        EXPECT_EQ(F.Timer1.Enabled(), !C.Closes);
        EXPECT_EQ(TCmdHarness::LogHas("Kestrilon END"), C.Closes);
        if (C.Closes) {
            std::string Log = ReadFile(LogFilePath());
            while (!Log.empty() && (Log.back() == '\n' || Log.back() == '\r')) Log.pop_back();
            EXPECT_TRUE(Log.size() >= 13 && Log.substr(Log.size() - 13) == "Kestrilon END") << Log.substr(Log.size() > 40 ? Log.size() - 40 : 0);
        }
        Form.reset();
        FreeMainVarsLists();
    }
}

TEST_F(StartupTest, SavedJobClosesWithoutQuestion) {
    WriteProgramFolderFiles(Dir());
    TScriptResponder R;
    TMainForm& F = Start();
    F.Close();
    EXPECT_TRUE(R.Done());
    EXPECT_FALSE(F.FormStarted);
    EXPECT_TRUE(FileExists(LogFilePath()));
}

TEST_F(StartupTest, FormOrderKeepsTheDesignedSequence) {
    const auto& O = FormOrder();
    ASSERT_EQ(O.size(), 44u);
    EXPECT_STREQ(O.front().ClassName, "THPInputDialog");
    EXPECT_STREQ(O.back().ClassName, "TErrLogDialog");
    const auto Made = CreateAllForms();
    EXPECT_NE(std::find(Made.begin(), Made.end(), "TViewDialog"), Made.end());
    EXPECT_NE(std::find(Made.begin(), Made.end(), "TEndDialog"), Made.end());
}

}  // namespace
