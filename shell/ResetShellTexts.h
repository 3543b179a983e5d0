// Start-up state of the user-interface texts, the command table, the recent-files
// list, the settings-block reader, the dialogs whose controls the settings block
// writes and reads, and the confirmation dialog the machining commands ask with
// (part of ResetAllState).
#pragma once

void ResetShellTexts();
