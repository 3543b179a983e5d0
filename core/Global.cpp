#include "core/Global.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/DecimalText.h"

void (*OnMarkInvalidInput)() = nullptr;

std::string BoolToText(bool B) { return B ? "true" : "false"; }

// ---------------------------------------------------------------------------
// Number text
// ---------------------------------------------------------------------------

namespace {

// Removes trailing zeros of a fixed-point text, keeping one digit behind the point.
std::string TrimFraction(std::string T) {
    while (!T.empty() && T.back() == '0') T.pop_back();
    if (!T.empty() && T.back() == '.') T.push_back('0');
    return T;
}

constexpr uint64_t Ten17 = 100000000000000000ULL, Ten18 = 1000000000000000000ULL;

// The decimal zeros N (not 0) ends with, counted in the integer: reading them back
// from the text just written would wait for its stores.
int TrailingZeros(uint64_t N) {
    if (N % 10 != 0) return 0;  // the common case of a value with all its digits
    int tz = 0;
    for (int i = 0; i < 2 && N % 100000000 == 0; ++i, tz += 8) N /= 100000000;
    if (N % 10000 == 0) N /= 10000, tz += 4;
    if (N % 100 == 0) N /= 100, tz += 2;
    if (N % 10 == 0) tz += 1;
    return tz;
}

// The 8 digits of N (below 10^8) as bytes of one word, first digit lowest: halves,
// quarters and eighths split side by side in the word's lanes.
uint64_t EightDigits(uint32_t N) {
    uint64_t v = uint64_t(N / 10000) | uint64_t(N % 10000) << 32;
    const uint64_t h2 = ((v * 10486) >> 20) & 0x0000007F0000007FULL;  // / 100 in each half
    v = h2 | (v - 100 * h2) << 16;
    const uint64_t h1 = ((v * 103) >> 10) & 0x000F000F000F000FULL;  // / 10 in each quarter
    v = h1 | (v - 10 * h1) << 8;
    return v + 0x3030303030303030ULL;
}

void StoreWords(char* Out, uint64_t A, uint64_t B, uint64_t C) {
    std::memcpy(Out, &A, 8);
    std::memcpy(Out + 8, &B, 8);
    std::memcpy(Out + 16, &C, 8);
}

// For a point after W digits (1..18): the bytes of the digits as they are (below W), the
// point (at W) and the digits moved one place on (above W), in three words.
struct TPointMasks {
    uint64_t Keep[3] = {}, Moved[3] = {}, Point[3] = {};
};
struct TPointMaskTable {
    TPointMasks W[19];
    constexpr TPointMaskTable() : W() {
        for (int w = 1; w < 19; ++w)
            for (int b = 0; b < 24; ++b) {
                const uint64_t byte = uint64_t(0xff) << (8 * (b % 8));
                if (b < w) W[w].Keep[b / 8] |= byte;
                else if (b == w) W[w].Point[b / 8] |= uint64_t('.') << (8 * (b % 8));
                else W[w].Moved[b / 8] |= byte;
            }
    }
};
constexpr TPointMaskTable PointMasks;

// |A| < |B| for finite values.
bool Below(const TExtParts& A, const TExtParts& B) { return A.Biased < B.Biased || (A.Biased == B.Biased && A.M < B.M); }

// 10^0 .. 10^18 as parts, exact (5^18 < 2^64): a value's decimal exponent is found by one
// comparison instead of a rounding tried at a guessed scale.
struct TPowers10 {
    TExtParts P[19];
    uint64_t Int[19] = {};
    constexpr TPowers10() : P() {
        uint64_t five = 1;
        for (int k = 0; k < 19; ++k, five *= 5) {
            Int[k] = five << k;
            int bits = 0;
            while (bits < 64 && (five >> bits) != 0) ++bits;
            P[k].M = five << (64 - bits);
            P[k].Biased = 16383 + k + bits - 1;
        }
    }
};
constexpr TPowers10 Powers10;

// ExtToStr's text of a finite, non-zero value by exact integer rounding, into Out
// (ExtCharsRoom characters); 0 for values beyond its reach (the general way below takes
// those). The value comes in parts: a long double handed on from call to call is stored
// and read back each time, and that waits for the store to finish.
size_t FastExtChars(const TExtParts& a, char* Out) {
    if (a.M == 0 && a.Biased == 0) {
        std::memcpy(Out, "0.0", 4);
        return 3;
    }
    if (a.Biased == 0x7fff || !(a.M >> 63)) return 0;
    char* p = Out;
    if (a.Neg) *p++ = '-';
    const int e2 = a.Biased - 16383;
    // Whole numbers below 10^8, most coordinates of a drawing: their digits and ".0",
    // with no rounding to do.
    if (e2 >= 0 && e2 < 27 && (a.M << (e2 + 1)) == 0) {
        const uint32_t v = uint32_t(a.M >> (63 - e2));
        if (v < 100000000) {
            size_t nd = 1;
            while (nd < 8 && v >= Powers10.Int[nd]) ++nd;
            const uint64_t w = EightDigits(v) >> (8 * (8 - nd));
            std::memcpy(p, &w, 8);
            std::memcpy(p + nd, ".0", 2);
            return size_t(p - Out) + nd + 2;
        }
    }
    unsigned __int128 n = 0;
    // The 18 digits of n are written with the point after the first Whole of them; no
    // whole digits: "0." and 18 decimals.
    size_t whole = 0;
    if (e2 < 0) {
        // Below 1: 18 decimals, which hold 18 significant digits from 0.1 up and fewer
        // below. Only a value a hair below 1 rounds up to a whole digit.
        if (!ScaledRound(a, 18, n)) return 0;
        if (n == 0) {
            std::memcpy(Out, "0.0", 3);
            return 3;
        }
        if (n >= Ten18) n = Ten17, whole = 1;
    } else {
        // The decimal exponent: log10 2 ~ 78913 / 2^18 gives it from the binary one or
        // one less. 10^18 and up has no scale ScaledRound takes.
        int exp10 = (e2 * 78913) >> 18;
        if (exp10 >= 18) return 0;
        if (!Below(a, Powers10.P[exp10 + 1])) ++exp10;
        if (exp10 >= 18 || !ScaledRound(a, 17 - exp10, n)) return 0;
        // Rounded up to the next power of ten: one more whole digit.
        if (n >= Ten18) {
            if (++exp10 >= 18) return 0;
            n = Ten17;
        }
        whole = size_t(exp10) + 1;
    }
    const uint64_t digits = uint64_t(n);
    const size_t tz = size_t(TrailingZeros(digits));
    // The 18 digits as bytes in three words, first digit lowest: made and placed in
    // registers and stored whole, so no store waits for smaller ones before it.
    const uint64_t rest = digits % 10000000000000000ULL;
    const uint64_t lead = digits / 10000000000000000ULL, hi = EightDigits(uint32_t(rest / 100000000)),
                   lo = EightDigits(uint32_t(rest % 100000000));
    const uint64_t u0 = (lead / 10 + '0') | (lead % 10 + '0') << 8 | hi << 16, u1 = hi >> 48 | lo << 16,
                   u2 = lo >> 48;
    size_t len = 0;
    if (whole == 0) {
        p[0] = '0';
        p[1] = '.';
        StoreWords(p + 2, u0, u1, u2);
        len = 2 + 18 - tz;
    } else {
        // The digits before the point as they are, the point, then the digits moved one
        // place on: the bytes of both forms picked by masks.
        const TPointMasks& m = PointMasks.W[whole];
        const uint64_t s0 = u0 << 8, s1 = u1 << 8 | u0 >> 56, s2 = u2 << 8 | u1 >> 56;
        StoreWords(p, (u0 & m.Keep[0]) | (s0 & m.Moved[0]) | m.Point[0], (u1 & m.Keep[1]) | (s1 & m.Moved[1]) | m.Point[1],
                   (u2 & m.Keep[2]) | (s2 & m.Moved[2]) | m.Point[2]);
        const size_t frac = 18 - whole, keep = tz < frac ? frac - tz : 0;
        if (keep == 0) p[whole + 1] = '0';
        len = whole + 1 + (keep ? keep : 1);
    }
    return size_t(p - Out) + len;
}

}  // namespace

