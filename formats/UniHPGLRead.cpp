// The HPGL reader: PA, PR, PU, PD, AA, AR, IN, IP, SC and SP; every other command is
// passed over, its parameters read as separators.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniGeom.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "formats/HPInDg.h"
#include "formats/UniHPGL.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// The plotter's own integer range: a number beyond it is no coordinate of a plot.
constexpr Extended HpMaxNumber = 1073741824.0L;

bool IsCmdLetter(char C) { return C >= 'A' && C <= 'Z'; }
bool IsNumChar(char C) { return C == '-' || C == '.' || (C >= '0' && C <= '9'); }

class THpReader {
public:
    THpReader(const std::string& Bytes, Extended ScaleX, Extended ScaleY, Osy& Min, Osy& Max)
        : B(Bytes), ScaleX(ScaleX), ScaleY(ScaleY), Min(Min), Max(Max) {}
    void Read();

private:
    // ---- the character stream ----
    bool End() const { return Pos >= B.size(); }
    bool ReadCommand(std::string& Cmd);
    // Reads the next number's text; Letter tells that it stopped on a command letter.
    std::string ReadNumber(bool& Letter);
    bool Convert(const std::string& Text, Extended& V) const;

    // ---- the commands ----
    void Init();
    void Widen(const Osy& P);
    void Finish();
    Osy Map(Extended X, Extended Y) const;
    // Within the plotter's range at the dialog's steps: what the file can have meant.
    bool InRange(const Osy& P) const {
        return std::fabs(P.x * ScaleX) <= HpMaxNumber && std::fabs(P.y * ScaleY) <= HpMaxNumber;
    }
    void PairLoop(bool Draw);
    void DrawTo(const Osy& P);
    void Ip();
    void Sc();
    void Arc(bool Abs);
    void Bad();

    const std::string& B;
    size_t Pos = 0;
    bool Pending = false;
    char PendingLetter = 0;
    Osy Cur{0, 0};
    bool PenDown = false, Absolute = true, Stop = false;
    Extended ScaleX, ScaleY;
    Extended FactX = 1, FactY = 1, OffX = 0, OffY = 0;
    // Scaling points; before the first IP the plotter's origin and one unit per step.
    bool HaveP = false;
    Extended P1x = 0, P1y = 0, P2x = 0, P2y = 0;
    uint8_t Layer = LayerOrig;
    Osy& Min;
    Osy& Max;
};

bool THpReader::ReadCommand(std::string& Cmd) {
    Cmd.clear();
    if (Pending) Cmd += PendingLetter;
    Pending = false;
    while (Cmd.size() < 2 && !End()) {
        const char c = B[Pos++];
        if (IsCmdLetter(c)) Cmd += c;
    }
    return Cmd.size() == 2;
}

std::string THpReader::ReadNumber(bool& Letter) {
    Letter = false;
    std::string t;
    while (!End() && !IsNumChar(B[Pos]) && !IsCmdLetter(B[Pos])) ++Pos;
    // The number runs to the last character of the file: the file's last digit is part
    // of it.
    while (!End() && IsNumChar(B[Pos])) t += B[Pos++];
    if (!End() && IsCmdLetter(B[Pos])) {
        Letter = true;
        Pending = true;
        PendingLetter = B[Pos++];
    }
    return t;
}

bool THpReader::Convert(const std::string& Text, Extended& V) const {
    if (Text.empty()) return false;
    const char* p = Text.data();
    const char* e = p + Text.size();
    double d = 0;
    const auto r = std::from_chars(p, e, d, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != e || !std::isfinite(d) || std::fabs(d) > HpMaxNumber) return false;
    V = d;
    return true;
}

void THpReader::Init() {
    WriteLog("Sys:init HPGL");
    Absolute = true;
    FactX = 1 / ScaleX;
    FactY = 1 / ScaleY;
    OffX = OffY = 0;
}

void THpReader::Widen(const Osy& P) {
    Min.x = std::min(Min.x, P.x);
    Min.y = std::min(Min.y, P.y);
    Max.x = std::max(Max.x, P.x);
    Max.y = std::max(Max.y, P.y);
}

