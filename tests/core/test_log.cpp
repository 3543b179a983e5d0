#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "core/Glob.h"
#include "core/UniLog.h"
#include "support/Fixture.h"

namespace {

class LogTest : public KestrilonTest {};

// The text of a stored line behind its "[hh:nn:ss.zzz] " stamp.
std::string Body(const std::string& Line) { return Line.size() > 15 ? Line.substr(15) : ""; }

std::vector<std::string> FileLines(const std::string& Content) {
    std::vector<std::string> Out;
    size_t p = 0;
    while (p < Content.size()) {
        size_t e = Content.find("\r\n", p);
        if (e == std::string::npos) {
            Out.push_back(Content.substr(p));
            break;
        }
        Out.push_back(Content.substr(p, e - p));
        p = e + 2;
    }
    return Out;
}

TEST_F(LogTest, LineCarriesTimeStampAndTextAsPassed) {
    WriteLog("Sys:ComMove Start");
    const std::string& L = LogRing()[0];
    EXPECT_TRUE(std::regex_match(L, std::regex(R"(\[\d\d:\d\d:\d\d\.\d\d\d\] Sys:ComMove Start)"))) << L;
    EXPECT_EQ(LogLastText(), "Sys:ComMove Start");
    EXPECT_EQ(LogWriteIndex(), 1);
    EXPECT_EQ(static_cast<int>(LogRing().size()), DefaultLogLength);
}

TEST_F(LogTest, RingWrapsAndFileListsOldestFirst) {
    SetLogLength(3);
    for (const char* t : {"A", "B", "C", "D"}) WriteLog(t);
    EXPECT_EQ(Body(LogRing()[0]), "D");
    EXPECT_EQ(LogWriteIndex(), 1);
    ASSERT_TRUE(SaveLogFile());
    auto Lines = FileLines(ReadFile(LogFilePath()));
    ASSERT_EQ(Lines.size(), 3u);
    EXPECT_EQ(Body(Lines[0]), "B");
    EXPECT_EQ(Body(Lines[1]), "C");
    EXPECT_EQ(Body(Lines[2]), "D");
}

TEST_F(LogTest, FileSkipsEmptySlotsBeforeTheRingFills) {
    SetLogLength(5);
    WriteLog("first");
    WriteLog("second");
    ASSERT_TRUE(SaveLogFile());
    const std::string Content = ReadFile(LogFilePath());
    auto Lines = FileLines(Content);
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Body(Lines[0]), "first");
    EXPECT_EQ(Body(Lines[1]), "second");
    EXPECT_EQ(Content.substr(Content.size() - 2), "\r\n");
}

TEST_F(LogTest, SaveCreatesTheLogsFolder) {
    ASSERT_FALSE(std::filesystem::exists(InDir("Logs")));
    WriteLog("Sys:x");
    ASSERT_TRUE(SaveLogFile());
    EXPECT_TRUE(std::filesystem::is_directory(InDir("Logs")));
    const std::string Path = LogFilePath();
    EXPECT_EQ(Path.rfind(Dir() + "/Logs/Kestrilon-", 0), 0u) << Path;
    EXPECT_EQ(Path.substr(Path.size() - 4), ".log");
    EXPECT_TRUE(std::filesystem::exists(Path));
}

TEST_F(LogTest, SaveWithoutProgramFolderWritesNothing) {
    Glob.ProgramDir.clear();
    WriteLog("Sys:x");
    EXPECT_FALSE(SaveLogFile());
}

TEST_F(LogTest, FirstEntryFlushesEveryLineUntilInitEnd) {
    WriteLog("FirstEntry");
    EXPECT_TRUE(LogFlushMode());
    EXPECT_TRUE(std::regex_match(LogRing()[0],
                                 std::regex(R"(\[\d\d:\d\d:\d\d\.\d\d\d\] -----\[\d\d\.\d\d\.\d{4}\]-----)")))
        << LogRing()[0];
    EXPECT_EQ(LogLastText(), "FirstEntry");

    WriteLog("Sys:loading");
    auto Lines = FileLines(ReadFile(LogFilePath()));
    ASSERT_EQ(Lines.size(), 2u);  // written through without SaveLogFile
    EXPECT_EQ(Body(Lines[1]), "Sys:loading");

    WriteLog("Sys:System init End");
    EXPECT_FALSE(LogFlushMode());
    WriteLog("Sys:after");
    EXPECT_EQ(FileLines(ReadFile(LogFilePath())).size(), 2u);
}

TEST_F(LogTest, DatedLineWrittenAsTextDoesNotFlush) {
    WriteLog("-----[" + ShortDateText() + "]-----");
    EXPECT_FALSE(LogFlushMode());
    EXPECT_FALSE(std::filesystem::exists(LogFilePath()));
}

TEST_F(LogTest, NewestLinesAreTheLastOnesOldestFirst) {
    for (int i = 0; i < 900; ++i) WriteLog("L" + std::to_string(i));
    auto Shown = LogNewestLines(800);
    ASSERT_EQ(Shown.size(), 800u);
    EXPECT_EQ(Body(Shown.front()), "L100");
    EXPECT_EQ(Body(Shown.back()), "L899");
    EXPECT_EQ(LogNewestLines(2000).size(), 900u);
    EXPECT_TRUE(LogNewestLines(0).empty());
}

TEST_F(LogTest, RingNeverGrowsAndNewestSurvive) {
    SetLogLength(100);
    for (int i = 0; i < 1050; ++i) WriteLog("L" + std::to_string(i));
    EXPECT_EQ(LogRing().size(), 100u);
    auto All = LogNewestLines(1000);
    ASSERT_EQ(All.size(), 100u);
    EXPECT_EQ(Body(All.front()), "L950");
    EXPECT_EQ(Body(All.back()), "L1049");
}

TEST_F(LogTest, ResizingKeepsLinesAndEmptiesNewSlots) {
    SetLogLength(2);
    WriteLog("A");
    WriteLog("B");  // write index wraps to 0
    SetLogLength(4);
    EXPECT_EQ(Body(LogRing()[0]), "A");
    EXPECT_TRUE(LogRing()[2].empty());
    EXPECT_TRUE(LogRing()[3].empty());
    SetLogLength(3);
    WriteLog("C");
    SetLogLength(0);  // clamped to one slot
    EXPECT_EQ(LogRing().size(), 1u);
    WriteLog("D");
    EXPECT_EQ(Body(LogRing()[0]), "D");
}

std::vector<std::pair<std::string, std::string>> Heard;
void Listen(const std::string& Line, const std::string& Text) { Heard.emplace_back(Line, Text); }

TEST_F(LogTest, ListenerHearsEveryLine) {
    Heard.clear();
    SetLogListener(&Listen);
    WriteLog("Usr:LINE");
    SetLogListener(nullptr);
    WriteLog("Usr:unheard");
    ASSERT_EQ(Heard.size(), 1u);
    EXPECT_EQ(Heard[0].first, LogRing()[0]);
    EXPECT_EQ(Heard[0].second, "Usr:LINE");
}

}  // namespace
