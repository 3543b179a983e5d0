// Starting another program (the user's G-code editor) without waiting for it.
#pragma once
#include <functional>
#include <string>

// Starts Program with the one argument Param, detached; false when it could not be
// started. Replaceable by tests; ResetPrograms restores the real start.
extern std::function<bool(const std::string& Program, const std::string& Param)> StartProgram;
void ResetPrograms();

// Hands the file at Path to the desktop's handler for its type, as opening it from the
// file manager would (no shell, no command line). False when nothing took it. Empty
// until a desktop is installed (platform/qt); tests replace it.
extern std::function<bool(const std::string& Path)> OpenDocument;
