// Entries shared by the libFuzzer targets of fuzz/ and their corpus-replay tests:
// each one feeds the bytes of one user-supplied file to one reader, inside the program
// folder ProgramDir, which the caller has created and set. Every entry also checks what
// must hold for any input (round trips, finite numbers) through FUZZ_REQUIRE, which
// stops the process with __builtin_trap, so the fuzzer reports it as a crash; a replay
// test makes it a test expectation instead.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "commands/Daskovin.h"
#include "commands/UniCom.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/Global.h"
#include "core/MainVars.h"
#include "core/ResetState.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "core/UniPlineDirMemo.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "shell/FileHist.h"
#include "shell/ResetShellTexts.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"

// Answers every dialog as a person pressing the default button would: a message box
// gets OK (or Yes), a modal form is cancelled, a file dialog chooses nothing.
class TAnswerAllResponder : public TResponder {
public:
    TAnswerAllResponder() : Previous(SetResponder(this)) {}
    ~TAnswerAllResponder() override { SetResponder(Previous); }
    int ShowModal(TForm& Form) override { return mrCancel; }
    int MessageDlg(const std::string&, const std::string&, TMsgDlgType, uint16_t Buttons) override {
        ++Messages;
        return (Buttons & mbYes) && !(Buttons & mbOK) ? mrYes : mrOk;
    }
    bool OpenDialog(TOpenDialog&) override { return false; }
    bool SaveDialog(TSaveDialog&) override { return false; }
    bool ColorDialog(TColorDialog&) override { return false; }
    int Messages = 0;

private:
    TResponder* Previous;
};

// A replay test defines FUZZ_REQUIRE as a test expectation before including this file.
#ifndef FUZZ_REQUIRE
#define FUZZ_REQUIRE(cond)                                                          \
    do {                                                                            \
        if (!(cond)) {                                                              \
            std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            __builtin_trap();                                                       \
        }                                                                           \
    } while (0)
#endif

// What an input may change besides the text parameters and the log, which every input
// gets back as they were: each target names what its reader touches, and only that is
// made anew, so that a target runs thousands of inputs a second (rebuilding every
// dialog for every input would cost far more than most readers).
enum TFuzzReset : unsigned {
    FuzzResetTexts = 1,      // the language tables and the lines kept for the forms
    FuzzResetComTable = 2,   // the command table
    FuzzResetFileHist = 4,   // the recent-files list
    FuzzResetSettings = 8,   // the settings block: the dialog texts it writes and reads
    FuzzResetGlob = 16,      // the settings record (the 64 layer tools make it large)
    // Of the settings record only what a drawing's reader, writer or target changes: the
    // layer table (the targets show every layer), the input filter and the insertion
    // point of imports. The readers and writers of drawings and programs leave the rest
    // (the large tool tables above all) as they found it.
    FuzzResetDrawing = 32,
};
inline constexpr unsigned FuzzResetAll = FuzzResetTexts | FuzzResetComTable | FuzzResetFileHist | FuzzResetSettings | FuzzResetGlob;

// The start-up state: ResetAllState runs once, on the first call. The settings block
// is kept in its written form (the dialogs' built-in number texts mix "," and "."),
// and put back through its own reader, which the settings target checks to be exact.
struct TFuzzStart {
    TGlob Glob;
    std::vector<std::string> Settings;
};
inline const TFuzzStart& FuzzStart() {
    static const TFuzzStart start = [] {
        ResetAllState();
        SetCfgDecimalSeparator(',');
        LinesToGlobalCfg(GlobalCfgLines(true));
        return TFuzzStart{Glob, GlobalCfgLines(true)};
    }();
    return start;
}

