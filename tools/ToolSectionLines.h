// Line rules shared by the readers and writers of the tool sections (TOOLS, GEO,
// TECH, PLUNGES, OUTS): a section is a run of "key=value" lines between a start word
// and an end word, in 8-bit text; lines end with CR LF when written, CR LF or LF when read.
#pragma once
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ToolRecords.h"
#include "core/Types.h"

// A choice of layer tools (bit n: layer n, 1..64) that the layer writers write alone.
using TToolLayers = std::bitset<ToolLayerCount + 1>;

// One line split at its first "=": Key is the text before it without leading blanks
// (trailing blanks stay), Val everything after it untouched. A line without "=" has
// the whole line, trimmed both sides, as Key and no value. Key and Val view the line,
// which must outlive them.
struct TSectionLine {
    std::string_view Key, Val;
    bool HasVal = false;
    size_t Line = 0;  // its line in the file, from 1 (0: not from a file)
};
TSectionLine SplitSectionLine(std::string_view Line);

// The lines after the first line whose key is Start, up to (not including) the first
// whose key is End or the end of the file; words compared exactly. Found tells whether
// the start word was there. False, with an "Err:" log line, when the file
// exists but cannot be read. Lines receives the file's lines, which Out views.
bool ReadSection(const std::string& File, std::string_view Start, std::string_view End,
                 std::vector<std::string>& Lines, std::vector<TSectionLine>& Out, bool& Found);
// The same over lines already read.
void SectionOfLines(const std::vector<std::string>& Lines, std::string_view Start, std::string_view End,
                    std::vector<TSectionLine>& Out, bool& Found);
// The index of the line after the first line whose key is Start; npos when none is.
size_t SectionStart(const std::vector<std::string>& Lines, std::string_view Start);
// Each(line) for every line SectionOfLines gives, from First (SectionStart's index) on,
// none of them kept (a job's TOOLS section holds tens of thousands).
template <typename F>
void ForEachSectionLine(const std::vector<std::string>& Lines, size_t First, std::string_view End, F Each) {
    for (size_t i = First; i < Lines.size(); ++i) {
        TSectionLine L = SplitSectionLine(Lines[i]);
        if (L.Key == End) break;
        L.Line = i + 1;
        Each(L);
    }
}

// Appends the lines (CR LF) to File; a missing file, or Append false, writes the file
// anew through the safe temporary file. False, with Err logged, when it fails.
bool WriteSectionLines(const std::string& File, const std::vector<std::string>& Lines, bool Append);
// The same with the lines already joined (each ended by CR LF).
bool WriteSectionText(const std::string& File, const std::string& Text, bool Append);

// Comma-separated fields consumed from the left: Next takes the text up to the next
// "," and false when no comma follows (the field is then not taken); Rest takes all
// that is left. The fields view S, which must outlive them.
struct TFieldReader {
    std::string_view S;
    size_t Pos = 0;
    bool Next(std::string_view& F);
    std::string_view Rest();
};

// A finite number by the typed-number rules (decimal comma, arithmetic); false, V
// untouched, otherwise.
bool SecNum(std::string_view S, Extended& V);
// The number truncated toward zero, or rounded to the nearest (halves to even), into
// a 32-bit integer; false when it does not read or does not fit.
bool SecTrunc(std::string_view S, int32_t& V);
bool SecRound(std::string_view S, int32_t& V);
// A flag field: an integer, true when greater than 0.
bool SecFlag(std::string_view S, bool& V);

// "," replaced by "." everywhere.
std::string CommaToDot(const std::string& Text);
// A text that may hold line breaks kept on one line: "\" doubled, CR and LF as "\r"
// and "\n"; the reading undoes exactly that (any other "\" stays as it stands).
std::string OneLineText(const std::string& Text);
std::string MultiLineText(std::string_view Text);
// The flags of the compact forms.
inline const char* Flag01(bool B) { return B ? "1" : "0"; }
