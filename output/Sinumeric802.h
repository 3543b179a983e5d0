// The part program of a Sinumerik 802 control (".mpf"): numbered blocks of at most 39
// characters, fixed words, tool changes through the fixed point, path-control words
// chosen at every joint of a path.
#pragma once
#include <string>

struct TTool;

// Writes the program of the drawing (All) or of its selected objects, with the zero
// point, numbering and program stop of the Sinumerik export dialog. True when the file
// was written.
bool SaveMpf(const std::string& FileName, bool All);

// "T1D1 fréza 3mm" gives Call "T1D1" and Rest " fréza 3mm " (a blank appended, at
// most 24 characters);
// false (Call empty, Rest = Name) unless the name starts with "T", digits, "D", digits.
bool SinumericToolName(const std::string& Name, std::string& Call, std::string& Rest);
// The tool call of a layer's tool and its descriptive text: from Tnum and Dnum when
// both are set (the whole name as the text), else from the start of the name.
bool MpfToolCall(const TTool& T, std::string& Call, std::string& Rest);

// A number as the blocks write it: three decimals at most, no trailing zeros.
std::string MpfNumber(long double Value);
