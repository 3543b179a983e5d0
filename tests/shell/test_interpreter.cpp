// The command-line interpreter: starting commands by keyword and alias, feeding inputs,
// the repeat rule, Escape, Backspace, the history ring, faults of routines and inputs.
#include <sstream>
#include <stdexcept>

#include "commands/UniCom.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "platform/RecordingCanvas.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class InterpreterTest : public CmdTest {};

TEST_F(InterpreterTest, KeywordOrAliasInAnyCaseStartsTheCommand) {
    for (const char* Word : {"line", "LINE", "Line", "l", "L"}) {
        Start();
        H->Enter(Word);
        EXPECT_EQ(MainVars.Command[0], "LINE") << Word;
        EXPECT_EQ(MainVars.ComCnt, 0) << Word;
        EXPECT_EQ(H->Prompt(), "Odkud>") << Word;
        EXPECT_EQ(NewLog(), (Lines{"Usr:LINE", "Sys:ComLine Start"})) << Word;
        H.reset();
    }
}

TEST_F(InterpreterTest, LineChainGivesSeparateSegmentsLogAndHistory) {
    Start();
    Run({"line", "0 0", "10 0", "10 10", ""});
    EXPECT_EQ(NewLog(), (Lines{"Usr:LINE", "Sys:ComLine Start", "Sys:LineTo La:68 X:10 Y:0", "Sys:ComLine End",
                               "Sys:LineTo La:68 X:10 Y:10", "Sys:ComLine End", "Err:Wrong pickpoint ()",
                               "Sys:ComLine End"}));
    EXPECT_EQ(H->DumpLines(), (Lines{"PLINE layer=68 flags=1 pflags=0 0.0 0.0 | 0.0 10.0 0.0",
                                     "PLINE layer=68 flags=1 pflags=0 10.0 0.0 | 0.0 10.0 10.0"}));
    EXPECT_EQ(H->Form().HistoryList(), (Lines{"?>L", "Odkud>0 0", "Kam>10 0", "Kam>10 10", "Kam>"}));
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_EQ(H->Prompt(), "?>");
    EXPECT_TRUE(MainVars.Command[0].empty());
}

// The program starts with the arrow; a finished command hides the system pointer
// where the program draws its own full cross-hair, and keeps the arrow otherwise.
TEST_F(InterpreterTest, FinishedCommandHidesThePointerOnlyForTheFullCrossHair) {
    const TCursor Idle[] = {TCursor::crDefault, TCursor::crNone, TCursor::crDefault};
    for (uint8_t Type = 0; Type <= 2; ++Type) {
        Start();
        Glob.CursorType = Type;
        EXPECT_EQ(H->Form().Cursor, TCursor::crDefault) << int(Type);
        Run({"line", "0 0", "10 0"});
        EXPECT_EQ(H->Form().Cursor, TCursor::crDefault) << int(Type);
        Run({""});
        EXPECT_EQ(MainVars.ComCnt, -1);
        EXPECT_EQ(H->Form().Cursor, Idle[Type]) << int(Type);
        H.reset();
    }
}

TEST_F(InterpreterTest, UnknownWordResetsTheLineAndStoresNothing) {
    Start();
    H->Type("FOO");
    H->Enter();
    EXPECT_EQ(H->Prompt(), "?>");
    EXPECT_EQ(MainVars.IndexList, 1);
    EXPECT_TRUE(H->Form().HistoryList().empty());
    EXPECT_TRUE(NewLog().empty());
    EXPECT_EQ(MainVars.ComCnt, -1);
}

TEST_F(InterpreterTest, UnknownWordIsNamedOnTheEchoLine) {
    Start();
    H->Enter("fooo");
    EXPECT_EQ(H->Echo(), "?>fooo - neznámý příkaz");
    EXPECT_EQ(H->Prompt(), "?>");
}

