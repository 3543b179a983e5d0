// The program folder a fresh installation needs: the folders "FONT", "Img", "Logs",
// the configuration files the program reads at start ("ComSet.cfg", "Default.cfg",
// "FileHist", "Style", "TTypeDef.ytf") and the G-code post-processor files, written by
// the program's own writers from the built-in defaults. Files already there are kept
// (the user's settings survive a rebuild).
#pragma once
#include <string>
#include <vector>

// Creates what is missing in Dir; the pictures of "Img" are the native side's
// (platform/qt PaintIconFiles). False when something could not be written. The
// settings record and the command table are left in their start-up state.
bool WriteProgramFolderFiles(const std::string& Dir);

// Writes the lines (UTF-8, stored in the system code page) unless the file exists.
bool WriteIfMissing(const std::string& Path, const std::vector<std::string>& Utf8Lines);
