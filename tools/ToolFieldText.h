// Reading and showing the numbers of the tool dialogs' inputs.
#pragma once
#include <cmath>
#include <cstdio>
#include <string>

#include "core/Global.h"
#include "platform/Controls.h"
#include "shell/SetCfg.h"

namespace ToolField {

// The input as a finite number (a typed expression, "," or "."); V untouched otherwise.
// A text the user left as V is shown keeps V's exact value: the shown text has only 15
// digits and would read back a little different, which would mark the tool changed.
inline bool Parse(const TControl* E, Extended& V) {
    if (std::isfinite(V) && E->Text == CfgRegionalReal(V)) return true;
    Extended x = 0;
    if (!StrToExtCalc(E->Text, x, false) || !std::isfinite(x)) return false;
    V = x;
    return true;
}

// Whole numbers within 32 bits, rounded or truncated.
inline bool Whole(const TControl* E, int32_t& V, bool Round) {
    Extended x = 0;
    if (!Parse(E, x)) return false;
    x = Round ? std::nearbyint(x) : std::trunc(x);
    if (x < -2147483648.0L || x > 2147483647.0L) return false;
    V = int32_t(x);
    return true;
}

// Pattern "##0.###": at most three decimals, no trailing zeros.
inline std::string Short3(Extended V) {
    char b[64];
    std::snprintf(b, sizeof b, "%.3Lf", V);
    std::string s = b;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

}  // namespace ToolField
