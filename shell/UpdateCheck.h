// The update check once per run after start-up: the version file from the update
// server, the comparison with the program's version, the installer transfer with its
// progress panel, and the offer to switch the check off.
#pragma once
#include <string>

#include "core/Types.h"

// The program's own version number.
inline constexpr Extended ProgramVersion = 2.56L;
inline constexpr const char* VersionFilePath = "/verinfo/kestrilonwin32b.txt";
inline constexpr const char* InstallerPath = "/download/software/SetupKestrilon.exe";

// Glob.UpdateServer + Path; a server without a scheme is taken as "http://".
std::string UpdateUrl(const std::string& Path);
// The first line of a version file against the program's version: true when the user
// wants the newer version (TS_VerStr is the line).
bool IsNewerVersion(const std::string& TS_VerStr);
// The question whether to switch the check off for good; Yes rewrites "Default.cfg".
void OfferUpdateCheckOff();
// The whole check (the start-up timer's step).
void CheckForUpdates();
// The download panel's cancel button.
void BtnDownCancelClick();
// The main window closes: a running transfer is ended, its file removed and the client freed.
void AbortUpdateCheck();
// True while a transfer is waited for.
bool UpdateCheckRunning();
// The download panel on the main form (hidden).
void CreateDownloadPanel();
// Installs the start-up hook and makes the download panel.
void InstallUpdateCheck();