// Control characters (Ctrl+Z with nothing to undo, Tab, Delete, C1 codes) never enter
// the line; the keyword typed around them still runs.
TEST_F(InterpreterTest, ControlCharactersNeverEnterTheLine) {
    Start();
    for (const char32_t C : {char32_t(0x1A), char32_t('\t'), char32_t(0x7F), char32_t(0x85), char32_t(1)}) {
        char32_t K = C;
        H->Form().FormKeyPress(K);
    }
    EXPECT_EQ(H->Prompt(), "?>");
    H->Type("li");
    char32_t Z = 0x1A;
    H->Form().FormKeyPress(Z);
    H->Enter("ne");
    EXPECT_EQ(MainVars.Command[0], "LINE");
}

TEST_F(InterpreterTest, EmptyEnterRepeatsOnlyCommandsWithAnAliasAndNeverPrint) {
    struct Case {
        Lines Script;
        std::string Repeated;  // keyword started by the empty Enter, "" none
    } Cases[] = {
        {{"CIRCLE", "0 0", "5"}, "CIRCLE"},        // alias "C"
        {{"POINT", "1 1"}, "POINT"},               // alias "B"
        {{"RECTANGLE", "0 0", "1 1"}, ""},         // no alias
        {{"PRINT"}, ""},                            // PRINT never
        {{"CIRCLE", "0 0", "5", "PRINT"}, ""},      // the last repeatable command was PRINT
        {{}, ""},                                   // nothing ran yet
    };
    for (const Case& C : Cases) {
        Start();
        Run(C.Script);
        ASSERT_EQ(MainVars.ComCnt, -1);
        Mark();
        H->Enter("");
        EXPECT_EQ(MainVars.Command[0], C.Repeated) << C.Script.size();
        if (C.Repeated.empty()) {
            EXPECT_TRUE(NewLog().empty());
        } else {
            EXPECT_EQ(NewLog().at(0), "Usr:" + C.Repeated);
        }
        H.reset();
    }
}

TEST_F(InterpreterTest, AliasHeldInSmallLettersStillMatchesAndRepeats) {
    Start();
    for (TPrikaz& P : Prikaz)
        if (P.Orig == "CIRCLE") P.User = "kr";
    Run({"KR", "0 0", "1"});
    EXPECT_EQ(H->DumpLines().size(), 1u);
    H->Enter("");
    EXPECT_EQ(MainVars.Command[0], "CIRCLE");
}

TEST_F(InterpreterTest, InputsWhileRunningGoToTheCommand) {
    Start();
    // An empty input and a keyword are inputs of the running command.
    Run({"CIRCLE", "0 0", ""});
    EXPECT_EQ(NewLog().back(), "Sys:ComCircle End");
    EXPECT_TRUE(H->DumpLines().empty());
    Mark();
    Run({"LINE", "CIRCLE"});
    EXPECT_EQ(NewLog(), (Lines{"Usr:LINE", "Sys:ComLine Start", "Err:Wrong pickpoint (CIRCLE)", "Sys:ComLine End"}));
}

TEST_F(InterpreterTest, EscapeCancelsClearsSelectionAndStoresTheLine) {
    Start();
    Run({"POINT", "1 1", "LINE", "0 0"});
    MainVars.DataStart->Flags |= FlagSelected;
    MainVars.Mouse.OsnapAuto.Search = true;
    H->Esc();
    EXPECT_EQ(H->Form().HistoryList().back(), "Kam> CANCEL");
    EXPECT_EQ(H->Echo(), "Kam> CANCEL");
    EXPECT_EQ(H->Prompt(), "?>");
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(MainVars.Command[0].empty());
    EXPECT_FALSE(MainVars.DataStart->Flags & FlagSelected);
    EXPECT_TRUE(MainVars.DataStart->SavedFlags & FlagSelected);  // "P" can bring it back
    EXPECT_EQ(MainVars.Mouse.NextMove, mmCross);
    EXPECT_EQ(MainVars.Mouse.NextDown, mdNone);
    EXPECT_FALSE(MainVars.Mouse.OsnapAuto.Search);
    EXPECT_EQ(H->DumpLines().size(), 1u);  // what the commands made stays
    H->Esc();
    EXPECT_EQ(H->Form().HistoryList().back(), "?> CANCEL");
}

