#include "core/DecimalText.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using U128 = unsigned __int128;

// 5^27 < 2^63: every power taken fits 64 bits, and the product one multiplication.
constexpr uint64_t Pow5(int K) {
    uint64_t p = 1;
    for (int i = 0; i < K; ++i) p *= 5;
    return p;
}
constexpr uint64_t Powers5[28] = {Pow5(0),  Pow5(1),  Pow5(2),  Pow5(3),  Pow5(4),  Pow5(5),  Pow5(6),
                              Pow5(7),  Pow5(8),  Pow5(9),  Pow5(10), Pow5(11), Pow5(12), Pow5(13),
                              Pow5(14), Pow5(15), Pow5(16), Pow5(17), Pow5(18), Pow5(19), Pow5(20),
                              Pow5(21), Pow5(22), Pow5(23), Pow5(24), Pow5(25), Pow5(26), Pow5(27)};

// "00" .. "99".
constexpr struct TPairs {
    char D[200];
    constexpr TPairs() : D() {
        for (int i = 0; i < 100; ++i) {
            D[2 * i] = char('0' + i / 10);
            D[2 * i + 1] = char('0' + i % 10);
        }
    }
} Pairs;

// The 8 digits of N (below 10^8) into Out: four pairs made side by side.
void Digits8(uint32_t N, char* Out) {
    const uint32_t hi = N / 10000, lo = N % 10000;
    std::memcpy(Out, Pairs.D + 2 * (hi / 100), 2);
    std::memcpy(Out + 2, Pairs.D + 2 * (hi % 100), 2);
    std::memcpy(Out + 4, Pairs.D + 2 * (lo / 100), 2);
    std::memcpy(Out + 6, Pairs.D + 2 * (lo % 100), 2);
}

}  // namespace

void Digits18(uint64_t N, char* Out) {
    const uint64_t rest = N % 10000000000000000ULL;
    std::memcpy(Out, Pairs.D + 2 * (N / 10000000000000000ULL), 2);
    Digits8(uint32_t(rest / 100000000), Out + 2);
    Digits8(uint32_t(rest % 100000000), Out + 10);
}

bool ScaledRound(const TExtParts& P, int K, unsigned __int128& N) {
    if (K < 0 || K > 27 || P.Biased == 0x7fff) return false;
    if (P.M == 0) {
        N = 0;
        return true;
    }
    // X * 10^K = m * 5^K * 2^(E + K), where m * 5^K < 2^64 * 2^63 stays exact.
    const U128 p = U128(P.M) * Powers5[K];
    const int shift = (P.Biased == 0 ? 1 : P.Biased) - 16383 - 63 + K;
    if (shift >= 0) {
        if (shift >= 127 || (p >> (127 - shift)) != 0) return false;
        N = p << shift;
        return true;
    }
    const int t = -shift;
    if (t >= 128) {  // below 2^127 / 2^128: less than one half
        N = 0;
        return true;
    }
    U128 q = p >> t;
    const U128 rest = p & ((U128(1) << t) - 1), half = U128(1) << (t - 1);
    if (rest > half || (rest == half && (q & 1))) ++q;
    N = q;
    return true;
}

bool ScaledRound(Extended X, int K, unsigned __int128& N) {
    if (!std::isfinite(X)) return false;
    return ScaledRound(ExtParts(X), K, N);
}

size_t IntDigits(unsigned __int128 N, size_t Width, char* Out) {
    char rev[40];
    size_t n = 0;
    // 128-bit division is a library call: the low 19 digits go through 64 bits.
    while (N > U128(UINT64_MAX)) {
        rev[n++] = char('0' + int(N % 10));
        N /= 10;
    }
    uint64_t low = uint64_t(N);
    do {
        rev[n++] = char('0' + int(low % 10));
        low /= 10;
    } while (low != 0);
    while (n < Width && n < sizeof rev) rev[n++] = '0';
    for (size_t i = 0; i < n; ++i) Out[i] = rev[n - 1 - i];
    return n;
}
