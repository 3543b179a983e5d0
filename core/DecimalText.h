// Exact decimal rounding of extended values without the C library's multi-precision
// formatting: the writers of job files and NC programs format millions of numbers, and
// an 80-bit value times a power of ten up to 10^27 fits a 128-bit integer exactly.
// The results are the ones printf gives ("%.*Lf"), ties to even included.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/Types.h"

// |X| * 10^K rounded to the nearest integer, exact halves to the even neighbour. False
// (N untouched) when X is not finite, K is outside 0..27 or the result reaches 2^127.
bool ScaledRound(Extended X, int K, unsigned __int128& N);

// The significand and biased exponent of |X| as the 80-bit format stores them: taken
// out once, a value is rounded at several scales without going back to the FPU.
struct TExtParts {
    uint64_t M = 0;
    int Biased = 0;  // 0x7fff: not finite
    bool Neg = false;
};
inline TExtParts ExtParts(Extended X) {
    // X = m * 2^E with E = exponent - 16383 - 63 (subnormals: exponent 1).
    TExtParts P;
    uint16_t top = 0;
    std::memcpy(&P.M, &X, sizeof P.M);
    std::memcpy(&top, reinterpret_cast<const char*>(&X) + sizeof P.M, sizeof top);
    P.Biased = top & 0x7fff;
    P.Neg = (top >> 15) != 0;
    return P;
}
bool ScaledRound(const TExtParts& P, int K, unsigned __int128& N);

// The decimal digits of N into Out (at least Width digits, zeros in front); the count
// written. Out holds 40 characters.
size_t IntDigits(unsigned __int128 N, size_t Width, char* Out);

// The 18 decimal digits of N (below 10^18, zeros in front) into Out.
void Digits18(uint64_t N, char* Out);