TEST_F(InterpreterTest, BackspaceRemovesOneCharacterAfterThePrompt) {
    Start();
    const struct {
        const char* Before;
        const char* After;
    } Cases[] = {{"?>", "?>"}, {"?>ab", "?>a"}, {"Kam>1 č", "Kam>1 "}, {"Odkud>", "Odkud>"}, {"", ""}, {"ab", "a"}};
    for (const auto& C : Cases) {
        H->Form().ComLine2->Caption = C.Before;
        H->Form().PressKey(8);
        EXPECT_EQ(H->Prompt(), C.After) << C.Before;
    }
}

TEST_F(InterpreterTest, HistoryRingKeepsTheLastHundredLines) {
    Start();
    for (int i = 1; i <= 101; ++i) H->Form().StoreHistory("line" + std::to_string(i));
    EXPECT_EQ(MainVars.ArrList[1], "line101");
    EXPECT_EQ(MainVars.IndexList, 2);
    const Lines Hist = H->Form().HistoryList();
    ASSERT_EQ(Hist.size(), 100u);
    EXPECT_EQ(Hist.front(), "line2");
    EXPECT_EQ(Hist.back(), "line101");
}

TEST_F(InterpreterTest, EleventhInputEndsTheCommandWithoutWritingPastTheInputs) {
    Start();
    H->Enter("LINE");
    MainVars.ComCnt = MaxComInputs;
    MainVars.Command[MaxComInputs] = "KEEP";
    H->Enter("5 5");
    EXPECT_EQ(NewLog().back(), "Err:Too many inputs, command LINE ended");
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_EQ(MainVars.Command[MaxComInputs], "KEEP");
    EXPECT_EQ(H->Prompt(), "?>");
    H->Enter("POINT");  // the line is usable again
    EXPECT_EQ(MainVars.Command[0], "POINT");
}

// A canvas whose every clearing throws: the redraw inside a routine and inside the
// clean-up fails.
class TThrowingCanvas : public TRecordingCanvas {
public:
    void Clear(uint32_t) override { throw std::runtime_error("canvas lost"); }
};

TEST_F(InterpreterTest, ExceptionsNeverLeaveTheInterpreterAndTheLineRecovers) {
    Start();
    TThrowingCanvas Canvas;
    MainCanvas = &Canvas;
    // The routine throws before it ends: the command stays running.
    EXPECT_NO_THROW(H->Enter("POINT"));
    EXPECT_EQ(H->Form().LastException, "canvas lost");
    EXPECT_EQ(MainVars.ComCnt, 0);
    EXPECT_EQ(H->Form().HistoryList().back(), "?>B");
    // It throws after ending the command, and the clean-up throws as well.
    EXPECT_NO_THROW(H->Enter("1 1"));
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_EQ(H->Prompt(), "?>");
    EXPECT_TRUE(MainVars.Command[0].empty());
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Exception in command POINT: canvas lost"));
    MainCanvas = nullptr;
    H->Enter("POINT");
    EXPECT_EQ(MainVars.ComCnt, 0);
}

TEST_F(InterpreterTest, KeywordsWithoutRoutineEndAtOnce) {
    Start();
    for (const char* Word : {"USER5", "EXIT", "RELOADFONTS"}) {
        Mark();
        H->Enter(Word);
        EXPECT_EQ(MainVars.ComCnt, -1) << Word;
        EXPECT_EQ(H->Prompt(), "?>") << Word;
        // A USER keyword without a plug-in library says why.
        EXPECT_EQ(NewLog().back(), std::string("Err:Command ") + Word +
                                       (Word[0] == 'U' ? ": no plug-in library loaded" : " not available"));
    }
    // USER5 takes a snapshot before it starts; EXIT and RELOADFONTS do not.
    EXPECT_EQ(MainVars.UndoCount, 1);
}

