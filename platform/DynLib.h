// Dynamic libraries (shared objects) loaded at run time: the user's plug-in library.
#pragma once
#include <string>

using TLibHandle = void*;

// Loads the library at Path; nullptr when it cannot be loaded (Error, when given, says why).
TLibHandle LoadLib(const std::string& Path, std::string* Error = nullptr);
// The address of the exported symbol Name; nullptr when the library has none.
void* LibSymbol(TLibHandle Lib, const char* Name);
// Unloads a library from LoadLib; nullptr is ignored.
void FreeLib(TLibHandle Lib);
