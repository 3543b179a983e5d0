#include "tools/ToolSectionLines.h"

#include <cfenv>
#include <climits>
#include <cmath>
#include <string_view>

#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"

TSectionLine SplitSectionLine(std::string_view Line) {
    TSectionLine L;
    const size_t eq = Line.find('=');
    const size_t b = Line.find_first_not_of(' ');
    if (eq == std::string_view::npos) {
        if (b != std::string_view::npos) L.Key = Line.substr(b, Line.find_last_not_of(' ') - b + 1);
        return L;
    }
    if (b < eq) L.Key = Line.substr(b, eq - b);
    L.Val = Line.substr(eq + 1);
    L.HasVal = true;
    return L;
}

namespace {

// SplitSectionLine(Line).Key == Word, most lines refused by their first word alone:
// the search for a start word passes over every line before it (a job's TOOLS section
// holds tens of thousands).
bool KeyIs(std::string_view Line, std::string_view Word) {
    if (Word.empty() || Word.find_first_of(" =") != std::string_view::npos) return SplitSectionLine(Line).Key == Word;
    const size_t b = Line.find_first_not_of(' ');
    if (b == std::string_view::npos || Line.compare(b, Word.size(), Word) != 0) return false;
    // After the word: "=" ends the key; blanks only, with no "=", are trimmed off it.
    const std::string_view rest = Line.substr(b + Word.size());
    const size_t more = rest.find_first_not_of(' ');
    return more == std::string_view::npos || (more == 0 && rest[0] == '=');
}

}  // namespace

size_t SectionStart(const std::vector<std::string>& Lines, std::string_view Start) {
    for (size_t i = 0; i < Lines.size(); ++i)
        if (KeyIs(Lines[i], Start)) return i + 1;
    return std::string::npos;
}

void SectionOfLines(const std::vector<std::string>& Lines, std::string_view Start, std::string_view End,
                    std::vector<TSectionLine>& Out, bool& Found) {
    Out.clear();
    const size_t first = SectionStart(Lines, Start);
    Found = first != std::string::npos;
    if (Found) ForEachSectionLine(Lines, first, End, [&Out](const TSectionLine& L) { Out.push_back(L); });
}

bool ReadSection(const std::string& File, std::string_view Start, std::string_view End,
                 std::vector<std::string>& Lines, std::vector<TSectionLine>& Out, bool& Found) {
    Lines.clear();
    Out.clear();
    Found = false;
    if (!ReadTextLines(File, Lines)) {
        WriteLog("Err:FAILED read " + std::string(Start) + " section (" + File + ")");
        return false;
    }
    SectionOfLines(Lines, Start, End, Out, Found);
    return true;
}

bool WriteSectionLines(const std::string& File, const std::vector<std::string>& Lines, bool Append) {
    return WriteSectionText(File, JoinTextLines(Lines), Append);
}

bool WriteSectionText(const std::string& File, const std::string& Text, bool Append) {
    const bool ok = Append && TextFileExists(File) ? AppendFileBytes(File, Text) : WriteFileSafe(File, Text);
    if (!ok) WriteLog("Err:FAILED write (" + File + ")");
    return ok;
}

bool TFieldReader::Next(std::string_view& F) {
    const size_t c = S.find(',', Pos);
    if (c == std::string_view::npos) return false;
    F = S.substr(Pos, c - Pos);
    Pos = c + 1;
    return true;
}

std::string_view TFieldReader::Rest() {
    const std::string_view r = Pos < S.size() ? S.substr(Pos) : std::string_view();
    Pos = S.size();
    return r;
}

bool SecNum(std::string_view S, Extended& V) {
    Extended x = 0;
    if (!StrToExtCalcText(S, x, false) || !std::isfinite(x)) return false;
    V = x;
    return true;
}

namespace {
bool FitsInt(Extended X) { return X >= INT32_MIN && X <= INT32_MAX; }
}  // namespace

bool SecTrunc(std::string_view S, int32_t& V) {
    Extended x = 0;
    if (!SecNum(S, x)) return false;
    x = std::trunc(x);
    if (!FitsInt(x)) return false;
    V = int32_t(x);
    return true;
}

bool SecRound(std::string_view S, int32_t& V) {
    Extended x = 0;
    if (!SecNum(S, x)) return false;
    x = std::nearbyint(x);  // the default rounding: halves to the even neighbour
    if (!FitsInt(x)) return false;
    V = int32_t(x);
    return true;
}

bool SecFlag(std::string_view S, bool& V) {
    int32_t i = 0;
    if (!SecTrunc(S, i)) return false;
    V = i > 0;
    return true;
}

std::string CommaToDot(const std::string& Text) {
    std::string r = Text;
    for (char& c : r)
        if (c == ',') c = '.';
    return r;
}

std::string OneLineText(const std::string& Text) {
    std::string r;
    r.reserve(Text.size());
    for (char c : Text) {
        if (c == '\\') r += "\\\\";
        else if (c == '\n') r += "\\n";
        else if (c == '\r') r += "\\r";
        else r += c;
    }
    return r;
}

std::string MultiLineText(std::string_view Text) {
    std::string r;
    r.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        const char n = i + 1 < Text.size() ? Text[i + 1] : '\0';
        if (c == '\\' && (n == '\\' || n == 'n' || n == 'r')) {
            r += n == 'n' ? '\n' : n == 'r' ? '\r' : '\\';
            ++i;
        } else {
            r += c;
        }
    }
    return r;
}
