// Tool types: the nine built-in mill types and the file "TTypeDef.ytf".
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Highest index of Glob.MillToolType / Glob.LatheToolType as the type file counts them.
extern int32_t MillTypeMax;
extern int32_t LatheTypeMax;

// Nine mill types named from StrMillTType, every geometry and cutting input enabled
// with no value given, no plunge method allowed. Logs "Sys:Init Tool types".
void InitToolType();

// Allows each of the nine built-in mill types the plunge methods it can enter the
// material with, for every kind of object (the laid-out type file of a first start).
void AllowBuiltInPlunges();

// Checks a tool type number read from line Line (from 1) of File: true when it names a
// type of Glob.MillToolType (or no list is loaded yet to judge by). Otherwise logs
// "Err:Wrong tool type" with the file and line and, unless Told, tells the user once
// (Told is then set); the caller keeps the tool's type it had.
bool ToolTypeReadOk(int32_t Type, const std::string& File, size_t Line, bool& Told);

// Reads the type file into the type lists. A missing file is logged and the types
// stay. A damaged one (a count refused, a value that does not read, fewer type blocks
// than counted, no end line) is kept as JmFile + ".bak" and told, and what was read
// stays; then the result is false. Afterwards MillTypeMax matches the mill list, and
// LatheTypeMax the lathe list once it has entries.
bool FileToToolType(const std::string& JmFile);

// The lines of the type file; ToolTypeToFile writes them (through a temporary file)
// and is false when it could not.
std::vector<std::string> ToolTypeLines();
bool ToolTypeToFile(const std::string& JmFile);
