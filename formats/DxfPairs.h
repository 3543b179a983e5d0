// The group pairs of an ASCII DXF file: a group code line and a value line. Lines end
// at LF; CR bytes belong to no line. Values are handed out raw (as string views into
// the file's bytes) and converted on demand, so a large file is read without copying.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Types.h"

// Code of a pair whose code line is no integer: the entity being read is dropped.
inline constexpr int32_t DxfBadCode = INT32_MIN;
// Numbers beyond this magnitude are refused (no drawing of a small machine comes near).
inline constexpr Extended DxfMaxNumber = 1e12L;

struct TDxfPair {
    int32_t Code = 0;
    std::string_view Raw;  // the value line as written, without its CR bytes at the end
    int32_t Line = 0;      // 1-based line number of the code line
};

class TDxfCursor {
public:
    explicit TDxfCursor(std::string_view Bytes) : Data(Bytes) {}
    // The next pair; false at the end of the data. After a code line that is no
    // integer the pair has DxfBadCode, and reading goes on at the next line "0" that is
    // followed by a name (the start of the next entity or mark).
    bool Next(TDxfPair& P);
    // Hands P back: the next call of Next returns it again.
    void Unget(const TDxfPair& P) {
        Pending = P;
        HasPending = true;
    }
    int32_t LineNo() const { return Line; }

private:
    std::string_view NextLine();
    std::string_view Data;
    size_t Pos = 0;
    int32_t Line = 0;
    bool Resync = false;
    bool HasPending = false;
    TDxfPair Pending;
};

// The reading form of a value line: blanks and control characters removed at both
// ends, ASCII letters upper-cased, the first comma (only the first) made a point.
std::string ReadDxfLine(std::string_view Raw);
// Blanks and control characters removed at both ends.
std::string_view DxfTrim(std::string_view S);
// A decimal number (the first comma read as a point). False when the value is not a
// number; Range is set when it is one but not finite or beyond DxfMaxNumber.
bool DxfNumber(std::string_view Raw, Extended& Value, bool& Range);
// A decimal integer of 32 bits; false otherwise.
bool DxfInt(std::string_view Raw, int32_t& Value);
// Equal when upper-casing ASCII letters of A gives B (B upper-case), blanks at the
// ends of A ignored.
bool DxfIs(std::string_view A, std::string_view B);