std::string ExtToStr(Extended X) {
    if (std::isnan(X)) return "NAN";
    if (std::isinf(X)) return X < 0 ? "-INF" : "INF";
    if (X == 0) return "0.0";
    char fast[ExtCharsRoom];
    if (const size_t n = FastExtChars(ExtParts(X), fast)) return std::string(fast, n);

    // to_chars is independent of the locale (a Czech locale would give a comma).
    char buf[80];
    auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::scientific, 17);
    std::string sci(buf, r.ptr);  // "-d.ddddddddddddddddde+XX"
    bool neg = sci[0] == '-';
    size_t ePos = sci.find('e');
    int exp10 = std::atoi(sci.c_str() + ePos + 1);

    std::string text;
    if (exp10 < -1) {
        // Below 0.1 the 18 decimals hold fewer than 18 significant digits: one rounding
        // to 18 decimals gives both limits at once.
        std::string fix(4 + 18 + 8, '\0');
        auto f = std::to_chars(fix.data(), fix.data() + fix.size(), X < 0 ? -X : X,
                               std::chars_format::fixed, 18);
        fix.resize(f.ptr - fix.data());
        if (fix.find_first_not_of("0.") == std::string::npos) return "0.0";
        text = fix;
    } else {
        // 18 significant digits, placed around the decimal point; digits beyond the
        // 18th are zeros.
        std::string digits;
        for (size_t i = neg ? 1 : 0; i < ePos; ++i)
            if (sci[i] != '.') digits.push_back(sci[i]);
        if (exp10 == -1) {
            text = "0." + digits;
        } else {
            size_t intLen = static_cast<size_t>(exp10) + 1;
            if (digits.size() <= intLen) {
                text = digits + std::string(intLen - digits.size(), '0') + ".0";
            } else {
                text = digits.substr(0, intLen) + "." + digits.substr(intLen);
            }
        }
    }
    text = TrimFraction(text);
    return neg ? "-" + text : text;
}

