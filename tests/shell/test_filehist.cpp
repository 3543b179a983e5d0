// The recent-files list.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/Controls.h"
#include "shell/FileHist.h"
#include "support/Fixture.h"

namespace {

bool LogHas(const std::string& text) {
    for (const std::string& l : LogRing())
        if (l.find(text) != std::string::npos) return true;
    return false;
}

using Lines = std::vector<std::string>;

class FileHistTest : public KestrilonTest {};

TEST_F(FileHistTest, FullListDropsItsOldestEntry) {
    Glob.MaxFileHist = 3;
    for (const char* p : {"A", "B", "C", "D"}) AddToFileHist(p);
    EXPECT_EQ(FileHist, (Lines{"B", "C", "D"}));
    EXPECT_EQ(FileHistLines(true, "( CHYBA ) "), (Lines{"( CHYBA ) D", "( CHYBA ) C", "( CHYBA ) B"}));
    // A lowered maximum shortens the list by one entry per addition only.
    Glob.MaxFileHist = 2;
    AddToFileHist("E");
    EXPECT_EQ(FileHist, (Lines{"C", "D", "E"}));
}

TEST_F(FileHistTest, FileKeepsItsLastLinesInOrder) {
    std::string text;
    for (int i = 1; i <= 12; ++i) text += "/jobs/f" + std::to_string(i) + ".ydf\r\n";
    WriteFile("FileHist", text);
    ASSERT_TRUE(FileToFileHist(FileHistPath()));
    ASSERT_EQ(FileHist.size(), 10u);
    EXPECT_EQ(FileHist.front(), "/jobs/f3.ydf");
    EXPECT_EQ(FileHist.back(), "/jobs/f12.ydf");
    EXPECT_TRUE(LogHas("Sys:Load file history Start"));
}

TEST_F(FileHistTest, EmptyLinesAndDuplicatesStay) {
    WriteFile("FileHist", "/a.ydf\n\n/a.ydf\n");  // LF line ends
    ASSERT_TRUE(FileToFileHist(FileHistPath()));
    EXPECT_EQ(FileHist, (Lines{"/a.ydf", "", "/a.ydf"}));
}

TEST_F(FileHistTest, MissingFileLeavesTheListEmpty) {
    EXPECT_FALSE(FileToFileHist(FileHistPath()));
    EXPECT_TRUE(LogHas("Err:Load file history FAILED, file not found"));
    EXPECT_TRUE(FileHist.empty());
}

TEST_F(FileHistTest, SavedFileReadsBack) {
    const std::string job = WriteFile("Zakázky/díl.ydf", "x");
    AddToFileHist("/gone/old.ydf");
    AddToFileHist(job);
    ASSERT_TRUE(FileHistToFile(FileHistPath()));
    EXPECT_TRUE(LogHas("Sys:Save file history End"));
    EXPECT_EQ(ReadFile(FileHistPath()), "/gone/old.ydf\r\n" + Utf8ToCp1250(job) + "\r\n");
    FileHist.clear();
    ASSERT_TRUE(FileToFileHist(FileHistPath()));
    EXPECT_EQ(FileHist, (Lines{"/gone/old.ydf", job}));

    TListBox box(nullptr, nullptr, "LBoxFileHist");
    FileHistToEdit(box, false, "( CHYBA ) ");
    EXPECT_EQ(box.Items, (Lines{"díl.ydf", "( CHYBA ) old.ydf"}));
    FileHistToEdit(box, true, "( CHYBA ) ");
    EXPECT_EQ(box.Items, (Lines{job, "( CHYBA ) /gone/old.ydf"}));
}

} // namespace
