// Basic value types shared by every subsystem.
#pragma once
#include <cfloat>
#include <cstdint>

// The program computes in the 80-bit extended format: stored texts of 18 significant
// digits must round-trip, so `long double` has to be exactly that format.
using Extended = long double;
static_assert(LDBL_MANT_DIG == 64, "Extended must be the x87 80-bit format");

struct Osy {
    Extended x = 0, y = 0;
};

struct Osy3D {
    Extended x = 0, y = 0, z = 0;
};

// Two coordinates within this distance (mm) are the same point.
inline constexpr Extended CoordTol = 1e-6L;
