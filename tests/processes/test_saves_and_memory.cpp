// What must hold when the program is not alone or runs short: two programs saving into
// one folder, a DXF that would fill the memory (read under a memory limit), requests
// for memory refused, a file-size limit, and a save killed half-way.
// Tests named DISABLED_... run only as the child process of the test before them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/SafeWrite.h"
#include "core/TextFile.h"
#include "formats/UniDXF.h"
#include "formats/UniYDF.h"
#include "platform/ScriptResponder.h"
#include "processes/FailingAlloc.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

using ProcessTest = KestrilonTest;

#ifdef __SANITIZE_ADDRESS__
constexpr bool UnderAsan = true;
#else
constexpr bool UnderAsan = false;
#endif

// Runs the test DISABLED_<Name> of this program in a child process that works in Folder;
// Limit runs in the child before the program starts again; AsanOptions are added to the
// sanitizer's options. The child's wait status.
int RunChild(const std::string& Name, const std::string& Folder, const std::function<void()>& Limit,
             const std::string& AsanOptions = "") {
    const pid_t pid = fork();
    if (pid == 0) {
        if (Limit) Limit();
        const char* asan = std::getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", ((asan ? std::string(asan) + ":" : std::string()) + AsanOptions).c_str(), 1);
        setenv("KESTRILON_CHILD_FOLDER", Folder.c_str(), 1);
        const std::string filter = "--gtest_filter=*.DISABLED_" + Name;
        execl("/proc/self/exe", "test_processes", filter.c_str(), "--gtest_also_run_disabled_tests",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

bool ExitedOk(int Status) { return WIFEXITED(Status) && WEXITSTATUS(Status) == 0; }

// The folder a child works in.
std::string ChildFolder() {
    const char* f = std::getenv("KESTRILON_CHILD_FOLDER");
    return f ? f : "";
}

// Temporary files of safe writes in Folder.
int TempFilesIn(const std::string& Folder) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(Folder)) n += IsTempFileName(e.path().filename());
    return n;
}

void SetLimit(int Resource, rlim_t Bytes) {
    const rlimit r{Bytes, Bytes};
    setrlimit(Resource, &r);
}

// A line typed into the drawing.
void DrawLine(TCmdHarness& H, const std::string& From, const std::string& To) {
    H.Enter("LINE");
    H.Enter(From);
    H.Enter(To);
    H.Enter();
}

// ---- two programs in one folder ----

// Each program draws its own line and saves its own job, and both save one shared job,
// over and over at the same time: every job file is whole and holds its own drawing,
// and no temporary file is left.
TEST_F(ProcessTest, TwoProgramsSaveIntoOneFolder) {
    struct TProgram {
        std::string Job, Start;
        FILE* Pipe = nullptr;
    } programs[] = {{"jobA", "Start x=1.0 y=1.0"}, {"jobB", "Start x=7.0 y=7.0"}};
    for (TProgram& p : programs) {
        const std::string at = p.Job == "jobA" ? "1 1" : "7 7";
        std::string script = "LINE\n" + at + "\n20 20\n\n#file " + InDir(p.Job + ".ydf") + "\nSAVEAS\n";
        for (int i = 0; i < 8; ++i) script += "SAVE\n";
        script += "#answer YES\n#file " + InDir("shared.ydf") + "\nSAVEAS\n";
        for (int i = 0; i < 8; ++i) script += "SAVE\n";
        const std::string cmd = std::string(CMDSCRIPT_PATH) + " " + Dir() + " >/dev/null 2>&1";
        p.Pipe = popen(cmd.c_str(), "w");
        ASSERT_NE(p.Pipe, nullptr);
        std::fputs(script.c_str(), p.Pipe);
    }
    for (TProgram& p : programs) EXPECT_EQ(pclose(p.Pipe), 0);
    auto whole = [](const std::string& Bytes) { return YdfStructureProblem(SplitTextLines(Bytes)).empty(); };
    for (const TProgram& p : programs) {
        const std::string own = ReadFile(InDir(p.Job + ".ydf"));
        EXPECT_TRUE(whole(own)) << p.Job;
        EXPECT_EQ(own.rfind("Ver=", 0), 0u) << p.Job;
        for (const char* section : {"\r\nSETUP\r\n", "\r\nTOOLS\r\n", "\r\nOBJECTS\r\n"})
            EXPECT_NE(own.find(section), std::string::npos) << p.Job << section;
        EXPECT_NE(own.find(p.Start), std::string::npos) << p.Job;
        const TProgram& other = &p == &programs[0] ? programs[1] : programs[0];
        EXPECT_EQ(own.find(other.Start), std::string::npos) << p.Job;
    }
    const std::string shared = ReadFile(InDir("shared.ydf"));
    EXPECT_TRUE(whole(shared));
    EXPECT_NE(shared.find(programs[0].Start) == std::string::npos, shared.find(programs[1].Start) == std::string::npos);
    EXPECT_EQ(TempFilesIn(Dir()), 0);
}

// ---- memory ----

// One polyline of Vertices vertices in a block inserted Inserts times.
std::string DxfBomb(int Vertices, int Inserts) {
    std::string d = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nLWPOLYLINE\n8\n1\n90\n" +
                    std::to_string(Vertices) + "\n";
    for (int i = 0; i < Vertices; ++i) d += "10\n" + std::to_string(i % 1000) + "\n20\n" + std::to_string(i / 1000) + "\n";
    d += "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < Inserts; ++i) d += "0\nINSERT\n2\nB\n10\n" + std::to_string(i) + "\n20\n0\n";
    return d + "0\nENDSEC\n0\nEOF\n";
}

// A small DXF whose block references would make a billion vertices is refused with a
// message under a memory limit far below what it would take; the drawing stays.
TEST_F(ProcessTest, DxfBombIsRefusedUnderAMemoryLimit) {
    const int status = RunChild("DxfBomb", Dir(), [] { if (!UnderAsan) SetLimit(RLIMIT_AS, rlim_t(3) << 30); },
                                "hard_rss_limit_mb=1500");
    EXPECT_TRUE(ExitedOk(status)) << status;
}

TEST_F(ProcessTest, DISABLED_DxfBomb) {
    TCmdHarness H(ChildFolder());
    DrawLine(H, "0 0", "5 5");
    const std::vector<std::string> before = H.DumpLines();
    const std::string file = ChildFolder() + "/bomb.dxf";
    std::ofstream(file, std::ios::binary) << DxfBomb(50000, 20000);
    TScriptResponder R;
    R.ExpectMessage(mrOk, "Výkres DXF je příliš velký");
    Osy mn, mx;
    EXPECT_FALSE(LoadDxf(file, mn, mx));
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(H.DumpLines(), before);
}

// Requests for memory refused while a DXF is read, or while a job is saved: the reader
// reports it and imports nothing; the save tells which file was not written and the
// job stays unsaved; the drawing is kept either way.
TEST_F(ProcessTest, RefusedMemoryIsReportedAndTheJobKept) {
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    DrawLine(H, "0 0", "5 5");
    const std::vector<std::string> before = H.DumpLines();
    const std::string dxf = InDir("big.dxf");
    std::ofstream(dxf, std::ios::binary) << DxfBomb(100000, 1);
    {
        TScriptResponder R;
        R.ExpectMessage(mrOk, "není dost paměti");
        TFailLarge fail(1 << 20);
        Osy mn, mx;
        EXPECT_FALSE(LoadDxf(dxf, mn, mx));
        EXPECT_TRUE(R.Done());
    }
    EXPECT_EQ(H.DumpLines(), before);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED Load DXF, out of memory, nothing imported"));
    // The job's tool sections alone need more than such a request.
    MainVars.FileSaved = false;
    const std::string job = InDir("job.ydf");
    {
        TScriptResponder R;
        R.ExpectSave(job);
        R.ExpectMessage(mrOk, Msg[25] + ":\r\n" + job);
        TFailLarge fail(16 << 10);
        H.Enter("SAVEAS");
        EXPECT_TRUE(R.Done());
    }
    EXPECT_FALSE(MainVars.FileSaved);
    EXPECT_FALSE(std::filesystem::exists(job));
    EXPECT_EQ(TempFilesIn(Dir()), 0);
    EXPECT_EQ(H.DumpLines(), before);
    // With the memory back, the same save succeeds.
    TScriptResponder R;
    R.ExpectSave(job);
    H.Enter("SAVEAS");
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(MainVars.FileSaved);
}

// ---- file-size limit and a killed save ----

// Past a file-size limit the save fails like any failed write (the user is told, the
// job stays unsaved) instead of the program being ended by the system.
TEST_F(ProcessTest, FileSizeLimitFailsTheSave) {
    const int status = RunChild("FileSizeLimit", Dir(), [] { SetLimit(RLIMIT_FSIZE, 8 << 10); });
    EXPECT_TRUE(ExitedOk(status)) << status;
}

TEST_F(ProcessTest, DISABLED_FileSizeLimit) {
    TCmdHarness H(ChildFolder(), TCmdHarness::TStartUp::Program);
    DrawLine(H, "0 0", "5 5");
    const std::string job = ChildFolder() + "/job.ydf";
    TScriptResponder R;
    R.ExpectSave(job);
    R.ExpectMessage(mrOk, Msg[25] + ":\r\n" + job);
    H.Enter("SAVEAS");
    EXPECT_TRUE(R.Done());
    EXPECT_FALSE(MainVars.FileSaved);
    EXPECT_FALSE(std::filesystem::exists(job));
    EXPECT_EQ(TempFilesIn(ChildFolder()), 0);
}

// A save ended by the system half-way leaves the old job file whole; the temporary file
// it left is removed when the program next starts.
TEST_F(ProcessTest, KilledSaveLeavesTheOldFileAndNoTemporaryFile) {
    const std::string job = InDir("job.ydf");
    ASSERT_TRUE(SaveYdfFile(job, true, true));
    const std::string old = ReadFile(job);
    const int status = RunChild("KilledSave", Dir(), [] { SetLimit(RLIMIT_FSIZE, 8 << 10); });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(ReadFile(job), old);
    ASSERT_EQ(TempFilesIn(Dir()), 1);
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    EXPECT_EQ(TempFilesIn(Dir()), 0);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Removed 1 temporary files of interrupted saves (" + Dir() + ")"));
    EXPECT_EQ(ReadFile(job), old);
}

// Writes a job larger than the limit without the program's start-up, so nothing has
// told the system to spare the process.
TEST_F(ProcessTest, DISABLED_KilledSave) {
    TCmdHarness H(ChildFolder());
    for (int i = 0; i < 100; ++i) DrawLine(H, std::to_string(i) + " 0", std::to_string(i) + " 9");
    signal(SIGXFSZ, SIG_DFL);
    SaveYdfFile(ChildFolder() + "/job.ydf", true, true);
    ADD_FAILURE() << "the save outlived the file-size limit";
}

}  // namespace
