// Blocks of the Sinumerik program: numbering, the 39-character limit, number format,
// spindle, coolant, feed and motion words.
#include <charconv>
#include <cmath>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "formats/SafeFile.h"
#include "core/TextFile.h"
#include "output/MpfRun.h"
#include "output/NcClamps.h"
#include "output/NcRun.h"
#include "output/Sinumeric802.h"

namespace {

constexpr size_t MaxBlock = 39;
constexpr size_t MaxRest = 24;
constexpr size_t FlushSize = 1 << 20;

// The first N characters (not bytes) of a UTF-8 text.
std::string FirstChars(const std::string& S, size_t N) {
    size_t i = 0, n = 0;
    while (i < S.size() && n < N) {
        ++i;
        while (i < S.size() && (uint8_t(S[i]) & 0xC0) == 0x80) ++i;
        ++n;
    }
    return S.substr(0, i);
}

// The digits at Pos of S moved into Call; false unless they form a number.
bool TakeNumber(const std::string& S, size_t& Pos, std::string& Call) {
    const size_t from = Pos;
    while (Pos < S.size() && S[Pos] >= '0' && S[Pos] <= '9') ++Pos;
    int v = 0;
    const auto r = std::from_chars(S.data() + from, S.data() + Pos, v);
    if (Pos == from || r.ec != std::errc() || r.ptr != S.data() + Pos) return false;
    Call.append(S, from, Pos - from);
    return true;
}

// A coordinate as the control reads it: rounded to the written decimals.
Extended AsWritten(Extended V) { return std::round(V * 1000) / 1000; }

}  // namespace

bool SinumericToolName(const std::string& Name, std::string& Call, std::string& Rest) {
    Call.clear();
    Rest = Name;
    if (Name.empty() || Name[0] != 'T') return false;
    std::string call = "T";
    size_t pos = 1;
    if (!TakeNumber(Name, pos, call) || pos >= Name.size() || Name[pos] != 'D') return false;
    call += 'D';
    ++pos;
    if (!TakeNumber(Name, pos, call)) return false;
    Call = call;
    Rest = FirstChars(Name.substr(pos) + " ", MaxRest);
    return true;
}

bool MpfToolCall(const TTool& T, std::string& Call, std::string& Rest) {
    if (T.Tnum > 0 && T.Dnum > 0) {
        Call = "T" + std::to_string(T.Tnum) + "D" + std::to_string(T.Dnum);
        Rest = FirstChars(T.JmNastroje, MaxRest);
        return true;
    }
    return SinumericToolName(T.JmNastroje, Call, Rest);
}

std::string MpfNumber(long double Value) {
    std::string s = FormatNcNumber(3, Value);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s == "-0" || s.empty() ? "0" : s;
}

TMpfRun::~TMpfRun() { FreeObjList(ClampStart, ClampEnd); }

const TTool& TMpfRun::Tool() const {
    return Glob.Tool[CurLayer >= 1 && CurLayer <= ToolLayerCount ? CurLayer : 1];
}

void TMpfRun::Flush() {
    if (Out.empty()) return;
    if (!WriteFailed && !AppendFileBytes(TempFilePath(), Out)) WriteFailed = true;
    Out.clear();
}

void TMpfRun::Error(const std::string& Line) {
    for (const std::string& e : Errors)
        if (e == Line) return;
    Errors.push_back(Line);
}

void MpfWriteLine(TMpfRun& R, const std::string& Text) {
    R.Out += Utf8ToCp1250(Text);
    R.Out += "\r\n";
    if (R.Out.size() >= FlushSize) R.Flush();
}

void MpfWriteBlock(TMpfRun& R, const std::string& Text) {
    if (Text.empty()) return;
    R.BlockCounter += R.BlockIncrement;
    std::string line = Utf8ToCp1250(R.BlockIncrement > 0 ? "N" + std::to_string(R.BlockCounter) + " " + Text : Text);
    if (line.size() > MaxBlock) {
        // The control reads no longer block. A comment may lose its end; a cut word
        // would move the machine elsewhere, so such a program is not written at all.
        const size_t comment = line.find(';');
        if (comment == std::string::npos || comment > MaxBlock) {
            if (R.LongBlock.empty()) R.LongBlock = Cp1250ToUtf8(line);
            return;
        }
        line.resize(MaxBlock);
    }
    R.Out += line;
    R.Out += "\r\n";
    if (R.Out.size() >= FlushSize) R.Flush();
}

