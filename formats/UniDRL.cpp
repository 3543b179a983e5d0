#include "formats/UniDRL.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "formats/SafeFile.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

struct THole {
    uint16_t D, X, Y;  // hundredths of a millimetre
};

// Hundredths of V mm; false outside the 16 bits the format has.
bool ToHundredths(Extended V, uint16_t& Out) {
    const Extended h = std::round(V * 100);
    if (!(h >= 0 && h <= 65535)) return false;
    Out = uint16_t(h);
    return true;
}

// Collects the holes; Bad receives the first circle that does not fit the format.
void CollectHoles(TObjHeader* First, bool All, std::vector<THole>& Holes, bool& Fits, Osy& Bad) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (!All && !(p->Flags & FlagSelected)) continue;
        if (p->Type == ObjGroup) {
            CollectHoles(AsGroup(p)->First, All, Holes, Fits, Bad);
            continue;
        }
        Osy c;
        Extended r = 0;
        if (p->Type != ObjPline || !EnPline.IsCircle(p, c, r)) continue;
        THole h{};
        if (!ToHundredths(2 * r, h.D) || !ToHundredths(c.x, h.X) || !ToHundredths(c.y, h.Y)) {
            if (Fits) Bad = c;
            Fits = false;
            continue;
        }
        Holes.push_back(h);
    }
}

