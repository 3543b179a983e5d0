// Reading a measuring protocol into the dial-face tables.
#include <algorithm>
#include <cmath>
#include <map>

#include "commands/Daskovin.h"
#include "core/Global.h"
#include "core/UniGeom.h"

namespace {

// Most intermediate ticks between two main ticks: a protocol asking for more is a typo.
constexpr int32_t MaxMezi = 1000;
// Most ticks of one dial, main and intermediate (one every half degree): every zone is
// cut against the clearance of each tick, so the work grows with the square of this.
constexpr int32_t MaxTicks = 720;
// Largest value of any field (mm or degrees): beyond it the geometry is no dial any more.
constexpr Extended MaxValue = 1e6L;

Extended Rad(Extended Deg) { return Deg * GeomPi / 180; }

// "X" or "Z" followed by a table index 0..Count-1; -1 otherwise.
int TableIndex(const std::string& Key, char Letter, int Count) {
    if (Key.size() < 2 || Key.size() > 3 || Key[0] != Letter) return -1;
    int I = 0;
    for (size_t k = 1; k < Key.size(); ++k) {
        if (Key[k] < '0' || Key[k] > '9') return -1;
        I = I * 10 + (Key[k] - '0');
    }
    return I < Count ? I : -1;
}

// "T1".."T12" as 1..12; 0 for anything else.
uint8_t LayerValue(const std::string& V) {
    if (V.size() < 2 || V.size() > 3 || V[0] != 'T') return 0;
    int N = 0;
    for (size_t k = 1; k < V.size(); ++k) {
        if (V[k] < '0' || V[k] > '9') return 0;
        N = N * 10 + (V[k] - '0');
    }
    return N >= 1 && N <= 12 ? uint8_t(N) : 0;
}

std::vector<std::string> SplitBlanks(const std::string& S, size_t Max) {
    std::vector<std::string> R;
    size_t i = 0;
    while (i < S.size() && R.size() < Max) {
        while (i < S.size() && S[i] == ' ') ++i;
        if (i >= S.size()) break;
        const size_t j = S.find(' ', i);
        R.push_back(S.substr(i, j == std::string::npos ? std::string::npos : j - i));
        i = j == std::string::npos ? S.size() : j;
    }
    return R;
}

// Stores value I when it evaluates; a value beyond MaxValue is not stored and marks Huge.
void Num(const std::vector<std::string>& V, size_t I, Extended& Field, bool& Huge, bool Degrees = false) {
    Extended X = 0;
    if (I >= V.size() || !StrToExtCalc(V[I], X, false)) return;
    if (!std::isfinite(X) || std::fabs(X) > MaxValue) Huge = true;
    else Field = Degrees ? Rad(X) : X;
}

std::string Trimmed(const std::string& S) {
    const size_t a = S.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return S.substr(a, S.find_last_not_of(' ') - a + 1);
}

}  // namespace