void MpfSpindle(TMpfRun& R, Extended Dwell, Extended Speed) {
    if (std::fabs(Speed - R.LastSpeed) <= CoordTol) return;
    if (std::fabs(Speed) <= CoordTol) {
        MpfWriteBlock(R, "M5");
        R.SpindleOn = false;
        R.LastSpeed = 0;
    } else {
        MpfWriteBlock(R, "S" + MpfNumber(std::fabs(Speed)) + (Speed > 0 ? " M3" : " M4"));
        R.SpindleOn = true;
        R.LastSpeed = Speed;
    }
    if (Dwell > CoordTol) MpfWriteBlock(R, "G4 F" + MpfNumber(Dwell));
}

void MpfCoolant(TMpfRun& R, int Kind, Extended Dwell) {
    if (Kind == Zadne) {
        if (!R.CoolantOn) return;
        MpfWriteBlock(R, "M9");
        R.CoolantOn = false;
        return;
    }
    MpfWriteBlock(R, Kind == Proud ? "M8" : "M7");
    R.CoolantOn = true;
    if (Dwell > CoordTol) MpfWriteBlock(R, "G4 F" + MpfNumber(Dwell));
}

void MpfFeed(TMpfRun& R, Extended F) {
    const std::string value = MpfNumber(F * 60);
    // A feed of zero stops the control and a negative one is no feed: the feed in
    // force stays and the user learns which layer lacks one.
    if (!(F > 0) || value == "0") {
        R.Error("Vrstva " + std::to_string(R.CurLayer) + ": posuv " + value + " není kladný, nezapsán");
        return;
    }
    MpfWriteBlock(R, "F" + value);
}

void MpfMoveZ(TMpfRun& R, const std::string& Prefix, Extended Z) {
    const std::string zt = MpfNumber(Z);
    if (zt == R.LastZ && !R.ForceMove) return;
    MpfWriteBlock(R, Prefix + " Z" + zt);
    R.LastZ = zt;
    R.ForceMove = false;
}

void MpfMoveXY(TMpfRun& R, bool Rapid, const Osy& P) {
    const std::string xt = MpfNumber(P.x), yt = MpfNumber(P.y);
    if (xt == R.LastX && yt == R.LastY && !R.ForceMove) return;
    MpfWriteBlock(R, std::string(Rapid ? "G0 " : "G1 ") + "X" + xt + " Y" + yt);
    R.LastX = xt;
    R.LastY = yt;
    R.ForceMove = false;
}

void MpfMoveXYZ(TMpfRun& R, bool Rapid, const Osy3D& P) {
    const std::string xt = MpfNumber(P.x), yt = MpfNumber(P.y), zt = MpfNumber(P.z);
    if (xt == R.LastX && yt == R.LastY && zt == R.LastZ && !R.ForceMove) return;
    MpfWriteBlock(R, std::string(Rapid ? "G0 " : "G1 ") + "X" + xt + " Y" + yt + " Z" + zt);
    R.LastX = xt;
    R.LastY = yt;
    R.LastZ = zt;
    R.ForceMove = false;
}

void MpfArcXY(TMpfRun& R, const Osy& S, const Osy& E, Extended Angle) {
    const std::string xt = MpfNumber(E.x), yt = MpfNumber(E.y);
    if (xt == R.LastX && yt == R.LastY && !R.ForceMove) return;
    // The radius as ArcCenter gives it; its centre is made once, below.
    Extended sh, ch, Rad;
    SinCos(std::fabs(Angle) / 2, sh, ch);
    Rad = Dist(S, E) / (2 * sh);
    // An arc flatter than the last decimal is a straight move to the control.
    if (!std::isfinite(Rad) || Rad * (1 - std::cos(Angle / 2)) < 0.0005L) return MpfMoveXY(R, false, E);
    // The centre from the points as written, so both radii agree to the last decimal.
    const Osy s{AsWritten(S.x), AsWritten(S.y)}, e{AsWritten(E.x), AsWritten(E.y)};
    Osy C;
    ArcCenter(SamePt(s, e) ? S : s, SamePt(s, e) ? E : e, Angle, C, Rad);
    MpfWriteBlock(R, std::string(Angle >= 0 ? "G3 " : "G2 ") + "X" + xt + " Y" + yt + " I" + MpfNumber(C.x - s.x) +
                         " J" + MpfNumber(C.y - s.y));
    R.LastX = xt;
    R.LastY = yt;
    R.ForceMove = false;
}

void MpfClampRapid(TMpfRun& R, const Osy& From, const Osy& To) {
    if (RapidCrossesClamp(R.ClampStart, From, To)) MpfMoveZ(R, "G0", Glob.SpolParObr.PrejezdNadUpin);
}
