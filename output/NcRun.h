// The state one G-code export run shares between the frame, the line writer and
// the object routines, and the routines that compose every line of the program
// from the words of the post-processor record.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/Types.h"
#include "output/GcodeCfg.h"

struct TObjHeader;
struct TTool;

// Where a descent along a closed path reached the pass depth.
struct TDescentEnd {
    bool Set = false;
    Osy Pt;
    int32_t Seg = -1;  // segment index
    Extended Alfa = 0; // arc angle from the segment's start to Pt (arcs only)
};

// No layer exported yet: the first used layer always gets its tool change.
inline constexpr uint8_t NoPrevLayer = 0;

struct TNcRun {
    TGcodeConfig Config;
    bool All = true;
    uint8_t CurLayer = 1;
    uint8_t PrevLayer = NoPrevLayer;
    bool SameTool = false;
    bool ForceMove = false;
    bool APending = true;
    Osy LastPos;
    Extended CurDepth = 0, PrevDepth = 0;
    int PassCount = 0;
    bool SpindleOn = false;
    Extended LastSpeed = 0;
    int CoolantState = 0;
    std::string LastFeed;
    std::string LastX, LastY, LastZ;  // texts of the last move as written
    int64_t LineCounter = 0;
    TObjHeader *ClampStart = nullptr, *ClampEnd = nullptr;
    TDescentEnd DescentEnd;
    // Problems for the error list, shown once at the end of the run.
    std::vector<std::string> Errors;
    // The program text not yet appended to the temporary file.
    std::string Out;
    // Each linked object's role in the machining operations (1 source, 2 generated
    // path) and the first operation it has that role in; built once per run, as the
    // operations do not change while a program is written.
    std::unordered_map<const TObjHeader*, std::pair<int, int>> OpRoles;
    bool OpRolesBuilt = false;
    // The last arc end and its value as written.
    struct TWrittenPt {
        bool Set = false;
        Osy From, To;
    } LastWritten;
    bool WriteFailed = false;

    TNcRun() = default;
    TNcRun(const TNcRun&) = delete;
    TNcRun& operator=(const TNcRun&) = delete;
    ~TNcRun();

    const TTool& Tool() const;
    // Appends the buffered text to the temporary file (also done as the buffer grows).
    void Flush();
    // Adds a line to the error list unless it is there already.
    void Error(const std::string& Line);
};

// Fixed-point text of Value with Decimals decimals (0..MaxNcDecimals), "." as the
// separator whatever the locale, no "-" when the text is all zeros.
std::string FormatNcNumber(int Decimals, Extended Value);

// The same text kept on the stack: the writers format millions of numbers and copy
// each straight into the program. Only a value beyond the exact 128-bit rounding
// (far outside any machine) takes the heap.
struct TNcNumber {
    char Text[48];
    size_t Len = 0;
    std::string Big;
    std::string_view View() const { return Len ? std::string_view(Text, Len) : std::string_view(Big); }
};
void FormatNcNumber(TNcNumber& Out, int Decimals, Extended Value);
// The text of N / 10^Decimals (N already rounded), "-" in front when Negative and N is
// not zero.
void FormatNcScaled(TNcNumber& Out, int Decimals, bool Negative, uint64_t N);

// Copies N bytes without a library call for a short text (two overlapping moves):
// the words and numbers of a program are a few characters each.
inline void NcCopy(char* D, const char* S, size_t N) {
    if (N >= 8) {
        if (N > 16) {
            std::memcpy(D, S, N);
            return;
        }
        uint64_t a, b;
        std::memcpy(&a, S, 8);
        std::memcpy(&b, S + N - 8, 8);
        std::memcpy(D, &a, 8);
        std::memcpy(D + N - 8, &b, 8);
    } else if (N >= 4) {
        uint32_t a, b;
        std::memcpy(&a, S, 4);
        std::memcpy(&b, S + N - 4, 4);
        std::memcpy(D, &a, 4);
        std::memcpy(D + N - 4, &b, 4);
    } else if (N > 0) {
        D[0] = S[0];
        D[N / 2] = S[N / 2];
        D[N - 1] = S[N - 1];
    }
}

// One composed line: numbered and ended by the configuration; an empty text
// writes nothing.
void WriteNcLine(TNcRun& R, const std::string& Text);
// A line as read from a header, footer or tool-change file: no number, no line end word.
void WriteNcRawLine(TNcRun& R, const std::string& Text);
// Comment + text + comment end; empty when comments are off.
std::string NcComment(const TNcRun& R, const std::string& Text);
// Coordinate texts (multiplied, with the coordinate decimals).
std::string NcCoord(const TNcRun& R, Extended V);
std::string_view NcCoord(const TNcRun& R, TNcNumber& Out, Extended V);

void NcSpindle(TNcRun& R, Extended Speed, Extended Dwell);
void NcCoolant(TNcRun& R, int Kind, Extended Dwell);
// A feed not above zero writes no word (the feed in force stays) and reports it.
void NcFeed(TNcRun& R, bool Plunge, Extended Feed);

void NcMoveZ(TNcRun& R, bool Rapid, Extended Z);
void NcMoveXY(TNcRun& R, bool Rapid, const Osy& P);
void NcMoveXYZ(TNcRun& R, bool Rapid, const Osy3D& P);
// Arcs of signed included angle Alfa (radians, positive anticlockwise).
void NcArcXY(TNcRun& R, const Osy& Start, const Osy& End, Extended Alfa);
void NcArcXYZ(TNcRun& R, const Osy3D& Start, const Osy3D& End, Extended Alfa);
