// The user plug-in library: found and loaded at the first showing of the main window,
// handed the host routine tables and values, run by the USER0..USER99 keywords and
// freed at shutdown.
#pragma once
#include <array>
#include <string>

#include "platform/DynLib.h"
#include "shell/UserApi.h"

// The loaded library; nullptr when none (also after a failed load).
extern TLibHandle UserDllHandle;

// The host routine tables in the order the library receives them.
struct TUserTables {
    std::array<void*, UserGeneralCells> General{};
    std::array<void*, UserPointCells> Point{};
    std::array<void*, UserPlineCells> Pline{};
    std::array<void*, UserGroupCells> Group{};
    std::array<void*, UserTextCells> Text{};
    std::array<void*, UserSpaceCells> Space{};
    std::array<void*, UserRedrawCells> Redraw{};
};
// Every cell filled as the program hands them out (UserDllTables.cpp).
void FillUserTables(TUserTables& T);

// The first file of Dir (name order) ending in ".so" whose upper-cased name contains
// "USER"; empty when none.
std::string FindUserDll(const std::string& Dir);
// Loads the plug-in of the program folder and hands it the tables and host values.
void LoadUserDll();
// Frees the library (at shutdown).
void FreeUserDll();
// Installs the start-up and shutdown hooks.
void InstallUserDll();
// Logs a host routine that failed inside a plug-in call.
void UserHostFault(const char* Routine, const char* What) noexcept;
