// The tool and material library: built-in material list and library, the file
// "ToolLib.ylf" that keeps them between runs, and the line reader that it shares with
// the tool-type file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/ToolRecords.h"

// Working copies edited by the library dialog (filled from Glob when it is shown).
extern std::vector<TToolLib> ToolLibTmp;
extern std::vector<TMaterial> MaterialTmp;

// Lines of a library or tool-type file read one at a time. A line with "=" splits at
// its first "=" into a key and a value, both trimmed of blanks and control characters;
// a line without "=" is all key and keeps the previous value. Key holds the key with
// the ASCII letters upper-cased.
struct TLibLines {
    std::vector<std::string> Lines;
    size_t Pos = 0;
    std::string Key, Val;
    bool Eof() const { return Pos >= Lines.size(); }
    void Next();
    // Value as a finite real / a 32-bit integer (fraction dropped toward zero);
    // false, and V untouched, when it does not read, which also sets BadValue: the
    // program writes only values that read, so such a value is a sign of damage.
    bool Real(Extended& V) const;
    bool Int(int32_t& V) const;
    mutable bool BadValue = false;
    // True exactly when the upper-cased value is "TRUE".
    bool Bool() const;
};

// "TRUE" / "FALSE".
const char* LibBool(bool B);

// Built-in material list (one entry "Výchozí materiál"); sets the stock material of the
// common machining parameters. Logs "Sys:Init Materials".
void InitMaterial();
// Built-in library: five cylindrical mills of 2 to 6 mm with the first list material.
// Logs "Sys:Init ToolLib".
void InitToolLib();

// Reads the library file into Glob.Material and Glob.ToolLib. A missing file leaves
// both. A damaged one (an index or count out of place, a value that does not read,
// fewer materials or records than it declares, no end line) is kept as JmLib + ".bak",
// shows message 88 with its name and keeps what was read before the fault.
// Returns false only for a damaged file.
bool FileToToolLib(const std::string& JmLib);
// A damaged tool file copied to File + ".bak" before anything can write over it: the
// text to add to the message that tells of the damage (empty when the copy failed).
std::string KeepDamagedFile(const std::string& File);

// Writes both lists (through a temporary file). False when it could not be written.
bool ToolLibToFile(const std::string& JmLib);

// Selection text of the library dialog's log lines, e.g. "Tool-Mat Par:Tech TID:2 MID:0 PID:-1".
std::string LibSelectionText(bool ByTool, int SelPar, int32_t SelTID, int32_t SelMID, int32_t SelPID);

// Start-up of the library: built-in lists, ProgramDir + "/ToolLib.ylf", then the layer
// tools; installs the start-up hook that loads the tool types and the shutdown hook that
// writes both tool files.
void CreateToolMatLibDialog();
