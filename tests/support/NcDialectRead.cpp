#include "support/NcDialectRead.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180;

// A strict decimal number; false for anything else.
bool Num(const std::string& S, double& V) {
    if (S.empty()) return false;
    char* end = nullptr;
    V = std::strtod(S.c_str(), &end);
    return end == S.c_str() + S.size() && std::isfinite(V);
}

std::string Trim(const std::string& S) {
    const size_t a = S.find_first_not_of(' '), b = S.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : S.substr(a, b - a + 1);
}

std::vector<std::string> Split(const std::string& S, char Sep) {
    std::vector<std::string> v;
    std::stringstream ss(S);
    std::string item;
    while (std::getline(ss, item, Sep)) v.push_back(Trim(item));
    return v;
}

// The state of a machine replaying moves.
struct TReplay {
    TMachineRun Run;
    Osy3D Pos{0, 0, INFINITY};
    double Feed = 0;
    int Tool = 0;
    void Error(const std::string& Line, const std::string& Why) { Run.Messages += Why + ": " + Line + "\n"; }
    // A tool is in the spindle after any tool change, whatever its number.
    void ToolChange(int T) {
        Run.ToolChanges.push_back(T);
        Tool = int(Run.ToolChanges.size());
        Pos.z = INFINITY;
    }
    void SetFeed(double F) {
        Feed = F;
        Run.Feeds.push_back(F);
    }
    void Move(bool Rapid, const Osy3D& To) {
        TMachineMove m;
        m.Rapid = Rapid;
        m.From = Pos;
        m.To = To;
        m.Feed = Feed;
        m.Tool = Tool;
        Run.Moves.push_back(m);
        Pos = To;
    }
    void Arc(const Osy& C, const Osy& E, int Turn) {
        TMachineMove m;
        m.Arc = true;
        m.From = Pos;
        m.To = Osy3D{E.x, E.y, Pos.z};
        m.C = C;
        m.Turn = Turn;
        m.Feed = Feed;
        m.Tool = Tool;
        const double r0 = std::hypot(Pos.x - C.x, Pos.y - C.y), r1 = std::hypot(E.x - C.x, E.y - C.y);
        if (std::fabs(r0 - r1) > 0.002) Run.Messages += "arc radii differ\n";
        Run.Moves.push_back(m);
        Pos = m.To;
    }
    TMachineRun Done(bool Ended) {
        Run.Ok = Ended && Run.Messages.empty();
        if (!Ended) Run.Messages += "no program end\n";
        return Run;
    }
};

// Words "X12 Y-3 Z5" after a command: letter and number, each word once.
bool Words(const std::string& S, const std::string& Letters, double (&V)[8], bool (&Has)[8]) {
    for (bool& h : Has) h = false;
    for (const std::string& w : Split(S, ' ')) {
        if (w.empty()) continue;
        const size_t k = Letters.find(w[0]);
        double v;
        if (k == std::string::npos || Has[k] || !Num(w.substr(1), v)) return false;
        V[k] = v;
        Has[k] = true;
    }
    return true;
}

}  // namespace

std::vector<std::string> ProgramLines(const std::string& Text, std::string& Errors) {
    std::vector<std::string> lines;
    size_t a = 0;
    while (a < Text.size()) {
        size_t b = Text.find('\n', a);
        if (b == std::string::npos) {
            Errors += "last line without a line end\n";
            b = Text.size();
        }
        std::string l = Text.substr(a, b - a);
        if (l.empty() || l.back() != '\r')
            Errors += "line without CR: " + l + "\n";
        else
            l.pop_back();
        lines.push_back(l);
        a = b + 1;
    }
    return lines;
}

TMachineRun ReadNcpProgram(const std::string& Text) {
    TReplay M;
    bool ended = false;
    for (std::string l : ProgramLines(Text, M.Run.Messages)) {
        if (ended) M.Error(l, "after PROGEND");
        const size_t c = l.find(';');
        if (c != std::string::npos) l = l.substr(0, c);
        l = Trim(l);
        if (l.empty()) continue;
        const size_t sp = l.find(' ');
        const std::string cmd = l.substr(0, sp), rest = sp == std::string::npos ? "" : l.substr(sp + 1);
        double v[8];
        bool has[8];
        double n;
        if (cmd == "FASTABS" || cmd == "MOVEABS") {
            if (!Words(rest, "XYZ", v, has) || has[0] != has[1] || (!has[0] && !has[2])) {
                M.Error(l, "bad move");
                continue;
            }
            Osy3D to = M.Pos;
            if (has[0]) to = Osy3D{v[0] / 1000, v[1] / 1000, to.z};
            if (has[2]) to.z = v[2] / 1000;
            if (cmd == "MOVEABS" && !std::isfinite(double(to.z))) M.Error(l, "feed at an unknown height");
            M.Move(cmd == "FASTABS", to);
        } else if (cmd == "CCWABS" || cmd == "CWABS") {
            if (!Words(rest, "IJXY", v, has) || !(has[0] && has[1] && has[2] && has[3])) {
                M.Error(l, "bad arc");
                continue;
            }
            M.Arc(Osy{v[0] / 1000, v[1] / 1000}, Osy{v[2] / 1000, v[3] / 1000}, cmd == "CCWABS" ? 1 : -1);
        } else if (cmd == "VEL" && Num(rest, n) && n > 0) {
            M.SetFeed(n / 1000);
        } else if (cmd == "GETTOOL" && Num(rest, n) && n >= 1) {
            M.ToolChange(int(n));
        } else if ((cmd == "FASTVEL" && Num(rest, n) && n > 0) || (cmd == "WAIT" && Num(rest, n) && n >= 0) ||
                   l == "PLANE XY" || l == "COOLANT ON" || l == "COOLANT OFF" || l == "SPINDLE OFF" ||
                   (l.rfind("SPINDLE CW RPM", 0) == 0 && Num(l.substr(14), n) && n > 0)) {
        } else if (l == "PROGEND") {
            ended = true;
        } else {
            M.Error(l, "unknown command");
        }
    }
    return M.Done(ended);
}

