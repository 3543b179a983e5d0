#include "core/DecimalText.h"

#include <cmath>
#include <cstdint>

namespace {

using U128 = unsigned __int128;

constexpr U128 Pow5(int K) {
    U128 p = 1;
    for (int i = 0; i < K; ++i) p *= 5;
    return p;
}

}  // namespace

bool ScaledRound(Extended X, int K, unsigned __int128& N) {
    if (!std::isfinite(X) || K < 0 || K > 27) return false;
    X = std::fabs(X);
    if (X == 0) {
        N = 0;
        return true;
    }
    // X = M * 2^E with a 64-bit integer M; X * 10^K = M * 5^K * 2^(E + K), where
    // M * 5^K < 2^64 * 2^63 stays exact.
    int e = 0;
    const Extended f = std::frexp(X, &e);
    const uint64_t m = uint64_t(std::ldexp(f, 64));
    const U128 p = U128(m) * Pow5(K);
    const int shift = e - 64 + K;
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
