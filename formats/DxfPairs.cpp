#include "formats/DxfPairs.h"

#include "core/Global.h"

#include <charconv>
#include <cmath>
#include <cstring>

std::string_view DxfTrim(std::string_view S) {
    size_t b = 0, e = S.size();
    while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
    return S.substr(b, e - b);
}

std::string ReadDxfLine(std::string_view Raw) {
    std::string s(DxfTrim(Raw));
    bool comma = false;
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c == ',' && !comma) c = '.', comma = true;
    }
    return s;
}

bool DxfIs(std::string_view A, std::string_view B) {
    return SameUpper(DxfTrim(A), B);
}

bool DxfNumber(std::string_view Raw, Extended& Value, bool& Range) {
    Range = false;
    std::string_view s = DxfTrim(Raw);
    char buf[64];
    if (s.empty() || s.size() >= sizeof buf) return false;
    size_t n = 0;
    bool comma = false;
    for (char c : s) {
        if (c == ',' && !comma) c = '.', comma = true;
        buf[n++] = c;
    }
    const char* p = buf;
    const char* end = buf + n;
    if (*p == '+') ++p;
    // from_chars takes no "inf" or "nan" in fixed or scientific digits, but the general
    // form does: both are refused below as out of range.
    Extended v = 0;
    const auto r = std::from_chars(p, end, v, std::chars_format::general);
    if (r.ptr != end) return false;
    if (r.ec == std::errc::result_out_of_range || !std::isfinite(v) || std::fabs(v) > DxfMaxNumber) {
        Range = true;
        return false;
    }
    if (r.ec != std::errc()) return false;
    Value = v;
    return true;
}

bool DxfInt(std::string_view Raw, int32_t& Value) {
    const char* p = Raw.data();
    const char* e = p + Raw.size();
    while (p < e && static_cast<unsigned char>(*p) <= ' ') ++p;
    while (e > p && static_cast<unsigned char>(e[-1]) <= ' ') --e;
    if (p < e && *p == '+') ++p;
    if (p == e) return false;
    // Group codes are a few digits: read at once; anything else goes the general way.
    if (e - p <= 9) {
        int32_t v = 0;
        const char* d = p;
        while (d < e && static_cast<unsigned char>(*d - '0') <= 9) v = v * 10 + (*d++ - '0');
        if (d == e) {
            Value = v;
            return true;
        }
    }
    const auto r = std::from_chars(p, e, Value);
    return r.ec == std::errc() && r.ptr == e;
}

std::string_view TDxfCursor::NextLine() {
    const char* b = Data.data() + Pos;
    const size_t left = Data.size() - Pos;
    const void* lf = std::memchr(b, '\n', left);
    size_t len = lf ? size_t(static_cast<const char*>(lf) - b) : left;
    Pos += lf ? len + 1 : len;
    ++Line;
    while (len > 0 && b[len - 1] == '\r') --len;
    return std::string_view(b, len);
}

bool TDxfCursor::Next(TDxfPair& P) {
    if (HasPending) {
        HasPending = false;
        P = Pending;
        return true;
    }
    int32_t code = 0;
    for (;;) {
        if (Pos >= Data.size()) return false;
        const std::string_view c = NextLine();
        const bool isInt = DxfInt(c, code);
        if (Resync) {
            // Back in step at a line "0" followed by a name (the next entity or section
            // mark); a "0" followed by a number is a value.
            if (!isInt || code != 0) continue;
            const size_t keep = Pos;
            const int32_t keepLine = Line;
            int32_t n = 0;
            const bool numberNext = Pos < Data.size() && DxfInt(NextLine(), n);
            Pos = keep;
            Line = keepLine;
            if (numberNext) continue;
        }
        Resync = false;
        if (!isInt) {
            Resync = true;
            P.Code = DxfBadCode;
            P.Raw = c;
            P.Line = Line;
            return true;
        }
        break;
    }
    P.Code = code;
    P.Line = Line;
    P.Raw = Pos < Data.size() ? NextLine() : std::string_view();
    return true;
}
