// The update check against an HTTP server on the loopback address, through the Qt
// client the program uses: the version file, the user's answers, the installer handed
// to the desktop only when it arrived whole.
#include <gtest/gtest.h>

#include <chrono>

#include "core/Glob.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/Programs.h"
#include "platform/qt/QtHttp.h"
#include "platform/qt/QtProbe.h"
#include "shell/Main.h"
#include "shell/UpdateCheck.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"
#include "support/LoopServer.h"

namespace {

using TMode = TLoopServer::TMode;

// Dialogs answered from a queue; the wait loops turn Qt's event loop.
struct TNetResponder : TCmdResponder {
    int Turns = 0;
    std::function<void(int)> OnTurn;
    void ProcessMessages() override {
        ++Turns;
        QtProbe::ProcessEvents();
        if (OnTurn) OnTurn(Turns);
    }
};

class UpdateCheckTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        OwnApp = QtProbe::EnsureApp();
        InstallQtHttp();
        SavedOpen = OpenDocument;
        OpenDocument = [this](const std::string& Path) {
            Opened.push_back(Path);
            return true;
        };
    }
    void TearDown() override {
        OpenDocument = SavedOpen;
        HttpTimeoutMs = 30000;
        if (OwnApp) QtProbe::EndApp();
        KestrilonTest::TearDown();
    }
    // Runs the check on a started program with the server's address and the answers queued.
    void Check(std::initializer_list<int> Answers) {
        TCmdHarness H(Dir());
        Glob.CheckUpdates = true;
        Glob.UpdateServer = Server.Address();
        SetResponder(&R);
        R.Answers.clear();
        for (int A : Answers) R.Answers.push_back(A);
        CheckForUpdates();
        SetResponder(nullptr);
        Log = TCmdHarness::LogTexts();
    }
    bool Logged(const std::string& Text) const { return std::find(Log.begin(), Log.end(), Text) != Log.end(); }

    TLoopServer Server;
    TNetResponder R;
    std::vector<std::string> Opened, Log;
    std::function<bool(const std::string&)> SavedOpen;
    bool OwnApp = false;
};

const std::string Installer(200000, 'x');

TEST_F(UpdateCheckTest, ANewerVersionIsFetchedWholeAndHandedToTheDesktopOnlyWithConsent) {
    Server.Route(VersionFilePath, {200, "2,6 beta\r\nignored\r\n"});
    Server.Route(InstallerPath, {200, Installer});
    Check({mrNo});
    EXPECT_TRUE(Opened.empty());
    EXPECT_EQ(double(Glob.WebVerze), 2.6);
    EXPECT_TRUE(Logged("Usr:No"));
    EXPECT_FALSE(FileExists(InDir("SetupKestrilon.exe")));

    Check({mrYes});
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0], InDir("SetupKestrilon.exe"));
    EXPECT_EQ(ReadFile(InDir("SetupKestrilon.exe")), Installer);
    EXPECT_TRUE(Logged("Sys:Check updates End"));
    EXPECT_GT(R.Turns, 0);  // the window stayed live while it waited
}

TEST_F(UpdateCheckTest, NothingIsOfferedForTheSameVersionOrAMalformedFile) {
    for (const char* Body : {"2.56\r\n", "2,5\r\n", "verze nova\r\n"}) {
        Server.Route(VersionFilePath, {200, Body});
        R.Shown.clear();
        Check({});
        EXPECT_TRUE(R.Shown.empty()) << Body;
        EXPECT_TRUE(Opened.empty()) << Body;
        EXPECT_TRUE(Logged("Sys:Check updates End")) << Body;
    }
}

TEST_F(UpdateCheckTest, ABrokenTransferOrAnErrorStatusHandsNothingOnAndRemovesThePartialFile) {
    struct TCase {
        TLoopServer::TRoute Version, Setup;
        std::initializer_list<int> Answers;  // the newer version wanted, the check kept on
        const char* Err;
    } Cases[] = {
        {{200, "3.0"}, {200, Installer, TMode::Broken}, {mrYes, mrNo}, "Err:Check update FAILED, cannot download new version"},
        {{200, "3.0"}, {500, Installer}, {mrYes, mrNo}, "Err:Check update FAILED, cannot download new version"},
        {{404, "no such file"}, {200, Installer}, {mrNo}, "Err:FAILED Check updates, set checking off?"},
    };
    for (const TCase& C : Cases) {
        Server.Route(VersionFilePath, C.Version);
        Server.Route(InstallerPath, C.Setup);
        Check(C.Answers);
        EXPECT_TRUE(Opened.empty()) << C.Err;
        EXPECT_FALSE(FileExists(InDir("SetupKestrilon.exe"))) << C.Err;
        EXPECT_TRUE(Logged(C.Err)) << C.Err;
        EXPECT_TRUE(Glob.CheckUpdates);  // answered No to switching it off
    }
}

TEST_F(UpdateCheckTest, AServerThatDoesNotAnswerIsGivenUpAndTheCheckCanBeSwitchedOff) {
    Server.Route(VersionFilePath, {200, "3.0", TMode::Silent});
    HttpTimeoutMs = 600;
    const auto T0 = std::chrono::steady_clock::now();
    Check({mrYes});
    EXPECT_LT(std::chrono::steady_clock::now() - T0, std::chrono::seconds(10));
    EXPECT_TRUE(Logged("Err:Check update FAILED, no connection"));
    EXPECT_FALSE(Glob.CheckUpdates);
    EXPECT_NE(ReadFile(InDir("Default.cfg")).find("CheckUpdates=FALSE"), std::string::npos);
}

TEST_F(UpdateCheckTest, ClosingTheMainWindowDuringATransferRemovesThePartialFile) {
    Server.Route(VersionFilePath, {200, "3.0"});
    Server.Route(InstallerPath, {200, Installer, TMode::SilentBody});
    bool Seen = false;
    R.OnTurn = [&](int) {
        if (!Seen && FileExists(InDir("SetupKestrilon.exe"))) {
            Seen = true;
            MainForm->Close();
        }
    };
    Check({mrYes});
    R.OnTurn = nullptr;
    EXPECT_TRUE(Seen);
    EXPECT_TRUE(Opened.empty());
    EXPECT_FALSE(FileExists(InDir("SetupKestrilon.exe")));
    EXPECT_TRUE(Logged("Err:Download incomplete, file removed (program closing)"));
}

TEST_F(UpdateCheckTest, WithoutAServerAddressOrWithTheCheckOffNothingHappens) {
    TCmdHarness H(Dir());
    Glob.CheckUpdates = true;
    Glob.UpdateServer.clear();
    CheckForUpdates();
    EXPECT_FALSE(TCmdHarness::LogHas("Sys:Check updates Start"));
    Glob.UpdateServer = Server.Address();
    Glob.CheckUpdates = false;
    CheckForUpdates();
    EXPECT_FALSE(TCmdHarness::LogHas("Sys:Check updates Start"));
    EXPECT_TRUE(Server.Requests().empty());
}

}  // namespace
