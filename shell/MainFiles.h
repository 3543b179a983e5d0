// The file commands of the command line: NEW, OPEN, IMPORT, SAVE, SAVEAS, EXPORT and
// EXPORTSEL. IMPORT and the exports choose the format by the file's extension
// (shell/MainExchange.cpp); a format this build lacks is refused with a log line and a
// message.
#pragma once

class TMainForm;

void ComNew(TMainForm& F);
void ComOpen(TMainForm& F);
// True when objects were imported.
bool ComImport(TMainForm& F);
// True when the job was written (FileSaved is then set).
bool ComSave(TMainForm& F);
bool ComSaveAs(TMainForm& F);
void ComExport(TMainForm& F);
// Two steps: the selection, then the export of the selected objects.
void ComExportSel(TMainForm& F);

// Installs the job file's steps of start-up and shutdown (opening the file named on the
// command line, autosave, SAVE AS of the close question).
void InstallFileCommands();
