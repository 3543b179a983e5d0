#include "shell/UserDll.h"
#include "shell/UserGuard.h"

#include <exception>

#include "core/Glob.h"
#include "core/MainVars.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "platform/Files.h"
#include "shell/Main.h"
#include "shell/StartupHooks.h"

TLibHandle UserDllHandle = nullptr;

void UserHostFault(const char* Routine, const char* What) noexcept {
    try {
        WriteLog(std::string("Err:Plug-in call of ") + Routine + " failed: " + What);
    } catch (...) {
    }
}

std::string FindUserDll(const std::string& Dir) {
    for (const std::string& Name : FindFiles(Dir, "*.so")) {
        std::string Up = Name;
        for (char& c : Up) c = char(toupper(static_cast<unsigned char>(c)));
        if (Up.find("USER") != std::string::npos) return Name;
    }
    return {};
}


void LoadUserDll() {
    if (UserDllHandle) return;
    const std::string Name = FindUserDll(Glob.ProgramDir);
    if (Name.empty()) return;
    std::string Error;
    UserDllHandle = LoadLib(Glob.ProgramDir + "/" + Name, &Error);
    if (!UserDllHandle) {
        // The program runs on without it; the log says why for whoever built the library.
        WriteLog("Err:Plug-in library " + Name + " not loaded: " + Error);
        return;
    }
    WriteLog("Sys:Plug-in library " + Name + " loaded");
    if (auto* Load = reinterpret_cast<TLoadFunctionAdr>(LibSymbol(UserDllHandle, "LoadFunctionAdr"))) {
        TUserTables T;
        FillUserTables(T);
        UserGuarded("LoadFunctionAdr", [&] {
            Load(T.General.data(), T.Point.data(), T.Pline.data(), T.Group.data(), T.Text.data(),
                 T.Space.data(), T.Redraw.data());
        });
    }
    if (auto* Vars = reinterpret_cast<TLoadVarAdr>(LibSymbol(UserDllHandle, "LoadVarAdr"))) {
        void* Line = MainForm ? static_cast<void*>(MainForm->ComLine2) : nullptr;
        UserGuarded("LoadVarAdr", [&] { Vars(&MainVars, &Glob, MainCanvas, Line); });
    }
}

void FreeUserDll() {
    FreeLib(UserDllHandle);
    UserDllHandle = nullptr;
}

void InstallUserDll() {
    LoadUserDllHook = LoadUserDll;
    FreeUserDllHook = FreeUserDll;
}

void TMainForm::ComUser() {
    TMainVars& V = MainVars;
    auto* Cmd = reinterpret_cast<TUserCmd>(LibSymbol(UserDllHandle, "UserCmd"));
    if (!Cmd) {
        // Without a routine the command could only wait for Escape: end it and say why.
        const std::string Why = UserDllHandle ? "knihovna nemá příkaz UserCmd" : "uživatelská knihovna není načtena";
        WriteLog("Err:Command " + V.Command[0] + ": " +
                 (UserDllHandle ? "plug-in library has no UserCmd" : "no plug-in library loaded"));
        V.ComCnt = -1;
        ComLine2->Caption = V.Command[0] + ": " + Why;
        return;
    }
    if (!UserGuarded("UserCmd", [&] {
            Cmd();
            return true;
        })) {
        V.ComCnt = -1;
        ComLine2->Caption = V.Command[0] + ": chyba v uživatelské knihovně";
    }
    LayPanelUpdate();
}
