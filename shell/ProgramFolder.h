// The program folder a fresh installation needs: the folders "FONT", "Img", "Logs" and
// the configuration files the program reads at start ("ComSet.cfg", "Default.cfg",
// "FileHist", "Style"), written by the program's own writers from the built-in
// defaults. Files already there are kept (the user's settings survive a rebuild).
#pragma once
#include <string>

// Creates what is missing in Dir; the pictures of "Img" are the native side's
// (platform/qt PaintIconFiles). False when something could not be written. The
// settings record and the command table are left in their start-up state.
bool WriteProgramFolderFiles(const std::string& Dir);
