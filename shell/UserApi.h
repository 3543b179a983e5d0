// What a user plug-in library sees of the program. The library is a shared object in
// the program folder whose upper-cased name contains "USER"; it is built against the
// program's own headers (record layouts are this build's) and exports, with C linkage,
// any of:
//
//   void LoadFunctionAdr(void* const* General, void* const* Point, void* const* Pline,
//                        void* const* Group, void* const* Text, void* const* Space3D,
//                        void* const* Redraw);
//   void LoadVarAdr(TMainVars* MainVars, TGlob* Settings, TCanvas* Canvas, TLabel* CommandLine);
//   void UserCmd();
//
// The seven tables live only during LoadFunctionAdr: copy what you keep. A cell holds a
// routine of the program with the signature its header gives; the entity classes'
// routines take the class instance first (pass nullptr: the program's own instance is
// used). The redraw cells take no argument. A nil cell is a routine the program does
// not hand out. No host routine lets an exception out: one that fails logs an "Err:"
// line and returns false, 0, nullptr or an empty value. Keep exceptions inside the
// library too: the program catches one that leaves UserCmd and ends the command.
#pragma once

inline constexpr int UserGeneralCells = 66, UserPointCells = 12, UserPlineCells = 57,
                     UserGroupCells = 22, UserTextCells = 21, UserSpaceCells = 17, UserRedrawCells = 10;

extern "C" {
typedef void (*TLoadFunctionAdr)(void* const* General, void* const* Point, void* const* Pline,
                                 void* const* Group, void* const* Text, void* const* Space3D,
                                 void* const* Redraw);
typedef void (*TLoadVarAdr)(void* MainVars, void* Settings, void* Canvas, void* CommandLine);
typedef void (*TUserCmd)();
}