void THpReader::Finish() {
    if (PenDown) {
        AddLinePt(Cur);
        MakeObj(Layer, MainVars.DataStart, MainVars.DataEnd);
    }
    PenDown = false;
}

Osy THpReader::Map(Extended X, Extended Y) const {
    if (Absolute) return Osy{(X + OffX) * FactX, (Y + OffY) * FactY};
    return Osy{X * FactX + Cur.x, Y * FactY + Cur.y};
}

void THpReader::DrawTo(const Osy& P) {
    if (PenDown && (P.x != Cur.x || P.y != Cur.y)) {
        AddSeg(P, 0, Glob.InputFiltr);
        Widen(P);
    }
    Cur = P;
}

void THpReader::Bad() {
    ShowMessage(Msg[26]);
    WriteLog("Err:Bad HPGL file");
    Stop = true;
}

void THpReader::PairLoop(bool Draw) {
    while (!Pending && !End()) {
        bool letter = false;
        const std::string xt = ReadNumber(letter);
        if (xt.empty() && (letter || End())) return;
        Extended x = 0, y = 0;
        if (!Convert(xt, x) || letter) return Bad();
        const std::string yt = ReadNumber(letter);
        if (!Convert(yt, y)) return Bad();
        const Osy p = Map(x, y);
        if (!InRange(p)) return Bad();
        if (Draw) DrawTo(p);
        else Cur = p;
    }
}

void THpReader::Ip() {
    Extended* v[4] = {&P1x, &P1y, &P2x, &P2y};
    Extended got[4] = {P1x, P1y, P2x, P2y};
    for (int i = 0; i < 4; ++i) {
        bool letter = false;
        const std::string t = ReadNumber(letter);
        if (!Convert(t, got[i])) {
            // An IP without parameters brings back the plotter's own scaling points.
            if (i == 0 && t.empty()) HaveP = false;
            Init();
            return;
        }
        *v[i] = got[i];
        if (i == 3) HaveP = true;
        if (letter) return;
    }
}

void THpReader::Sc() {
    Extended n[4];
    for (int i = 0; i < 4; ++i) {
        bool letter = false;
        if (!Convert(ReadNumber(letter), n[i])) return Init();
        if (letter && i < 3) return;
    }
    const Extended xmin = n[0], xmax = n[1], ymin = n[2], ymax = n[3];
    // Without scaling points a user unit is one plotter step from the plotter's origin.
    const Extended p1x = HaveP ? P1x : 0, p1y = HaveP ? P1y : 0;
    const Extended p2x = HaveP ? P2x : p1x + (xmax - xmin), p2y = HaveP ? P2y : p1y + (ymax - ymin);
    const Extended kx = (p2x - p1x) / (xmax - xmin), ky = (p2y - p1y) / (ymax - ymin);
    if (xmax == xmin || ymax == ymin || !std::isfinite(kx) || !std::isfinite(ky) || kx == 0 || ky == 0) {
        // A range without width maps nothing: the scaling stays as it was.
        WriteLog("Err:HPGL SC with an empty range ignored");
        return;
    }
    // User unit u lands on the plotter step p1 + (u - min) * k.
    FactX = kx / ScaleX;
    FactY = ky / ScaleY;
    OffX = p1x / kx - xmin;
    OffY = p1y / ky - ymin;
}

