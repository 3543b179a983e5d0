// The G-code reader: ".nc" and ".gnc" programs come back as the XY projection of
// their feed moves, polylines of lines and arcs; rapids separate the paths. Programs
// of other makers read as written: comments hold no words, G90.1 / G91.1 set only how
// arc centres are given (else the reading that fits the arc is taken), and a line
// with an unsupported G code keeps its moves while the code goes to the error list.
#pragma once
#include <string>
#include <vector>

#include "core/Types.h"

struct TObjHeader;

// At most this many lines go to the error list (and the log); a last line counts the rest.
inline constexpr size_t MaxNcErrorLines = 500;

// Next word value of Letter in Line: the letter, following blanks and the number
// run (digits, "-", ".") are removed. True when the letter was found and the run is
// a number.
bool NcWordValue(char Letter, std::string& Line, Extended& Value);

// Reads a program text into StartAdr..EndAdr (appended); unsupported codes and arcs
// whose centre fits no reading are added to Errors (capped). Returns the number of objects made.
int ReadNcText(const std::string& Bytes, TObjHeader*& StartAdr, TObjHeader*& EndAdr, std::vector<std::string>& Errors);

// Reads the file and appends its paths to the drawing; Min..Max is their extent (left
// unchanged when nothing was made). The error list is shown when lines were refused.
// False when the file does not exist or cannot be read.
bool LoadNc(const std::string& FileName, Osy& Min, Osy& Max);