// Quicksort by diameter with the Hoare partition around the middle element: holes of
// equal diameter come out in the order files written before have them. The smaller
// part is sorted by recursion, the larger in the loop, so the depth stays logarithmic.
void SortHoles(std::vector<THole>& H, int Lo, int Hi) {
    while (Lo < Hi) {
        int i = Lo, j = Hi;
        const uint16_t pivot = H[size_t(Lo + (Hi - Lo) / 2)].D;
        do {
            while (H[size_t(i)].D < pivot) ++i;
            while (pivot < H[size_t(j)].D) --j;
            if (i <= j) {
                std::swap(H[size_t(i)], H[size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - Lo < Hi - i) {
            if (Lo < j) SortHoles(H, Lo, j);
            Lo = i;
        } else {
            if (i < Hi) SortHoles(H, i, Hi);
            Hi = j;
        }
    }
}

std::string Padded(uint16_t V) {
    char b[16];
    std::snprintf(b, sizeof b, "%06u", unsigned(V));
    return b;
}

std::string Trimmed(const std::string& S) {
    size_t a = 0, b = S.size();
    while (a < b && static_cast<unsigned char>(S[a]) <= ' ') ++a;
    while (b > a && static_cast<unsigned char>(S[b - 1]) <= ' ') --b;
    return S.substr(a, b - a);
}

// The value after the first Axis letter: blanks skipped, then "-", "." and digits.
// False when there is no such letter or the characters make no finite number.
bool AxisValue(const std::string& Line, char Axis, Extended& V) {
    size_t i = Line.find(Axis);
    if (i == std::string::npos) return false;
    ++i;
    while (i < Line.size() && Line[i] == ' ') ++i;
    std::string num;
    while (i < Line.size() && (Line[i] == '-' || Line[i] == '.' || (Line[i] >= '0' && Line[i] <= '9'))) num += Line[i++];
    if (num.empty()) return false;
    char* end = nullptr;
    const long double v = std::strtold(num.c_str(), &end);
    // A number beyond double's range would become infinite in the drawing's views.
    if (end != num.c_str() + num.size() || !std::isfinite(double(v))) return false;
    V = v;
    return true;
}

// The layer of a tool line "T<n>": tools 1..12 have their own layer, every other
// number (taken modulo 256) or text layer 16.
uint8_t ToolLayer(const std::string& Rest) {
    const std::string t = Trimmed(Rest);
    if (t.empty() || t.size() > 11) return 16;
    char* end = nullptr;
    const long long v = std::strtoll(t.c_str(), &end, 10);
    if (end != t.c_str() + t.size() || v < INT32_MIN || v > INT32_MAX) return 16;
    const uint8_t b = uint8_t(uint32_t(int32_t(v)) & 0xFF);
    return b >= 1 && b <= 12 ? b : 16;
}

}  // namespace

bool SaveDrl(const std::string& FileName, bool All) {
    WriteLog("Sys:Save DRL (" + FileName + ")");
    std::vector<THole> holes;
    bool fits = true;
    Osy bad;
    CollectHoles(MainVars.DataStart, All, holes, fits, bad);
    if (!fits) {
        char at[96];
        std::snprintf(at, sizeof at, "(%.3Lf, %.3Lf)", bad.x, bad.y);
        WriteLog(std::string("Err:FAILED Save DRL, hole outside 0 to 655.35 mm at ") + at);
        ShowMessage(std::string("Díra ") + at + " leží mimo rozsah 0 až 655,35 mm, neuloženo");
        return false;
    }
    if (!holes.empty()) SortHoles(holes, 0, int(holes.size()) - 1);
    std::vector<uint16_t> tools;
    for (const THole& h : holes)
        if (tools.empty() || tools.back() != h.D) tools.push_back(h.D);
    if (tools.size() > size_t(DrlMaxTools)) {
        WriteLog("Err:FAILED Save DRL, " + std::to_string(tools.size()) + " drill diameters, at most 99");
        ShowMessage("Více než 99 různých průměrů děr, neuloženo");
        return false;
    }
    std::vector<std::string> out;
    for (size_t t = 0; t < tools.size(); ++t) {
        char b[48];
        std::snprintf(b, sizeof b, "T%zu vrtak %3.1f", t + 1, double(tools[t]) / 100);
        out.push_back(b);
    }
    out.push_back("%");
    size_t tool = 0;
    uint16_t last = 0;
    for (const THole& h : holes) {
        if (h.D != last) {
            out.push_back("T" + std::to_string(++tool));
            last = h.D;
        }
        out.push_back("X" + Padded(h.X) + "Y" + Padded(h.Y));
    }
    out.push_back("M30");
    if (!BeginTempFile(FileName) || !AppendTempLines(out)) {
        DeleteTempFile();
        WriteLog("Err:FAILED Save DRL, temporary file not written");
        ShowMessage(Msg[25]);
        return false;
    }
    return CommitTempFile(FileName, "Err:FAILED Save DRL, not enough free disk space", "", "Sys:Save DRL End");
}

bool LoadDrl(const std::string& FileName, Osy& Min, Osy& Max) {
    WriteLog("Sys:Load DRL Start (" + FileName + ")");
    Min = Osy{1000000, 1000000};
    Max = Osy{-1000000, -1000000};
    std::string bytes;
    if (!TextFileExists(FileName) || !ReadFileBytes(FileName, bytes)) {
        WriteLog("Err:FAILED Load DRL, file not exist");
        ShowMessage(Msg[29]);
        WriteLog("Sys:Load DRL End");
        return false;
    }
    TObjHeader *first = nullptr, *last = nullptr;
    Osy at{0, 0};
    uint8_t layer = 68;
    bool body = false;
    for (const std::string& raw : SplitTextLines(bytes)) {
        std::string line = Trimmed(raw);
        for (char& c : line)
            if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (!body) {
            body = line == "%";
            continue;
        }
        if (!line.empty() && line[0] == 'T') layer = ToolLayer(line.substr(1));
        const bool hasX = AxisValue(line, 'X', at.x);
        if (hasX) at.x /= 100;
        const bool hasY = AxisValue(line, 'Y', at.y);
        if (hasY) at.y /= 100;
        if (!hasX && !hasY) continue;
        EnPoint.Add(at, layer, first, last);
        Min = Osy{std::min(Min.x, at.x), std::min(Min.y, at.y)};
        Max = Osy{std::max(Max.x, at.x), std::max(Max.y, at.y)};
    }
    ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, first, last);
    WriteLog("Sys:Load DRL End");
    return true;
}
