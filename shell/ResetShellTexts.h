// Start-up state of the user-interface texts, the command table, the recent-files
// list, the settings-block reader and the dialogs whose controls the settings block
// writes and reads (part of ResetAllState).
#pragma once

void ResetShellTexts();
