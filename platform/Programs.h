// Starting another program (the user's G-code editor) without waiting for it.
#pragma once
#include <functional>
#include <string>

// Starts Program with the one argument Param, detached; false when it could not be
// started. Replaceable by tests; ResetPrograms restores the real start.
extern std::function<bool(const std::string& Program, const std::string& Param)> StartProgram;
void ResetPrograms();