bool LoadDaskovinProtocol(const std::vector<std::string>& Lines, TDaskovinData& Data, std::string& Problem) {
    TDaskovinData N = Data;
    N.D = N.DM = N.B = N.US = -1;
    N.CX = N.CY = -10;
    for (TCarka& C : N.Carka) C.A = -1, C.T.clear();
    for (auto& Z : N.Zona)
        for (int k = 0; k < 4; ++k) Z[size_t(k)] = -1;
    // The line that gave each tick and zone, to name it when it is refused.
    std::map<int, size_t> TickLine, ZoneLine;
    size_t HugeLine = Lines.size();
    for (size_t L = 0; L < Lines.size(); ++L) {
        bool Huge = false;
        std::string S = UpCaseStr(Lines[L]);
        if (const size_t c = S.find(';'); c != std::string::npos) S.erase(c);
        const size_t Eq = S.find('=');
        if (Eq == std::string::npos) continue;
        const std::string Key = S.substr(0, Eq);
        const std::vector<std::string> V = SplitBlanks(Trimmed(S.substr(Eq + 1)), 10);
        if (Key == "CX") Num(V, 0, N.CX, Huge);
        else if (Key == "CY") Num(V, 0, N.CY, Huge);
        else if (Key == "US") Num(V, 0, N.US, Huge, true);
        else if (Key == "D") Num(V, 0, N.D, Huge);
        else if (Key == "DM") Num(V, 0, N.DM, Huge);
        else if (Key == "B") Num(V, 0, N.B, Huge);
        else if (Key == "DT") Num(V, 0, N.DT, Huge);
        else if (Key == "LT" || Key == "LZ") {
            const uint8_t La = V.empty() ? 0 : LayerValue(V[0]);
            if (La) (Key == "LT" ? N.LT : N.LZ) = La;
        } else if (const int X = TableIndex(Key, 'X', 100); X >= 0) {
            TCarka& C = N.Carka[size_t(X)];
            TickLine[X] = L;
            Num(V, 0, C.A, Huge, true);
            Num(V, 1, C.L, Huge);
            Num(V, 2, C.W, Huge);
            if (V.size() > 3) C.Lay = LayerValue(V[3]);
            if (V.size() > 4 && V[4][0] != 'N') C.T = V[4].substr(0, 255);
            Num(V, 5, C.HT, Huge);
            Extended Cnt = C.N;
            Num(V, 6, Cnt, Huge);
            if (std::fabs(Cnt) <= MaxMezi + 1) C.N = int32_t(std::nearbyint(Cnt));
            else C.N = MaxMezi + 1;
            Num(V, 7, C.LM, Huge);
            Num(V, 8, C.WM, Huge);
            if (V.size() > 9) C.LayMezi = LayerValue(V[9]);
        } else if (const int Z = TableIndex(Key, 'Z', 10); Z >= 0) {
            ZoneLine[Z] = L;
            for (size_t k = 0; k < 5; ++k) Num(V, k, N.Zona[size_t(Z)][k], Huge, k < 2);
            auto& Zo = N.Zona[size_t(Z)];
            if (Zo[4] > Zo[3] / 2) Zo[4] = Zo[3] / 2;
        }
        if (Huge && HugeLine == Lines.size()) HugeLine = L;
    }
    auto Refuse = [&](size_t L, const std::string& Why) {
        Problem = "řádek " + std::to_string(L + 1) + ": " + Cp1250ToUtf8(Lines[L]) + " (" + Why + ")";
        return false;
    };
    if (HugeLine < Lines.size()) return Refuse(HugeLine, "hodnota mimo rozsah");
    // The tables end at the first entry whose angle is negative: that value is the end
    // marker the load writes, so no entry the protocol gives may carry it or lie beyond it.
    int Ticks = 0;
    int64_t AllTicks = 0;
    for (const auto& [X, L] : TickLine) {
        const TCarka& C = N.Carka[size_t(X)];
        if (C.A < -CoordTol) return Refuse(L, "úhel");
        if (X != Ticks) return Refuse(L, "chybí X" + std::to_string(Ticks));
        if (!(C.L > CoordTol) || !(C.W > CoordTol)) return Refuse(L, "délka nebo šířka");
        if (C.N > MaxMezi) return Refuse(L, "počet mezilehlých");
        if (C.N >= 1 && (!(C.LM > CoordTol) || !(C.WM > CoordTol))) return Refuse(L, "mezilehlé");
        AllTicks += 1 + std::max(C.N, 0);
        if (AllTicks > MaxTicks) return Refuse(L, "více než " + std::to_string(MaxTicks) + " čárek");
        ++Ticks;
    }
    if (Ticks == 0) {
        Problem = "žádná čárka (X0)";
        return false;
    }
    int Zones = 0;
    for (const auto& [Z, L] : ZoneLine) {
        const auto& Zo = N.Zona[size_t(Z)];
        if (Zo[0] < -CoordTol || Zo[1] < -CoordTol) return Refuse(L, "úhel");
        if (Zo[0] > 2 * GeomPi + CoordTol || Zo[1] > 2 * GeomPi + CoordTol) return Refuse(L, "úhel nad 360°");
        if (std::fabs(Zo[1] - Zo[0]) < CoordTol) return Refuse(L, "prázdná zóna");
        if (!(Zo[3] > CoordTol) || !(Zo[2] / 2 - Zo[3] > CoordTol)) return Refuse(L, "průměr nebo šířka");
        if (Z != Zones) return Refuse(L, "chybí Z" + std::to_string(Zones));
        ++Zones;
    }
    if (N.B < 0.05L) N.B = 0.05L;
    N.Loaded = true;
    Data = N;
    return true;
}
