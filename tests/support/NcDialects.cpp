#include "support/NcDialects.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

struct TWord {
    char Letter;
    double Value;
};

// Splits a line into letter-number words; blanks between words are optional.
bool Words(const std::string& Line, std::vector<TWord>& Out, std::string& Bad) {
    size_t i = 0;
    while (i < Line.size()) {
        const char c = Line[i];
        if (c == ' ' || c == '\r' || c == '\t') {
            ++i;
            continue;
        }
        if (c < 'A' || c > 'Z') {
            Bad = Line;
            return false;
        }
        size_t j = i + 1;
        while (j < Line.size() && (std::isdigit(uint8_t(Line[j])) || Line[j] == '.' || Line[j] == '-')) ++j;
        if (j == i + 1) {
            Bad = Line;
            return false;
        }
        Out.push_back(TWord{c, std::strtod(Line.substr(i + 1, j - i - 1).c_str(), nullptr)});
        i = j;
    }
    return true;
}

// One control's state while its program runs.
struct TControlState {
    TMachineRun Run;
    Osy3D Pos{0, 0, INFINITY};
    int Motion = 0;  // 0, 1, 2, 3 or 63
    double Feed = 0;
    int Tool = 0, NextTool = 0;

    void Block(const std::vector<TWord>& W) {
        bool dwell = false, move = false, fixedPoint = false, change = false;
        Osy3D to = Pos;
        double i = 0, j = 0;
        for (const TWord& w : W)
            if (w.Letter == 'G' && w.Value == 4) dwell = true;
        for (const TWord& w : W) {
            switch (w.Letter) {
                case 'G': {
                    const int g = int(w.Value);
                    if (g == 0 || g == 1 || g == 2 || g == 3 || g == 63) Motion = g;
                    else if (g == 75) fixedPoint = true;
                    else if (g != 4 && g != 17 && g != 90 && g != 60 && g != 64 && (g < 54 || g > 57))
                        Run.Messages += "unknown word G" + std::to_string(g) + "\n";
                    break;
                }
                case 'X': to.x = w.Value, move = true; break;
                case 'Y': to.y = w.Value, move = true; break;
                case 'Z': to.z = w.Value, move = true; break;
                case 'I': i = w.Value; break;
                case 'J': j = w.Value; break;
                case 'F':
                    if (!dwell) {
                        Feed = w.Value;
                        Run.Feeds.push_back(Feed);
                    }
                    break;
                case 'T': NextTool = int(w.Value); break;
                case 'M':
                    if (w.Value == 6) change = true;
                    break;
                case 'S': case 'D': case 'N': break;
                default: Run.Messages += std::string("unknown word ") + w.Letter + "\n";
            }
        }
        if (fixedPoint) {
            Pos = Osy3D{0, 0, INFINITY};
            return;
        }
        if (change) {
            Tool = NextTool;
            Run.ToolChanges.push_back(Tool);
            Pos.z = INFINITY;
        }
        if (!move || dwell) return;
        TMachineMove m;
        m.From = Pos;
        m.To = to;
        m.Feed = Feed;
        m.Tool = Tool;
        m.Rapid = Motion == 0;
        if (Motion == 2 || Motion == 3) {
            m.Arc = true;
            m.C = Osy{Pos.x + i, Pos.y + j};
            m.Turn = Motion == 3 ? 1 : -1;
        }
        Run.Moves.push_back(m);
        Pos = to;
    }
};

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> out;
    std::stringstream ss(Text);
    std::string l;
    while (std::getline(ss, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        out.push_back(l);
    }
    return out;
}

}  // namespace

TMachineRun ReadMpfRun(const std::string& Text) {
    TControlState S;
    for (std::string l : Lines(Text)) {
        if (l.rfind("%", 0) == 0) continue;
        if (const size_t c = l.find(';'); c != std::string::npos) l.resize(c);
        std::vector<TWord> w;
        std::string bad;
        if (!Words(l, w, bad)) {
            S.Run.Messages += "unreadable block " + bad + "\n";
            continue;
        }
        S.Block(w);
    }
    S.Run.Ok = S.Run.Messages.empty();
    return S.Run;
}

TMachineRun ReadCncRun(const std::vector<std::string>& Texts) {
    TControlState S;
    for (const std::string& t : Texts) {
        // Every file is a program of its own: the modal words start afresh.
        S.Motion = 0;
        S.Feed = 0;
        for (const std::string& l : Lines(t)) {
            std::vector<TWord> w;
            std::string bad;
            if (!Words(l, w, bad)) {
                S.Run.Messages += "unreadable line " + bad + "\n";
                continue;
            }
            S.Block(w);
        }
    }
    S.Run.Ok = S.Run.Messages.empty();
    return S.Run;
}
