// EXPORT and EXPORTSEL to the controls without a post-processor file, typed on the
// command line: each extension writes its program, ".exp" then hands the written
// bytes to the printer port device (here a path the test controls) without any
// command interpreter, and a missing or refusing device is reported.
#include <gtest/gtest.h>

#include "NcJob.h"

#include <sys/stat.h>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "platform/PrinterPort.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "support/CmdTest.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

namespace {

class NcDialectCommandsTest : public NcCmdTest {
protected:
    void SetUp() override {
        NcCmdTest::SetUp();
        PrinterPortDevice = InDir("lp0");
        AddLine(Osy{2, 3}, Osy{12, 3}, false);
        AddLine(Osy{2, 8}, Osy{12, 8}, false);
    }
    // EXPORT to File, answering the save dialog and the messages Messages.
    void Export(const std::string& File, const std::vector<std::string>& Messages = {}) {
        TScriptResponder R;
        R.ExpectSave(InDir(File));
        for (const std::string& m : Messages) R.ExpectMessage(mrOk, m);
        H->Enter("EXPORT");
        EXPECT_TRUE(R.Done()) << File;
    }
};

TEST_F(NcDialectCommandsTest, EachExtensionWritesItsControlsProgram) {
    const std::pair<const char*, const char*> Cases[] = {
        {"job.ncp", "MOVEABS X12000 Y3000"},
        {"job.mcr", "Axyz 0, 12, 3, -0.2, 0, 0;"},
        {"job.hp", "PA480,120;"},
        {"JOB.HP", "PA480,320;"},
    };
    for (const auto& [File, Line] : Cases) {
        Export(File);
        EXPECT_NE(ReadFile(InDir(File)).find(std::string(Line) + "\r\n"), std::string::npos) << File;
    }
    // Only ".exp" goes to the port.
    EXPECT_FALSE(TextFileExists(PrinterPortDevice));
}

TEST_F(NcDialectCommandsTest, ExpSendsTheWrittenFileToThePrinterPort) {
    // The device stands ready (the port driver makes it, not the program).
    WriteFile("lp0", "");
    // A name a command interpreter would split and run.
    const std::string file = "a b;touch x&.exp";
    Export(file);
    const std::string written = ReadFile(InDir(file));
    ASSERT_NE(written.find("!JF;"), std::string::npos);
    EXPECT_EQ(ReadFile(PrinterPortDevice), written);
    EXPECT_FALSE(TextFileExists(InDir("x")));
    EXPECT_FALSE(TextFileExists(InDir("touch")));
}

TEST_F(NcDialectCommandsTest, ExpReportsAMissingOrRefusingPort) {
    const struct {
        std::string Device;
        const char* Why;
        const char* File;
    } Cases[] = {
        {InDir("no-port/lp0"), "port neexistuje", "a.exp"},
        {Dir(), "do portu nelze zapisovat", "b.exp"},  // a folder takes no bytes
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Why);
        PrinterPortDevice = C.Device;
        Export(C.File, {C.Why});
        EXPECT_TRUE(TextFileExists(InDir(C.File)));
        EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED send EXP to printer port (" + C.Device + ")"));
    }
    // A program that was not written is not sent.
    WriteFile("lp0", "");
    PrinterPortDevice = InDir("lp0");
    for (auto& P : Glob.Tool[1].Pruchod) P.Hloubka = -1;
    Export("none.exp");
    EXPECT_FALSE(TextFileExists(InDir("none.exp")));
    EXPECT_EQ(ReadFile(PrinterPortDevice), "");
}

// EXPORTSEL writes the selection to the Isel and GravoGraph programs; the Datron
// program is EXPORT's only.
TEST_F(NcDialectCommandsTest, ExportSelWritesTheSelection) {
    for (const char* File : {"sel.ncp", "sel.hp", "sel.mcr"}) {
        SCOPED_TRACE(File);
        TScriptResponder R;
        H->Enter("EXPORTSEL");
        H->Drag(1, 2, 13, 4);
        R.ExpectSave(InDir(File));
        const bool refused = std::string(File) == "sel.mcr";
        if (refused) R.ExpectMessage(mrOk, Msg[7]);
        H->Enter("");
        EXPECT_TRUE(R.Done());
        const std::string text = ReadFile(InDir(File));
        if (refused) {
            EXPECT_EQ(text, "");
            EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong extension (.mcr)"));
            continue;
        }
        EXPECT_NE(text.find(File == std::string("sel.ncp") ? "X12000 Y3000" : "PA480,120;"), std::string::npos);
        EXPECT_EQ(text.find(File == std::string("sel.ncp") ? "Y8000" : ",320;"), std::string::npos);
    }
}

}  // namespace
