// The native job file (".ydf"): a line-based text file holding the settings block,
// the tool sections, the operation list and the object block, in that order.
// The object block's records ("POINT", "PLINE", "PLINE3D", "TEXT", "GROUP") are also
// the records of the clipboard text.
#pragma once
#include <string>
#include <vector>

#include "core/Types.h"

struct TObjHeader;

// Writes the job to FileName through the temporary file of the program folder.
// AllObjects false: only the selected top-level objects (members of a written group
// always). Pack chooses the packed form of the settings and tool sections. True when
// the file was written.
bool SaveYdfFile(const std::string& FileName, bool AllObjects, bool Pack);

// Reads the sections the flags ask for and appends every object of the object block
// to the end of the drawing. Min, Max: extents of the objects read; they start at
// (1000000, 1000000) and (-1000000, -1000000). False, with nothing changed and the
// reason logged and shown, when the file is missing, unreadable or not whole (no
// object block, a record or the block without its end line).
bool LoadYdfFile(const std::string& FileName, bool Tools, bool Cfg, Osy& Max, Osy& Min, bool Outs,
                 bool Plunges, bool Tech, bool Ops);

// True when LoadYdfFile would read the file; else the reason is logged and shown.
bool YdfFileReadable(const std::string& FileName);
// Empty when the lines hold an object block whose records all end; else where the
// reading stopped and what it expected ("line 7: expected ENDPLINE").
std::string YdfStructureProblem(const std::vector<std::string>& Lines);

// ---- the object records (shared with the clipboard text) ----

// Appends the record of Obj at Indent (members of a group two blanks deeper). OpLines:
// the "OpParrent="/"OpChild=" lines of the operation list are written.
void YdfObjectLines(const TObjHeader* Obj, const std::string& Indent, bool OpLines,
                    std::vector<std::string>& Out);

// How the records are read.
struct TYdfReadOptions {
    bool OpLinks = true;      // "OPPARRENT="/"OPCHILD=" lines link the new objects
    // Operation n of the lines is operation LinkBase + n of the list; numbers from
    // LinkCount on (-1: the list's operation count less LinkBase) are not linked.
    int LinkBase = 0;
    int LinkCount = -1;
    bool Extents = true;      // Min/Max widened by what was read
    bool DebugLines = true;   // per-record "Sys:Load ..." lines when the debug switch is on
    bool TrimBoth = false;    // lines trimmed at both ends (else only leading blanks)
};

// Reads records from Lines[Pos] on until a line equal to EndLine (or the end), into
// First..Last; Pos ends after the end line. MissingFont is set when a text's font was
// replaced by "YF01.SHP". Min/Max widened when Opt.Extents.
void YdfReadRecords(const std::vector<std::string>& Lines, size_t& Pos, const std::string& EndLine,
                    const TYdfReadOptions& Opt, TObjHeader*& First, TObjHeader*& Last, Osy& Min, Osy& Max,
                    bool& MissingFont);

// The reading form of one line: CR bytes dropped, leading blanks removed (both ends
// with TrimBoth), ASCII letters upper-cased unless Keep.
std::string YdfLine(const std::string& Raw, bool TrimBoth, bool KeepCase);

// Finds Letter + "=" in Line and reads the decimal number after it up to the next
// blank; 0 when the key is missing or its value is not a finite number.
Extended NumAfterKey(const std::string& Line, const std::string& Letter);