// Back to the start-up state in what Reset names; ProgramDir is kept.
inline void FuzzRestoreState(unsigned Reset = FuzzResetAll) {
    const TFuzzStart& start = FuzzStart();
    const std::string dir = Glob.ProgramDir;
    if (Reset & FuzzResetTexts) ResetLanguage();
    if (Reset & FuzzResetComTable) InitComTable();
    if (Reset & FuzzResetFileHist) ResetFileHist();
    if (Reset & FuzzResetSettings) {
        SetCfgDecimalSeparator(',');
        LinesToGlobalCfg(start.Settings);
    }
    if (Reset & FuzzResetGlob) Glob = start.Glob;
    if (Reset & FuzzResetDrawing) {
        Glob.TabLayer = start.Glob.TabLayer;
        Glob.InputFiltr = start.Glob.InputFiltr;
        Glob.Dest = start.Glob.Dest;
    }
    Glob.ProgramDir = dir;
    WorkText = TextStyle = DimTextStyle = ParText{};
    // The direction search's memo would keep what the input made: libFuzzer, finding
    // more allocations than frees, would then run the input once more to look for a leak.
    pline::ForgetDirs();
    ResetLog();
}

// For a fuzz target, at the start of every input: the start-up state of what its
// reader touches (Reset as for FuzzRestoreState; made on the first input, every later
// one finds it as FuzzEndInput left it), a message-box answerer and one temporary
// program folder for the whole run (emptied before each input, removed at exit).
inline void FuzzBeginInput(unsigned Reset = FuzzResetAll) {
    static const std::string dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrilon-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) __builtin_trap();
        static const std::string made = pattern;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(made, ec);
        });
        return pattern;
    }();
    static TAnswerAllResponder responder;
    static const bool restored = (FuzzRestoreState(Reset), true);
    (void)restored;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) std::filesystem::remove_all(e.path(), ec);
    Glob.ProgramDir = dir;
}

// For a fuzz target, at the end of every input: what the input made is released within
// the input (Reset as at its start), so libFuzzer counts as many frees as allocations
// and runs its (costly) leak check only when something really leaks.
inline void FuzzEndInput(unsigned Reset = FuzzResetAll) {
    FuzzRestoreState(Reset);
}

// Writes Bytes to ProgramDir + "/" + Name, folders created.
inline void FuzzWriteProgramFile(const std::string& Name, const std::string& Bytes) {
    const std::filesystem::path p = ProgramDir + "/" + Name;
    std::error_code ec;
    std::filesystem::create_directories(p.parent_path(), ec);
    std::ofstream(p, std::ios::binary | std::ios::trunc) << Bytes;
}

// What a language file gave: the prompt and message tables and the sort dialog's help.
struct TFuzzLangTexts {
    std::string SelObject;
    std::array<std::string, PromptCount + 1> Prompts;
    std::array<std::string, MsgCount + 1> Msgs;
    std::vector<std::string> Help;
    bool operator==(const TFuzzLangTexts&) const = default;
};

// Loads the language file and the sort dialog's help text from the program folder into
// a registered form that receives the help memo; what they gave.
inline TFuzzLangTexts FuzzLoadLanguage() {
    TForm sortDg("SortDialog");
    TMemo* memo = sortDg.Make<TMemo>("MemoHelp");
    LangRegisterForm("SortDg", &sortDg);
    LoadLanguageFile();
    LangUnregisterForm(&sortDg);
    return TFuzzLangTexts{PrSelObject, Prompt, Msg, memo->Lines};
}

