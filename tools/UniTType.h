// Tool types: the nine built-in mill types and the file "TTypeDef.ytf".
#pragma once
#include <cstdint>
#include <string>

// Highest index of Glob.MillToolType / Glob.LatheToolType as the type file counts them.
extern int32_t MillTypeMax;
extern int32_t LatheTypeMax;

// Nine mill types named from StrMillTType, every geometry and cutting input enabled
// with no value given, no plunge method allowed. Logs "Sys:Init Tool types".
void InitToolType();

// Reads the type file into the type lists. A missing file is logged and the types
// stay. Afterwards MillTypeMax matches the mill list, and LatheTypeMax the lathe list
// once it has entries.
void FileToToolType(const std::string& JmFile);

// Writes the type lists (through a temporary file). False when it could not be written.
bool ToolTypeToFile(const std::string& JmFile);
