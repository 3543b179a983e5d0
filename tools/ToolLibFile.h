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
    // false, and V untouched, when it does not read.
    bool Real(Extended& V) const;
    bool Int(int32_t& V) const;
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
// both; a damaged one shows message 88 and keeps what was read before the fault.
// Returns false only for a damaged file.
bool FileToToolLib(const std::string& JmLib);
// Writes both lists (through a temporary file). False when it could not be written.
bool ToolLibToFile(const std::string& JmLib);

// Selection text of the library dialog's log lines, e.g. "Tool-Mat Par:Tech TID:2 MID:0 PID:-1".
std::string LibSelectionText(bool ByTool, int SelPar, int32_t SelTID, int32_t SelMID, int32_t SelPID);

// Start-up of the library: built-in lists, ProgramDir + "/ToolLib.ylf", then the layer
// tools; installs the start-up hook that loads the tool types and the shutdown hook that
// writes both tool files.
void CreateToolMatLibDialog();