TMachineRun ReadMcrProgram(const std::string& Text) {
    TReplay M;
    bool ended = false;
    for (const std::string& raw : ProgramLines(Text, M.Run.Messages)) {
        // Comments stand between "!" marks.
        std::string l;
        bool comment = false;
        for (char ch : raw) {
            if (ch == '!') comment = !comment;
            else if (!comment) l += ch;
        }
        if (comment) M.Error(raw, "unclosed comment");
        if (Trim(raw) == "! That's all folks !") ended = true;
        l = Trim(l);
        if (l.empty()) continue;
        if (l.back() != ';') {
            M.Error(raw, "no ';'");
            continue;
        }
        l.pop_back();
        const size_t sp = l.find(' ');
        const std::string cmd = l.substr(0, sp);
        std::vector<double> a;
        for (const std::string& w : Split(sp == std::string::npos ? "" : l.substr(sp + 1), ',')) {
            double v;
            if (!Num(w, v)) {
                M.Error(raw, "bad number");
                a.clear();
                break;
            }
            a.push_back(v);
        }
        if (cmd == "Axyz" && a.size() == 6 && (a[0] == 0 || a[0] == 1)) {
            M.Move(a[0] == 1, Osy3D{a[1], a[2], a[3]});
        } else if (cmd == "Circle" && a.size() == 11 && (a[3] == 0 || a[3] == -360)) {
            const double r = a[0] / 2, a1 = a[4] * DegToRad, a2 = a[5] * DegToRad;
            const Osy C{M.Pos.x - r * std::cos(a1), M.Pos.y - r * std::sin(a1)};
            M.Arc(C, Osy{C.x + r * std::cos(a2), C.y + r * std::sin(a2)}, a[3] == 0 ? 1 : -1);
        } else if (cmd == "Feed" && a.size() == 4 && a[0] > 0 && a[0] == a[1] && a[1] == a[2] && a[2] == a[3]) {
            M.SetFeed(a[0] / 0.06);
        } else if (cmd == "Tool" && a.size() == 4) {
            M.ToolChange(int(a[0]));
        } else if ((cmd == "Rpm" && a.size() == 4 && a[0] == 3) || l == "_Sprache 1") {
        } else {
            M.Error(raw, "unknown command");
        }
    }
    return M.Done(ended);
}

TMachineRun ReadExpProgram(const std::string& Text) {
    TReplay M;
    bool ended = false, down = false;
    double depth = 0, clearance = 0;
    std::string all;
    for (const std::string& l : ProgramLines(Text, M.Run.Messages)) all += l + ";";
    for (const std::string& c : Split(all, ';')) {
        if (c.empty()) continue;
        const bool own = c[0] == '!';
        const size_t n = own ? 3 : 2;
        const std::string cmd = c.substr(0, n), rest = Trim(c.substr(std::min(n, c.size())));
        std::vector<double> a;
        if (cmd != "!LB")
            for (const std::string& w : Split(rest, ',')) {
                double v;
                if (!w.empty() && Num(w, v)) a.push_back(v);
                else if (!w.empty()) M.Error(c, "bad number");
            }
        if (cmd == "PA" && a.empty()) {
        } else if (cmd == "PA" && a.size() == 2) {
            M.Move(!down, Osy3D{a[0] / 40, a[1] / 40, down ? -depth : clearance});
        } else if (cmd == "AA" && a.size() == 3 && down) {
            const Osy C{a[0] / 40, a[1] / 40};
            const double r = std::hypot(M.Pos.x - C.x, M.Pos.y - C.y);
            const double e = std::atan2(M.Pos.y - C.y, M.Pos.x - C.x) + a[2] * DegToRad;
            M.Arc(C, Osy{C.x + r * std::cos(e), C.y + r * std::sin(e)}, a[2] > 0 ? 1 : -1);
        } else if (cmd == "PD" && a.empty()) {
            down = true;
            M.Move(false, Osy3D{M.Pos.x, M.Pos.y, -depth});
        } else if (cmd == "PU" && a.empty()) {
            if (down) M.Move(true, Osy3D{M.Pos.x, M.Pos.y, clearance});
            down = false;
        } else if (cmd == "!PZ" && a.size() == 2) {
            depth = a[0] / 100;
            clearance = a[1] / 100;
        } else if (cmd == "VS" && a.size() == 1 && a[0] >= 1 && a[0] <= 35) {
            M.SetFeed(a[0]);
        } else if (cmd == "!LB" && rest.size() > 2 && rest[0] == 'T' && rest.find('=') != std::string::npos) {
            M.ToolChange(std::atoi(rest.c_str() + 1));
        } else if ((cmd == "IN" || cmd == "!OP" || cmd == "!JF") && a.empty()) {
            ended = ended || cmd == "!JF";
        } else if ((cmd == "!MC" && a.size() == 1) || (cmd == "DR" && a.size() == 1) ||
                   (cmd == "!VZ" && a.size() == 1 && a[0] >= 1 && a[0] <= 35)) {
        } else {
            M.Error(c, "unknown command");
        }
    }
    return M.Done(ended);
}
