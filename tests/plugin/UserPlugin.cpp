// A user plug-in library as a user would build it against the program's headers: its
// USER1 draws an L-shaped polyline through the builder, moves it through the polyline
// table, redraws and reports on the command line; USER2 throws.
#include <cstring>
#include <stdexcept>
#include <string>

#include "core/Glob.h"
#include "core/MainVars.h"
#include "core/ObjRecords.h"
#include "platform/Controls.h"
#include "shell/UserApi.h"

namespace {

int Filled[7];

#ifndef PLUGIN_WITHOUT_ENTRIES
void* General[UserGeneralCells];
void* Pline[UserPlineCells];
void* Redraw[UserRedrawCells];
TMainVars* MV = nullptr;
TGlob* G = nullptr;
TLabel* Line = nullptr;

int CountCells(void* const* T, int N) {
    int C = 0;
    for (int i = 0; i < N; ++i) C += T[i] != nullptr;
    return C;
}
#endif

}  // namespace

extern "C" {

#ifndef PLUGIN_WITHOUT_ENTRIES
void LoadFunctionAdr(void* const* Gen, void* const* Point, void* const* Pl, void* const* Group, void* const* Text,
                     void* const* Space, void* const* Red) {
    std::memcpy(General, Gen, sizeof General);
    std::memcpy(Pline, Pl, sizeof Pline);
    std::memcpy(Redraw, Red, sizeof Redraw);
    const int Sizes[7] = {UserGeneralCells, UserPointCells, UserPlineCells, UserGroupCells,
                          UserTextCells,    UserSpaceCells, UserRedrawCells};
    void* const* Tables[7] = {Gen, Point, Pl, Group, Text, Space, Red};
    for (int t = 0; t < 7; ++t) Filled[t] = CountCells(Tables[t], Sizes[t]);
}

void LoadVarAdr(void* MainVars, void* Settings, void* /*Canvas*/, void* CommandLine) {
    MV = static_cast<TMainVars*>(MainVars);
    G = static_cast<TGlob*>(Settings);
    Line = static_cast<TLabel*>(CommandLine);
}

void UserCmd() {
    if (MV->Command[0] == "USER2") throw std::runtime_error("plug-in fault");
    using TStartObj = void (*)(const Osy&);
    using TAddSeg = bool (*)(const Osy&, Extended, Extended);
    using TMakeObj = TObjHeader* (*)(uint8_t, TObjHeader*&, TObjHeader*&);
    using TMove = void (*)(void*, TObjHeader*, const Osy&);
    using TRedraw = void (*)();
    reinterpret_cast<TStartObj>(General[32])(Osy{0, 0});
    reinterpret_cast<TAddSeg>(General[33])(Osy{10, 0}, 0, CoordTol);
    reinterpret_cast<TAddSeg>(General[33])(Osy{10, 5}, 0, CoordTol);
    TObjHeader* P = reinterpret_cast<TMakeObj>(General[35])(G->LayerDraw, MV->DataStart, MV->DataEnd);
    if (P) reinterpret_cast<TMove>(Pline[7])(nullptr, P, Osy{100, 50});
    reinterpret_cast<TRedraw>(Redraw[0])();
    Line->Caption = MV->Command[0] + " hotovo, hladina " + std::to_string(G->LayerDraw);
    MV->ComCnt = -1;
}
#endif

// For the test: how many cells of table T (0..6) the program filled.
int PluginFilledCells(int T) { return T >= 0 && T < 7 ? Filled[T] : -1; }
}