// The language file, and the same bytes as the sort dialog's help text (read by the
// same loader). The texts the file changed, written as a language file of their own
// (and the help as a help text), and read onto the built-in texts, give the same texts.
inline void FuzzLanguageFile(const std::string& Bytes) {
    const TFuzzLangTexts builtIn{PrSelObject, Prompt, Msg, {}};
    FuzzWriteProgramFile("Language/Language.ini", Bytes);
    FuzzWriteProgramFile("Language/HelpSort.txt", Bytes);
    const TFuzzLangTexts first = FuzzLoadLanguage();
    FUZZ_REQUIRE(!first.Help.empty() || Bytes.empty() || Bytes == "\xEF\xBB\xBF");
    std::vector<std::string> lines{"[Prompt]"};
    auto line = [&](const std::string& Key, const std::string& Text, const std::string& BuiltIn) {
        if (Text != BuiltIn) lines.push_back(Key + "=" + Utf8ToCp1250(Text));
    };
    line("PrSelObject", first.SelObject, builtIn.SelObject);
    for (size_t i = 1; i <= PromptCount; ++i) line("Prompt" + std::to_string(i), first.Prompts[i], builtIn.Prompts[i]);
    lines.push_back("[Message]");
    for (size_t i = 1; i <= MsgCount; ++i) line("Msg" + std::to_string(i), first.Msgs[i], builtIn.Msgs[i]);
    FuzzWriteProgramFile("Language/Language.ini", JoinTextLines(lines));
    FuzzWriteProgramFile("Language/HelpSort.txt", "\xEF\xBB\xBF" + JoinTextLines(first.Help));
    ResetLanguage();
    FUZZ_REQUIRE(FuzzLoadLanguage() == first);
}

// The settings block from "Default.cfg"; then the settings written again must read
// back to the very same block. The dialogs' built-in number texts are brought into
// their written form first (they mix "," and ".").
// FuzzSettingsBlockFromStart expects that written form already (the state FuzzStart made).
// The same lines read as a job file's block take the same reader (the job-file target
// feeds it any lines), so they are not read a second time here.
inline void FuzzSettingsBlockFromStart(const std::string& Bytes) {
    FuzzWriteProgramFile("Default.cfg", Bytes);
    FUZZ_REQUIRE(FileToGlobalCfg(DefaultCfgPath()));
    const std::vector<std::string> first = GlobalCfgLines(true);
    LinesToGlobalCfg(first);
    FUZZ_REQUIRE(GlobalCfgLines(true) == first);
    const std::vector<std::string> unpacked = GlobalCfgLines(false);
    LinesToGlobalCfg(unpacked);
    FUZZ_REQUIRE(GlobalCfgLines(true) == first);
}
inline void FuzzSettingsBlock(const std::string& Bytes) {
    SetCfgDecimalSeparator(',');
    LinesToGlobalCfg(GlobalCfgLines(true));
    FuzzSettingsBlockFromStart(Bytes);
}

// A menu that has every item the command table names.
inline void FuzzMakeComSetMenu(TForm& Menu) {
    for (int k = 1; k <= BuiltInComCount; ++k)
        if (*BuiltInCom(k).MenuItem) Menu.Make<TMenuItem>(BuiltInCom(k).MenuItem);
}
// Its items as they were made: the table sets their captions and shortcuts only.
inline void FuzzClearComSetMenu(TForm& Menu) {
    for (TControl* c : Menu.Components())
        if (auto* m = dynamic_cast<TMenuItem*>(c)) {
            m->Caption.clear();
            m->ShortCut.clear();
        }
}

// "ComSet.cfg", applied to a menu made by FuzzMakeComSetMenu; then the table saved
// and loaded again must hold the same built-in entries.
inline void FuzzComSetOn(const std::string& Bytes, TForm& menu) {
    FuzzWriteProgramFile("ComSet.cfg", Bytes);
    if (!LoadComSet(&menu)) return;
    for (int k = 1; k <= BuiltInComCount; ++k) {
        auto* item = menu.Find<TMenuItem>(BuiltInCom(k).MenuItem);
        FUZZ_REQUIRE(!item || item->Caption == Prikaz[k].MenuName);
    }
    const auto before = Prikaz;
    FUZZ_REQUIRE(SaveComSet());
    FUZZ_REQUIRE(LoadComSet());
    for (int k = 1; k <= BuiltInComCount; ++k) {
        FUZZ_REQUIRE(Prikaz[k].User == before[k].User);
        FUZZ_REQUIRE(Prikaz[k].MenuName == before[k].MenuName);
        FUZZ_REQUIRE(Prikaz[k].Short == before[k].Short);
        FUZZ_REQUIRE(Prikaz[k].RBtnRep == before[k].RBtnRep);
    }
}
inline void FuzzComSet(const std::string& Bytes) {
    TForm menu("MainForm");
    FuzzMakeComSetMenu(menu);
    FuzzComSetOn(Bytes, menu);
}