void THpReader::Arc(bool Abs) {
    if (std::fabs(FactX - FactY) > CoordTol) {
        ShowMessage(Msg[27]);
        WriteLog("Err:HPGL arc with unequal axis scales");
        Stop = true;
        return;
    }
    Absolute = Abs;
    Extended cx = 0, cy = 0, deg = 0;
    bool letter = false;
    if (!Convert(ReadNumber(letter), cx) || letter) return Bad();
    if (!Convert(ReadNumber(letter), cy) || letter) return Bad();
    if (!Convert(ReadNumber(letter), deg)) return Bad();
    const Osy c = Abs ? Osy{(cx + OffX) * FactX, (cy + OffY) * FactY} : Osy{cx * FactX + Cur.x, cy * FactY + Cur.y};
    if (!InRange(c)) return Bad();
    // A sweep beyond the full circle draws the same circle again.
    Extended a = std::clamp<Extended>(deg, -360, 360) * GeomPi / 180;
    Osy s = Cur;
    const Extended r = std::hypot(s.x - c.x, s.y - c.y);
    const Extended a0 = Angle(c, s);
    const Osy m{c.x + r * std::cos(a0 + a / 2), c.y + r * std::sin(a0 + a / 2)};
    const Osy e{c.x + r * std::cos(a0 + a), c.y + r * std::sin(a0 + a)};
    if (!InRange(m) || !InRange(e)) return Bad();
    if (PenDown) {
        Osy lo, hi;
        if (std::fabs(a) > GeomPi) {
            a /= 2;
            AddSeg(m, a, Glob.InputFiltr);
            ArcEnvelope(s, m, a, lo, hi);
            Widen(lo);
            Widen(hi);
            s = m;
        }
        AddSeg(e, a, Glob.InputFiltr);
        ArcEnvelope(s, e, a, lo, hi);
        Widen(lo);
        Widen(hi);
    }
    Cur = e;
}

void THpReader::Read() {
    Init();
    std::string cmd;
    while (!End() && !Stop) {
        if (!ReadCommand(cmd)) break;
        if (cmd == "PA" || cmd == "PR") {
            Absolute = cmd == "PA";
            PairLoop(PenDown);
        } else if (cmd == "PD") {
            if (!PenDown) {
                Widen(Cur);
                StartObj(Cur);
            }
            PenDown = true;
            PairLoop(true);
        } else if (cmd == "PU") {
            Finish();
            PairLoop(false);
        } else if (cmd == "SP") {
            Finish();
            bool letter = false;
            const std::string t = ReadNumber(letter);
            if (!t.empty()) {
                Extended v = 0;
                const int pen = Convert(t, v) ? int(std::trunc(v)) : 0;
                Layer = pen >= 1 && pen <= 8 ? uint8_t(pen) : uint8_t(LayerOrig);
            }
        } else if (cmd == "IN") {
            Init();
        } else if (cmd == "IP") {
            Ip();
        } else if (cmd == "SC") {
            Sc();
        } else if (cmd == "AA" || cmd == "AR") {
            Arc(cmd == "AA");
        }
    }
    Finish();
}

// A dialog text as a positive number; the error is logged and shown otherwise.
bool DialogNumber(const std::string& Text, const char* What, bool Positive, Extended& V) {
    if (StrToExtCalc(Text, V, false) && std::isfinite(V) && (!Positive || V > 0)) return true;
    WriteLog(std::string("Err:Wrong ") + What + " (" + Text + ")");
    ShowMessage(Msg[28]);
    return false;
}

}  // namespace

bool LoadHPGL(const std::string& FileName, Osy& Min, Osy& Max) {
    WriteLog("Sys:load HPGL Start (" + FileName + ")");
    if (!HPInputDialog) CreateHPInputDialog();
    const THPInputDialog& D = *HPInputDialog;
    Extended sx = 0, sy = 0, dx = 0, dy = 0;
    bool ok = DialogNumber(D.EditXscale->Text, "scale X", true, sx) &&
              DialogNumber(D.EditYscale->Text, "scale Y", true, sy) &&
              DialogNumber(D.EditXdest->Text, "pos X", false, dx) && DialogNumber(D.EditYdest->Text, "pos Y", false, dy);
    std::string bytes;
    if (ok && !ReadFileBytes(FileName, bytes)) {
        WriteLog("Err:FAILED Load HPGL, file not read");
        ShowMessage(Msg[29]);
        ok = false;
    }
    if (ok) {
        Glob.Dest = Osy{dx, dy};
        Min = Osy{1000000, 1000000};
        Max = Osy{-1000000, -1000000};
        THpReader(bytes, sx, sy, Min, Max).Read();
    }
    WriteLog("Sys:Load HPGL End");
    return ok;
}
