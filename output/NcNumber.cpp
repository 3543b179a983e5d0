// The number texts of the NC writers: fixed point, "." whatever the locale, no "-0",
// exactly as the C library would round the extended value (ties to even).
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/DecimalText.h"
#include "output/NcRun.h"

namespace {

constexpr char Pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// 10^K, exact in the 64-bit significand for every K a number may ask for.
constexpr Extended Pow10(int K) {
    Extended p = 1;
    for (int i = 0; i < K; ++i) p *= 10;
    return p;
}
constexpr Extended Powers[MaxNcDecimals + 1] = {Pow10(0), Pow10(1), Pow10(2), Pow10(3), Pow10(4),
                                                Pow10(5), Pow10(6), Pow10(7), Pow10(8), Pow10(9)};

constexpr double DoublePowers[MaxNcDecimals + 1] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// |X| * 10^K rounded to an integer below 2^62 through the extended product: false when
// the product is so near a half that its own rounding might have decided (then the
// exact 128-bit rounding decides).
bool QuickScaledRound(Extended X, int K, uint64_t& N) {
    const Extended x = std::fabs(X) * Powers[K];
    if (!(x < 0x1p62L)) return false;
    // Adding 2^63 leaves a significand of whole units: the nearest integer, whose bits
    // are the significand's below its leading one.
    const Extended y = x + 0x1p63L;
    const Extended f = x - (y - 0x1p63L);
    if (!(0.5L - std::fabs(f) > x * 0x1p-62L)) return false;
    uint64_t bits;
    std::memcpy(&bits, &y, sizeof bits);
    N = bits & ~(uint64_t(1) << 63);
    return true;
}

// The digits of N, at least Width of them (zeros in front), ending at End; the first.
char* Digits(uint64_t N, size_t Width, char* End) {
    char* p = End;
    while (N >= 100) {
        p -= 2;
        std::memcpy(p, Pairs + 2 * (N % 100), 2);
        N /= 100;
    }
    if (N >= 10) {
        p -= 2;
        std::memcpy(p, Pairs + 2 * N, 2);
    } else {
        *--p = char('0' + N);
    }
    while (size_t(End - p) < Width) *--p = '0';
    return p;
}

// The text of the digits First..Last with Dec of them after the point.
void PutDigits(TNcNumber& Out, bool Minus, const char* First, const char* Last, size_t Dec) {
    const size_t d = size_t(Last - First), whole = d - Dec;
    char* t = Out.Text;
    size_t len = 0;
    if (Minus) t[len++] = '-';
    NcCopy(t + len, First, whole);
    len += whole;
    if (Dec > 0) {
        t[len++] = '.';
        NcCopy(t + len, First + whole, Dec);
        len += Dec;
    }
    Out.Len = len;
}

}  // namespace

void FormatNcScaled(TNcNumber& Out, int Decimals, bool Negative, uint64_t N) {
    const size_t dec = size_t(std::clamp(Decimals, 0, MaxNcDecimals));
    char digits[40];
    char* const end = digits + sizeof digits;
    PutDigits(Out, Negative && N != 0, Digits(N, dec + 1, end), end, dec);  // no "-0"
}

void FormatNcNumber(TNcNumber& Out, int Decimals, Extended Value) {
    // Quickest through double: its value scaled lies within two units of its last
    // place of the extended one scaled, so away from a half it rounds the same.
    // Out of range, not finite or too near a half: the extended ways below.
    {
        const int k = std::clamp(Decimals, 0, MaxNcDecimals);
        const double x = std::fabs(double(Value)) * DoublePowers[k];
        if (x < 0x1p52) {
            // Below 2^52 adding it leaves whole units: the nearest integer.
            const double n = (x + 0x1p52) - 0x1p52;
            if (0.5 - std::fabs(x - n) > x * 0x1p-49) return FormatNcScaled(Out, k, Value < 0, uint64_t(n));
        }
    }
    if (!std::isfinite(Value)) Value = 0;
    Decimals = std::clamp(Decimals, 0, MaxNcDecimals);
    const size_t dec = size_t(Decimals);
    char digits[40];
    char* const end = digits + sizeof digits;
    char *first = nullptr, *last = end;
    bool zero = false;
    // The value scaled to an integer exactly, as the general formatting below would
    // round it, without the C library's slow multi-precision path.
    if (uint64_t q = 0; QuickScaledRound(Value, Decimals, q)) {
        first = Digits(q, dec + 1, end);
        zero = q == 0;
    } else if (unsigned __int128 n = 0; ScaledRound(Value, Decimals, n)) {
        first = digits;
        last = digits + IntDigits(n, dec + 1, digits);
        zero = n == 0;
    }
    if (first) return PutDigits(Out, Value < 0 && !zero, first, last, dec);
    char buf[128];
    std::string big;
    char* start = buf;
    auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, Decimals);
    if (r.ec != std::errc()) {
        big.resize(5100);
        start = big.data();
        r = std::to_chars(start, start + big.size(), Value, std::chars_format::fixed, Decimals);
    }
    Out.Big.assign(start, r.ptr);
    if (Out.Big[0] == '-' && Out.Big.find_first_not_of("-0.") == std::string::npos) Out.Big.erase(0, 1);
    Out.Len = 0;
}

std::string FormatNcNumber(int Decimals, Extended Value) {
    TNcNumber n;
    FormatNcNumber(n, Decimals, Value);
    return std::string(n.View());
}