// The recent-files list: read, shown, written and read back unchanged. The text-file
// helper's split and join keep every line as well.
inline void FuzzFileHist(const std::string& Bytes) {
    const std::vector<std::string> lines = SplitTextLines(Bytes);
    FUZZ_REQUIRE(SplitTextLines(JoinTextLines(lines)) == lines);
    FuzzWriteProgramFile("FileHist", Bytes);
    FUZZ_REQUIRE(FileToFileHist(FileHistPath()));
    FUZZ_REQUIRE(FileHist.size() <= size_t(std::max(Glob.MaxFileHist, 1)));
    FUZZ_REQUIRE(FileHistLines(true, "* ").size() == FileHist.size());
    FUZZ_REQUIRE(FileHistLines(false, "").size() == FileHist.size());
    const std::vector<std::string> kept = FileHist;
    FUZZ_REQUIRE(FileHistToFile(FileHistPath()));
    ResetFileHist();
    FUZZ_REQUIRE(FileToFileHist(FileHistPath()));
    FUZZ_REQUIRE(FileHist == kept);
}

// Typed numbers and points: a number read is finite, and its file text reads back
// to (nearly) the same number.
inline void FuzzTypedNumber(const std::string& Bytes) {
    for (bool mark : {false, true}) {
        Extended v = 0;
        if (!StrToExtCalc(Bytes, v, mark)) continue;
        FUZZ_REQUIRE(std::isfinite(v));
        Extended back = 0;
        FUZZ_REQUIRE(StrToExtCalc(ExtToStr(v), back, false));
        FUZZ_REQUIRE(std::fabs(back - v) <= 1e-15L * std::max<Extended>(1, std::fabs(v)));
    }
    Osy p;
    if (StrToPt(Bytes, Osy{1, 2}, p)) FUZZ_REQUIRE(std::isfinite(p.x) && std::isfinite(p.y));
    int32_t i = 0;
    CfgIntReading(Bytes, i);
}

// A dial-face measuring protocol: a protocol taken gives sound tables (ticks from X0 on,
// no end marker among them, finite values) and a dial whose records form a sound list;
// a protocol refused leaves the tables as they were and names why. Every tick (main or
// intermediate) is cut out of every zone, so a protocol of hundreds of ticks costs a
// fuzzer a hundred times a small one's time on the same code: the dial is generated
// only while ticks times zones stay within GenerateUpTo.
inline void FuzzDaskovinProtocolUpTo(const std::string& Bytes, int64_t GenerateUpTo) {
    TDaskovinData D;
    std::string Problem;
    if (!LoadDaskovinProtocol(SplitTextLines(Bytes), D, Problem)) {
        FUZZ_REQUIRE(!D.Loaded);
        FUZZ_REQUIRE(!Problem.empty());
        return;
    }
    FUZZ_REQUIRE(D.Loaded && D.B >= 0.05L);
    FUZZ_REQUIRE(D.Carka[0].A > -CoordTol);
    int64_t ticks = 0;
    for (const TCarka& C : D.Carka) {
        FUZZ_REQUIRE(std::isfinite(C.A) && std::isfinite(C.L) && std::isfinite(C.W));
        if (C.A > -CoordTol) ticks += 1 + std::max(C.N, 0);
    }
    int64_t zones = 0;
    for (const auto& Z : D.Zona) zones += Z[0] > -CoordTol && Z[1] > -CoordTol;
    if (ticks * std::max<int64_t>(zones, 1) > GenerateUpTo) return;
    GenerateDaskovin(D);
    FUZZ_REQUIRE(CheckObjList(MainVars.DataStart, MainVars.DataEnd).empty());
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}
inline void FuzzDaskovinProtocol(const std::string& Bytes) { FuzzDaskovinProtocolUpTo(Bytes, INT64_MAX); }
