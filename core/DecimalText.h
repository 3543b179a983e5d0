// Exact decimal rounding of extended values without the C library's multi-precision
// formatting: the writers of job files and NC programs format millions of numbers, and
// an 80-bit value times a power of ten up to 10^27 fits a 128-bit integer exactly.
// The results are the ones printf gives ("%.*Lf"), ties to even included.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/Types.h"

// |X| * 10^K rounded to the nearest integer, exact halves to the even neighbour. False
// (N untouched) when X is not finite, K is outside 0..27 or the result reaches 2^127.
bool ScaledRound(Extended X, int K, unsigned __int128& N);

// The decimal digits of N into Out (at least Width digits, zeros in front); the count
// written. Out holds 40 characters.
size_t IntDigits(unsigned __int128 N, size_t Width, char* Out);

// The 18 decimal digits of N (below 10^18, zeros in front) into Out.
void Digits18(uint64_t N, char* Out);