void AppendExtToStr(std::string& S, Extended X) {
    char fast[ExtCharsRoom];
    if (const size_t n = FastExtChars(ExtParts(X), fast)) return (void)S.append(fast, n);
    S += ExtToStr(X);
}

size_t ExtToChars(Extended X, char* Out) {
    if (const size_t n = FastExtChars(ExtParts(X), Out)) return n;
    const std::string t = ExtToStr(X);
    if (t.size() > ExtCharsRoom) return 0;
    std::memcpy(Out, t.data(), t.size());
    return t.size();
}

// ---------------------------------------------------------------------------
// Upper-casing
// ---------------------------------------------------------------------------

std::string UpCaseStr(const std::string& S) {
    std::string R = S;
    for (char& c : R)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return R;
}

std::string UpCaseAnsiStr(const std::string& S) { return UpCaseStr(S); }

// ---------------------------------------------------------------------------
// Typed numbers and points
// ---------------------------------------------------------------------------

int OperatorPos(const std::string& S) {
    size_t p = S.find_first_of("+-*/");
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

namespace {

// A decimal up to 19 digits whose point stands at most 27 digits from its end: the
// digits make an integer exact in the 64-bit mantissa, 10^27 is exact as well, and
// their one correctly rounded division is the value a full decimal reader gives.
// False (nothing set) for any other text; it is then read by the full reader.
bool ShortDecimal(std::string_view T, Extended& V) {
    static constexpr Extended Pow10[28] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                           1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                           1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L,
                                           1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
    uint64_t m = 0;
    int digits = 0, frac = -1;
    for (const char c : T) {
        if (c == '.' && frac < 0) {
            frac = 0;
            continue;
        }
        if (c < '0' || c > '9') return false;
        if (m == 0 && c == '0') {
            // Leading zeros add no digit to the mantissa.
        } else if (++digits > 19) {
            return false;
        }
        m = m * 10 + uint64_t(c - '0');
        if (frac >= 0) ++frac;
    }
    if (frac > 27) return false;
    V = frac > 0 ? Extended(m) / Pow10[frac] : Extended(m);
    return true;
}

// The plain decimal form: [sign] digits [. digits] [(E|e) [sign] digits], at least
// one digit in the mantissa, no blanks. Anything else (hex, "inf", "nan") fails.
bool ParseDecimal(std::string_view T, Extended& V) {
    size_t i = 0, n = T.size();
    bool neg = false;
    if (i < n && (T[i] == '+' || T[i] == '-')) neg = T[i++] == '-';
    size_t start = i;
    size_t mant = 0;
    while (i < n && T[i] >= '0' && T[i] <= '9') ++i, ++mant;
    if (i < n && T[i] == '.') {
        ++i;
        while (i < n && T[i] >= '0' && T[i] <= '9') ++i, ++mant;
    }
    if (mant == 0) return false;
    if (i == n) {
        Extended v = 0;
        if (ShortDecimal(T.substr(start), v)) {
            V = neg ? -v : v;
            return true;
        }
    }
    if (i < n && (T[i] == 'e' || T[i] == 'E')) {
        ++i;
        if (i < n && (T[i] == '+' || T[i] == '-')) ++i;
        size_t ed = 0;
        while (i < n && T[i] >= '0' && T[i] <= '9') ++i, ++ed;
        if (ed == 0) return false;
    }
    if (i != n) return false;
    // from_chars reads the "C" notation whatever the locale; it takes no '+', so it
    // gets the unsigned part.
    std::string body(T.substr(start));
    if (body[0] == '.') body.insert(body.begin(), '0');
    Extended v = 0;
    auto r = std::from_chars(body.data(), body.data() + body.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Underflow is a zero; overflow is not a number the program can use.
        size_t e = body.find_first_of("eE");
        if (e != std::string::npos && body.find('-', e) != std::string::npos) v = 0;
        else return false;
    } else if (r.ec != std::errc() || r.ptr != body.data() + body.size()) {
        return false;
    }
    V = neg ? -v : v;
    return true;
}

bool FailMarked(bool Mark) {
    if (Mark && OnMarkInvalidInput) OnMarkInvalidInput();
    return false;
}

}  // namespace

bool StrToExtCalc(const std::string& Text, Extended& Value, bool Mark) { return StrToExtCalcText(Text, Value, Mark); }

bool StrToExtCalcText(std::string_view Text, Extended& Value, bool Mark) {
    // The text is cut at its first blank and "," read as "."; a short text is copied
    // on the stack (the file readers pass thousands of numbers).
    Text = Text.substr(0, Text.find(' '));
    char small[64];
    std::string large;
    char* buf = small;
    if (Text.size() > sizeof small) {
        large.resize(Text.size());
        buf = large.data();
    }
    for (size_t i = 0; i < Text.size(); ++i) buf[i] = Text[i] == ',' ? '.' : Text[i];
    const std::string_view S(buf, Text.size());

    // The terms are walked by position: a long chain of terms stays linear.
    static constexpr std::string_view Ops = "+-*/";
    size_t k = S.find_first_of(Ops);  // the operator after the current term
    if (k == 0 && S[0] == '-') {
        Value = 0;
    } else {
        Extended v;
        if (!ParseDecimal(S.substr(0, k), v)) return FailMarked(Mark);
        Value = v;
        if (k == std::string_view::npos) return true;
    }
    while (true) {
        const char op = S[k];
        const size_t start = k + 1;
        k = S.find_first_of(Ops, start);
        Extended v;
        if (!ParseDecimal(S.substr(start, k == std::string_view::npos ? k : k - start), v))
            return FailMarked(Mark);
        switch (op) {
            case '+': Value += v; break;
            case '-': Value -= v; break;
            case '*': Value *= v; break;
            default:
                if (std::fabs(v) < CoordTol) return FailMarked(Mark);
                Value /= v;
                break;
        }
        // A result beyond the extended range is no usable number.
        if (!std::isfinite(Value)) return FailMarked(Mark);
        if (k == std::string_view::npos) return true;
    }
}

bool StrToPt(const std::string& Text, const Osy& Base, Osy& P) {
    std::string S = Text;
    if (S.empty()) return false;
    bool relative = false, polar = false;
    if (S[0] == '@') {
        relative = true;
        S.erase(0, 1);
        if (S.empty()) return false;
    }
    if (S[0] == '<') {
        polar = true;
        S.erase(0, 1);
        if (S.empty()) return false;
    }
    for (char& c : S)
        if (c == ',') c = '.';
    size_t b = 0, e = S.size();
    while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
    S = S.substr(b, e - b);

    size_t blank = S.find(' ');
    if (blank == std::string::npos) return false;
    Osy R;
    if (!StrToExtCalc(S.substr(0, blank), R.x, true)) return false;
    if (!StrToExtCalc(S.substr(blank + 1), R.y, true)) return false;

    Osy Q = R;
    if (polar) {
        // "@<" is polar from Base as well: polar input is already relative. The angle
        // is taken within one turn first: a huge one would overflow in radians.
        const Extended pi = 3.1415926535897932385L;
        Extended a = std::fmod(R.y, Extended(360)) * pi / 180;
        Q.x = Base.x + R.x * std::cos(a);
        Q.y = Base.y + R.x * std::sin(a);
    } else if (relative) {
        Q.x = R.x + Base.x;
        Q.y = R.y + Base.y;
    }
    // A sum beyond the extended range is no point.
    if (!std::isfinite(Q.x) || !std::isfinite(Q.y)) return false;
    P = Q;
    return true;
}

// ---------------------------------------------------------------------------
// Stored points and segments
// ---------------------------------------------------------------------------

namespace {

constexpr size_t ExtSize = sizeof(Extended);

Extended LoadExt(const void* Adr, size_t Index) {
    Extended v;
    std::memcpy(&v, static_cast<const uint8_t*>(Adr) + Index * ExtSize, ExtSize);
    return v;
}

void StoreExt(void* Adr, size_t Index, Extended V) {
    std::memcpy(static_cast<uint8_t*>(Adr) + Index * ExtSize, &V, ExtSize);
}

}  // namespace

Osy GetPt(const void* Adr) { return Osy{LoadExt(Adr, 0), LoadExt(Adr, 1)}; }

void GetPt(const void* Adr, Osy& P) { P = GetPt(Adr); }

void SetPt(void* Adr, const Osy& P) {
    StoreExt(Adr, 0, P.x);
    StoreExt(Adr, 1, P.y);
}

void GetSeg(const void* Adr, Extended& Alfa, Osy& E) {
    Alfa = LoadExt(Adr, 0);
    E.x = LoadExt(Adr, 1);
    E.y = LoadExt(Adr, 2);
}

void SetSeg(void* Adr, const Osy& E, Extended Alfa) {
    StoreExt(Adr, 0, Alfa);
    StoreExt(Adr, 1, E.x);
    StoreExt(Adr, 2, E.y);
}

Osy3D GetPt3D(const void* Adr) { return Osy3D{LoadExt(Adr, 0), LoadExt(Adr, 1), LoadExt(Adr, 2)}; }

void GetPt3D(const void* Adr, Osy3D& P) { P = GetPt3D(Adr); }

void SetPt3D(void* Adr, const Osy3D& P) {
    StoreExt(Adr, 0, P.x);
    StoreExt(Adr, 1, P.y);
    StoreExt(Adr, 2, P.z);
}

void GetSeg3D(const void* Adr, Extended& Alfa, Osy3D& E) {
    Alfa = LoadExt(Adr, 0);
    E.x = LoadExt(Adr, 1);
    E.y = LoadExt(Adr, 2);
    E.z = LoadExt(Adr, 3);
}

void SetSeg3D(void* Adr, const Osy3D& E, Extended Alfa) {
    StoreExt(Adr, 0, Alfa);
    StoreExt(Adr, 1, E.x);
    StoreExt(Adr, 2, E.y);
    StoreExt(Adr, 3, E.z);
}

// ---------------------------------------------------------------------------
// Windows-1250 <-> UTF-8
// ---------------------------------------------------------------------------

namespace {

// Code points of the bytes 0x80..0xFF.
constexpr uint16_t Cp1250High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void PutUtf8(std::string& Out, uint32_t C) {
    if (C < 0x80) {
        Out.push_back(static_cast<char>(C));
    } else if (C < 0x800) {
        Out.push_back(static_cast<char>(0xC0 | (C >> 6)));
        Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
    } else {
        Out.push_back(static_cast<char>(0xE0 | (C >> 12)));
        Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
        Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at S[i]; advances i. Returns 0xFFFFFFFF for a malformed
// sequence (overlong, surrogate, cut short), of which one byte is consumed.
uint32_t NextUtf8(const std::string& S, size_t& i) {
    auto b = [&](size_t k) { return static_cast<uint8_t>(S[k]); };
    uint8_t c = b(i);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int len;
    uint32_t cp, min;
    if ((c & 0xE0) == 0xC0) len = 2, cp = c & 0x1F, min = 0x80;
    else if ((c & 0xF0) == 0xE0) len = 3, cp = c & 0x0F, min = 0x800;
    else if ((c & 0xF8) == 0xF0) len = 4, cp = c & 0x07, min = 0x10000;
    else {
        ++i;
        return 0xFFFFFFFF;
    }
    if (i + len > S.size()) {
        ++i;
        return 0xFFFFFFFF;
    }
    for (int k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFFFFFF;
        }
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFFFFFF;
    }
    i += len;
    return cp;
}

// Plain ASCII, as most texts are, reads the same in both encodings: copied whole.
bool AllAscii(const std::string& S) {
    for (char ch : S)
        if (static_cast<uint8_t>(ch) >= 0x80) return false;
    return true;
}

}  // namespace

std::string Cp1250ToUtf8(const std::string& S) {
    if (AllAscii(S)) return S;
    std::string Out;
    Out.reserve(S.size() + S.size() / 4);
    for (char ch : S) {
        uint8_t c = static_cast<uint8_t>(ch);
        PutUtf8(Out, c < 0x80 ? c : Cp1250High[c - 0x80]);
    }
    return Out;
}

std::string Utf8ToCp1250(const std::string& S) {
    if (AllAscii(S)) return S;
    std::string Out;
    Out.reserve(S.size());
    size_t i = 0;
    while (i < S.size()) {
        uint32_t cp = NextUtf8(S, i);
        if (cp < 0x80) {
            Out.push_back(static_cast<char>(cp));
            continue;
        }
        // Every character of the code page lies below U+2200: one table look-up.
        static const std::vector<uint8_t> Back = [] {
            std::vector<uint8_t> t(0x2200, 0);
            for (int k = 0; k < 128; ++k) t[Cp1250High[k]] = static_cast<uint8_t>(0x80 + k);
            return t;
        }();
        uint8_t b = cp < Back.size() ? Back[cp] : 0;
        Out.push_back(b ? static_cast<char>(b) : '?');
    }
    return Out;
}

bool SameUpper(std::string_view S, std::string_view Word) {
    if (S.size() != Word.size()) return false;
    for (size_t i = 0; i < S.size(); ++i) {
        const char c = S[i] >= 'a' && S[i] <= 'z' ? char(S[i] - 'a' + 'A') : S[i];
        if (c != Word[i]) return false;
    }
    return true;
}
