// The whole program folder of a fresh installation: the configuration files and folders
// from the built-in defaults (WriteProgramFolderFiles) and every picture the program
// loads at run time, painted by the native side: the toolbar, the tool and machining
// dialogs and the new-job wizard. Files already there are kept.
#pragma once
#include <string>

// False when something could not be written.
bool MakeProgramFolder(const std::string& Dir);
