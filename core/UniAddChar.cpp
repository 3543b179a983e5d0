#include "core/UniAddChar.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/MainVars.h"

namespace {

// Tenths of a unit, to the nearest integer with halves to the even neighbour.
long Tenths(Extended V) { return long(std::rint(V * 10)); }

// The header shape a new user font begins with.
const char* const UserFontHeader = "*0,4,header\r\n100,34,0,0\r\n";

// Largest step component of one "8" command; and of an arc's chord.
constexpr long MaxStep = 127;
constexpr long MaxChord = 120;
// An arc is never cut into more pieces than this.
constexpr int MaxArcPieces = 100000;

}  // namespace

void AddCharMove(Osy& Q, const Osy& T, std::vector<std::string>& Out, int& Bytes) {
    long dx = Tenths(T.x - Q.x), dy = Tenths(T.y - Q.y);
    Q.x += Extended(dx) / 10;
    Q.y += Extended(dy) / 10;
    if (dx == 0 && dy == 0) return;
    long n = (std::max(std::labs(dx), std::labs(dy)) + MaxStep - 1) / MaxStep;
    // n steps adding up exactly to (dx, dy), components differing by at most 1
    auto step = [n](long d, long i) {
        long base = d / n, rem = d - base * n;  // |rem| < n, same sign as d
        return base + (i < std::labs(rem) ? (rem > 0 ? 1 : -1) : 0);
    };
    for (long i = 0; i < n; ++i) {
        Out.push_back("8,(" + std::to_string(step(dx, i)) + "," + std::to_string(step(dy, i)) + "),");
        Bytes += 3;
    }
}

void AddCharArc(Osy& Q, const Osy& T, Extended Alfa, std::vector<std::string>& Out, int& Bytes) {
    Osy C;
    Extended R;
    ArcCenter(Q, T, Alfa, C, R);
    Extended s0 = ArcStartAngle(Q, T, Alfa);
    int n = 1;
    for (; n < MaxArcPieces; ++n) {
        Extended a = s0 + Alfa / n;
        long x = Tenths(C.x + R * std::cos(a) - Q.x), y = Tenths(C.y + R * std::sin(a) - Q.y);
        if (std::labs(x) <= MaxChord && std::labs(y) <= MaxChord) break;
    }
    long h = std::clamp(long(std::rint(127 * std::tan(Alfa / (4 * n)))), -127L, 127L);
    for (int j = 1; j <= n; ++j) {
        Extended a = s0 + j * Alfa / n;
        long x = Tenths(C.x + R * std::cos(a) - Q.x), y = Tenths(C.y + R * std::sin(a) - Q.y);
        if (h == 0) {
            Out.push_back("8,(" + std::to_string(x) + "," + std::to_string(y) + "),");
            Bytes += 3;
        } else {
            Out.push_back("12,(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(h) + "),");
            Bytes += 4;
        }
        Q.x += Extended(x) / 10;
        Q.y += Extended(y) / 10;
    }
}

bool OnOrigLayer(const TObjHeader* p) { return p->Layer == LayerOrig; }

bool AddCharToFont(int Code, TAddCharTake Take) {
    if (Code < 1 || Code > 255) {
        WriteLog("Err:Wrong character code (" + std::to_string(Code) + ")");
        return false;
    }
    // The end point and the polylines of layer 68, in drawing order.
    Osy r{0, 0};
    std::vector<const TObjHeader*> plines;
    for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!Take(p)) continue;
        if (p->Type == ObjPoint) r = AsPline(p)->S;
        else if (p->Type == ObjPline) plines.push_back(p);
    }

    std::vector<std::string> parts{"3,10,"};
    int bytes = 2;
    Osy q{0, 0};
    for (const TObjHeader* p : plines) {
        parts.push_back("2,");
        AddCharMove(q, AsPline(p)->S, parts, bytes);
        parts.push_back("1,");
        bytes += 2;
        const TPlineSeg* seg = PlineSegs(p);
        for (int32_t i = 0, n = PlineSegCount(p); i < n; ++i) {
            if (std::fabs(seg[i].Alfa) < CoordTol) AddCharMove(q, seg[i].E, parts, bytes);
            else AddCharArc(q, seg[i].E, seg[i].Alfa, parts, bytes);
        }
    }
    parts.push_back("2,");
    AddCharMove(q, r, parts, bytes);
    parts.push_back("4,10,");
    parts.push_back("0");
    bytes += 4;

    std::string text = "*" + std::to_string(Code) + "," + std::to_string(bytes) + ",comment\r\n";
    std::string line;
    for (const std::string& s : parts) {
        line += s;
        if (line.size() > 60) {
            text += line + "\r\n";
            line.clear();
        }
    }
    if (!line.empty()) text += line + "\r\n";

    std::string dir = ProgramDir + "/FONT";
    std::string path = dir + "/" + UserFontName;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const bool existed = TextFileExists(path);
    std::string old;
    if (existed && !ReadFileBytes(path, old)) {
        WriteLog("Err:Cannot read font file (" + path + ")");
        return false;
    }
    std::string head = existed ? old : std::string(UserFontHeader);
    if (!head.empty() && head.back() != '\n') head += "\r\n";
    if (!WriteFileSafe(path, head + text)) {
        WriteLog("Err:Cannot write font file (" + path + ")");
        return false;
    }
    if (LoadFont(dir, UserFontName)) {
        const int slot = FindFont(UserFontName);
        if (slot >= 0 && FontTab[slot].ShapeLen[Code] > 0) return true;
    }
    // The font no longer loads: the file goes back to what it was.
    WriteLog("Err:Font file does not load back, restored (" + path + ")");
    if (existed) {
        if (WriteFileSafe(path, old)) LoadFont(dir, UserFontName);
    } else {
        std::filesystem::remove(path, ec);
    }
    return false;
}
