// The command table: every keyword the command line accepts, with its alias, menu
// caption, shortcut, undo flag and repeat flag; and its configuration file "ComSet.cfg".
#pragma once
#include <array>
#include <string>

class TForm;

// One entry of the command table. Texts are UTF-8.
struct TPrikaz {
    std::string Orig;      // built-in keyword, upper case; never changed after start-up
    std::string User;      // alias typed instead of Orig; always upper case
    std::string MenuName;  // caption of the keyword's menu item
    std::string Short;     // shortcut text of the menu item, e.g. "Ctrl+S"
    bool Undo = false;     // an undo snapshot precedes the command
    bool RBtnRep = false;  // an empty Enter / right button repeats it
};

inline constexpr int BuiltInComCount = 101;            // entries 1..101
inline constexpr int UserComCount = 100;               // entries 102..201: USER0..USER99
inline constexpr int ComCount = BuiltInComCount + UserComCount;

// The table, indexed 1..ComCount ([0] unused).
extern std::array<TPrikaz, ComCount + 1> Prikaz;

// A built-in keyword: its keyword, undo default and the main-menu item that receives
// its caption and shortcut ("" when none is bound).
struct TBuiltInCom {
    const char* Keyword;
    bool Undo;
    const char* MenuItem;
};
// Entry i of the built-in rows, i = 1..BuiltInComCount.
const TBuiltInCom& BuiltInCom(int i);

// Fills the table with its start-up values (no file read, no log line).
void InitComTable();

// Fills the table and applies ProgramDir + "/ComSet.cfg". When the file was applied and
// MenuForm is given, the menu items of entries 1..101 get their shortcuts and captions.
// False when the file is missing (after the log line and the message box) or holds
// no "STARTCOM" line.
bool LoadComSet(TForm* MenuForm = nullptr);

// Applies one command line of "ComSet.cfg" (8-bit text) to the table.
void ParseComSetLine(const std::string& Line);

// Rewrites ProgramDir + "/ComSet.cfg" from the table when the file exists; the new file
// is written beside it and renamed over it. False when the file is missing or cannot
// be written.
bool SaveComSet();

// The lines SaveComSet writes (UTF-8 texts; the file holds them in Windows-1250).
std::array<std::string, BuiltInComCount + 1> ComSetLines();

// Sets an entry's alias; aliases are kept upper-cased so a typed word, which the
// command line upper-cases, always matches.
void SetComAlias(TPrikaz& P, const std::string& Alias);

// The shortcut text in the menu library's spelling ("ctrl+s" -> "Ctrl+S"), or ""
// when the text names no known key.
std::string TextToShortCut(const std::string& S);
