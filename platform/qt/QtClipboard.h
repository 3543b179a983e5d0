// The system clipboard on Qt.
#pragma once

// Sets ClipboardText and SetClipboardText to the system clipboard.
void InstallQtClipboard();
