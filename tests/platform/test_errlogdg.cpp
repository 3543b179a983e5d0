// The event-log viewer model.
#include <gtest/gtest.h>

#include "core/ErrLogDg.h"
#include "core/Glob.h"
#include "core/UniLog.h"
#include "platform/ScriptResponder.h"
#include "support/Fixture.h"

namespace {
class ErrLogTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        Dlg.FormStarted = [this] { return Started; };
        Dlg.FocusMainForm = [this] { ++Focused; };
        Glob.Okno = {900, 500};
        Glob.OknoStart = {40, 30};
    }
    std::vector<std::string>& Lines() { return Dlg.REditLog->Lines; }
    TScriptResponder R;
    TErrLogDialog Dlg;
    bool Started = true;
    int Focused = 0;
};

TEST_F(ErrLogTest, ShowsTheLast800Lines) {
    for (int i = 0; i < 900; ++i) WriteLog("Sys:line " + std::to_string(i));
    Dlg.Show();
    ASSERT_EQ(Lines().size(), 800u);
    EXPECT_NE(Lines().front().find("line 100"), std::string::npos);
    EXPECT_NE(Lines().back().find("line 899"), std::string::npos);
    EXPECT_TRUE(Dlg.Live);
    EXPECT_EQ(Dlg.REditLog->TopLine, -1);
    EXPECT_GT(Focused, 0);
    EXPECT_EQ(Dlg.Caption, "SysLog (Zobrazeno posledních 800 záznamů)");
    EXPECT_EQ(Dlg.Top, 60);
    EXPECT_EQ(Dlg.Left, 40);
    EXPECT_EQ(Dlg.Width, 900);
}

TEST_F(ErrLogTest, DebugPanelNarrowsTheWindow) {
    Dlg.DebugPanelWidth = [] { return 150; };
    Dlg.Show();
    EXPECT_EQ(Dlg.Left, 190);
    EXPECT_EQ(Dlg.Width, 750);
}

TEST_F(ErrLogTest, FiltersAndColours) {
    WriteLog("Sys:start");
    WriteLog("Err:broken");
    WriteLog("Usr:ZOOM");
    WriteLog("Ops:contour");
    WriteLog("CAM:path");
    WriteLog("Out:nc");
    WriteLog("ERR:loud");
    Dlg.Show();
    const uint32_t expected[] = {0x00FF00, 0x0000FF, 0x00BBFF, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x0000FF};
    ASSERT_EQ(Dlg.REditLog->LineColors.size(), 7u);
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(Dlg.REditLog->LineColors[i], expected[i]) << i;
    EXPECT_EQ(LogLineColor("[t] Err:x Usr:y"), 0x00BBFFu);  // the last match wins

    struct Case {
        TSpeedButton* Button;
        size_t Count;
    };
    for (const Case c : {Case{Dlg.SBtnErrLog, 1}, Case{Dlg.SBtnComLog, 1}, Case{Dlg.SBtnPLCLog, 7},
                         Case{Dlg.SBtnSysLog, 7}}) {
        c.Button->Click();
        EXPECT_TRUE(c.Button->Down);
        EXPECT_EQ(Lines().size(), c.Count) << c.Button->Caption;
    }
    Dlg.SBtnComLog->Click();
    EXPECT_NE(Lines()[0].find("Usr:ZOOM"), std::string::npos);
    EXPECT_EQ(Dlg.Filter, 2);
    // Closing logs, and the filter goes back to "Sys log".
    Dlg.Close();
    EXPECT_EQ(Dlg.Filter, 0);
    EXPECT_FALSE(Dlg.Live);
    EXPECT_EQ(LogLastText(), "Sys:Syslog Close");
}

TEST_F(ErrLogTest, IndentationPairsTimeAndIndentButtons) {
    WriteLog("Sys:ComMove Start");
    WriteLog("Sys:inside");
    WriteLog("Sys:ComMove End");
    WriteLog("Sys:ToolDg Open");
    WriteLog("Sys:End of nothing");  // "END" at the 1st character: no outdent
    WriteLog("Sys:ToolDg Close");
    WriteLog("Sys:after");
    Dlg.Show();
    ASSERT_EQ(Lines().size(), 7u);
    auto msg = [&](size_t i) { return Lines()[i].substr(Lines()[i].find(']') + 1); };
    EXPECT_EQ(msg(0), " Sys:ComMove Start");
    EXPECT_EQ(msg(1), " Sys: inside");
    EXPECT_EQ(msg(2), " Sys:ComMove End");
    EXPECT_EQ(msg(3), " Sys:ToolDg Open");
    EXPECT_EQ(msg(4), " Sys: End of nothing");
    EXPECT_EQ(msg(5), " Sys:ToolDg Close");
    EXPECT_EQ(msg(6), " Sys:after");
    EXPECT_EQ(Lines()[0][0], '[');

    Dlg.SBtnTime->Click();  // up: no time stamps
    EXPECT_FALSE(Dlg.SBtnTime->Down);
    EXPECT_EQ(Lines()[1], " Sys: inside");
    Dlg.SBtnIndent->Click();  // up: no indentation
    EXPECT_EQ(Lines()[1], " Sys:inside");
    EXPECT_EQ(Lines()[4], " Sys:End of nothing");
}

TEST_F(ErrLogTest, LiveAppendKeepsTheLength) {
    for (int i = 0; i < 5; ++i) WriteLog("Sys:old " + std::to_string(i));
    Dlg.Show();
    ASSERT_EQ(Lines().size(), 5u);
    WriteLog("Err:new one");
    ASSERT_EQ(Lines().size(), 5u);
    EXPECT_NE(Lines()[0].find("old 1"), std::string::npos);
    EXPECT_EQ(Lines().back(), "Err:new one");  // the text as passed, no time
    EXPECT_EQ(Dlg.REditLog->LineColors.back(), 0x0000FFu);
    // Hidden, or before the main window is open: nothing follows.
    Started = false;
    WriteLog("Sys:unseen");
    EXPECT_EQ(Lines().back(), "Err:new one");
}

TEST_F(ErrLogTest, HeightToggle) {
    Dlg.Show();
    Dlg.SBtnHeight->Click();
    EXPECT_EQ(Dlg.Height, 500);
    Dlg.SBtnHeight->Click();
    EXPECT_EQ(Dlg.Height, 255);
}
}  // namespace
