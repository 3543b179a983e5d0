// Steps of start-up and shutdown that other parts of the program provide once they
// exist (job file, file commands, tool files, plug-in, update check, new-job wizard).
// An empty hook means the part is not there yet: the caller does what it does without
// it and logs nothing extra unless said.
#pragma once
#include <functional>
#include <string>

#include "core/Types.h"

class TMainForm;

// Writes the whole job (SaveYdfFile): file, all objects, packed. True when written.
extern std::function<bool(const std::string& File, bool AllObjects, bool Pack)> SaveYdfFileHook;
// Reads a job (LoadYdfFile) with the given sections; Min, Max: envelope of what was read.
extern std::function<bool(const std::string& File, bool Tools, bool Settings, bool CamOps, bool Tech,
                          bool Plunges, bool Outs, Osy& Min, Osy& Max)>
    LoadYdfFileHook;
// SAVE AS as the close question runs it; it leaves FileSaved true only when it saved.
extern std::function<void(TMainForm& F)> ComSaveAsHook;
// Built-in tool types and "TTypeDef.ytf" at the first showing.
extern std::function<void()> LoadToolTypesHook;
// "ToolLib.ylf" and "TTypeDef.ytf" written at shutdown.
extern std::function<void()> SaveToolFilesHook;
// The tool dialog shown on layer tab Tab (0..63); the tool and material library dialog.
extern std::function<void(int Tab)> ShowToolDialogHook;
extern std::function<void()> ShowToolLibDialogHook;
// The help dialog.
extern std::function<void()> ShowHelpDialogHook;
// The new-job wizard: shown when ShowNewFileDg is set (Show true), and its job-type
// choice asked in any case; -1 when it has none.
extern std::function<int(bool Show)> NewFileDialogHook;
// The user plug-in library: loaded at the first showing, freed at shutdown.
extern std::function<void()> LoadUserDllHook;
extern std::function<void()> FreeUserDllHook;
// The update check after the first showing.
extern std::function<void()> CheckForUpdatesHook;

// The program file's path (set by the program's main routine before FormCreate);
// empty keeps ProgramDir as it is (tests set it themselves).
extern std::string ProgramFile;
// Pixels per inch of the screen (set by the program from the display).
extern int ScreenPxPerInch;

// Every hook emptied, ProgramFile empty, 96 pixels per inch (state between tests).
void ResetStartupHooks();

// Loads every ".shp" font of Folder and its subfolders (depth first, names beginning
// with "." skipped), logging "Sys:Load SHP font (" + name + ")" for each.
void LoadShpFonts(const std::string& Folder);

// Start-up state of the main window's companions between tests: the hooks emptied,
// the layer and view dialog and the end dialog made anew.
void ResetMainWindowState();
