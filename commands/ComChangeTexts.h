// CHANGETEXTS: serial engraving. In the selected texts the first occurrence of a part
// is replaced by a constant text, the next number of a series or the next row of a
// table, and the texts are rebuilt in place.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

void ComChangeTexts();

// The replacement of one string: the first occurrence of Part in S replaced by Value;
// blanks at both ends of the result removed (a text that begins or ends with blanks
// builds no outline there), inner blanks kept. False when S does not hold Part (an
// empty Part occurs nowhere); Out is then S.
bool ReplaceTextPart(const std::string& S, const std::string& Part, const std::string& Value, std::string& Out);

// A whole number as the program reads one typed in a dialog: blanks around it, an
// optional sign, decimal digits, within 32 bits.
bool ReadWholeNumber(const std::string& S, int32_t& N);

// Where the replacement values come from.
struct TTextSource {
    enum TKind { Const, Series, Table } Kind = Series;
    std::string Part;                // what is replaced (8-bit text)
    std::string ConstText;           // Const
    int64_t Next = 1, Increment = 1; // Series
    std::vector<std::string> Rows;   // Table (8-bit text), at least one
    size_t Row = 0;
};

// Number of selected texts, counted into selected groups.
int CountSelectedTexts();

// The replacement walk over the drawing: every selected record loses its bit, groups
// are walked at their place, every selected text holding Src.Part takes the next value
// and is rebuilt. A result that would be empty (or is refused by the text builder)
// leaves that text as it was and is counted in Refused.
void ReplaceSelectedTexts(TTextSource& Src, int& Refused);