TEST_F(InterpreterTest, DimensionKeywordsSetTheLinearMode) {
    Start();
    const std::pair<const char*, TDimLinMode> Cases[] = {
        {"DIMVERT", Vertical}, {"DIMROT", Rotated}, {"DIMHOR", Horizontal}};
    for (const auto& [Word, Mode] : Cases) {
        H->Enter(Word);
        EXPECT_EQ(MainVars.DimLinearMode, Mode) << Word;
        H->Esc();
    }
}

TEST_F(InterpreterTest, PickTypesThePointAfterThePrompt) {
    Start();
    H->Pick(3, 4);  // idle: a click types nothing
    EXPECT_TRUE(H->Form().HistoryList().empty());
    H->Enter("LINE");
    H->Pick(1.5L, -2);
    EXPECT_EQ(H->Form().HistoryList().back(), "Odkud>1.500000 -2.000000");
    EXPECT_EQ(MainVars.SavePick.x, 1.5L);
    EXPECT_EQ(MainVars.SavePick.y, -2);
    EXPECT_EQ(H->Prompt(), "Kam>");
}

TEST_F(InterpreterTest, ProgramStartUpPicksOnTheSnapRaster) {
    WriteFile("ComSet.cfg", DefaultComSet);
    H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
    EXPECT_TRUE(H->Form().FormStarted);
    EXPECT_EQ(H->Prompt(), "?>");
    Run({"LINE"});
    H->Pick(1.4L, -2.2L);
    // The snap raster is on after start-up: the point is typed with the user's pattern.
    EXPECT_EQ(H->Form().HistoryList().back(), "Odkud>1.000 -2.000");
    H->Pick(3.2L, -2.1L);
    EXPECT_EQ(H->DumpLines(), (Lines{"PLINE layer=68 flags=1 pflags=0 1.0 -2.0 | 0.0 3.0 -2.0"}));
}

TEST_F(InterpreterTest, InvalidNumberIsMarkedInTheEchoedLine) {
    Start();
    Run({"CIRCLE", "0 0", "abc"});
    EXPECT_EQ(H->Echo(), "Rádius>abc = INVALID");
    EXPECT_EQ(NewLog().back(), "Sys:ComCircle End");
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong radius (ABC)"));
}

TEST_F(InterpreterTest, TypedTextKeepsItsCaseInOrigText) {
    Start();
    Run({"POINT", "  @1 2  "});
    EXPECT_EQ(MainVars.OrigText, "@1 2");
    H->Enter("  line  ");
    EXPECT_EQ(MainVars.OrigText, "line");
}

}  // namespace

namespace {

TEST_F(InterpreterTest, ScriptDirectivesDriveTheProgramAndReportDialogs) {
    Start("");  // no ComSet.cfg: the start-up reports it in a message box
    std::istringstream Script(
        "# a comment\n"
        "CIRCLE\r\n"
        "#pick 1 2\n"
        "#pick 1\n"
        "3\n"
        "#answer no\n"
        "#answer maybe\n"
        "LINE\n"
        "#esc\n"
        "#dump\n");
    std::ostringstream Out;
    H->RunScript(Script, Out);
    EXPECT_EQ(Out.str(),
              "#dialog message:Error:Comset.cfg not found -> OK\n"
              "#error #pick 1\n"
              "#error #answer maybe\n"
              "PLINE layer=68 flags=1 pflags=1 4.0 2.0 | 1.57079632679489662 1.0 5.0 | 1.57079632679489662 -2.0 2.0"
              " | 1.57079632679489662 1.0 -1.0 | 1.57079632679489662 4.0 2.0\n");
    EXPECT_EQ(H->Form().HistoryList().back(), "Odkud> CANCEL");
    // The queued answer goes to the next dialog.
    EXPECT_EQ(MessageDlg("Smazat?", TMsgDlgType::mtConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(H->Responder().Shown.back(), "message:Smazat? -> NO");
    EXPECT_EQ(MessageDlg("Dál?", TMsgDlgType::mtConfirmation, mbYesNo), mrNo);  // default: No
}

}  // namespace
