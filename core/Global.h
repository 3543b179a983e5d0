// Numbers, points and typed input: the number text of the program's own files,
// ASCII upper-casing, evaluation of typed numbers and points, the readers and
// writers of points and segments stored inside object records, and the one pair
// of code-page conversions (UTF-8 <-> Windows-1250) of the whole program.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Types.h"

// "true" / "false".
std::string BoolToText(bool B);

// The number text of the program's files: fixed point, "." as separator, at most
// 18 significant digits (rounded) and 18 decimals, trailing zeros removed but one
// digit always behind the point ("3.0", "0.333333333333333333").
std::string ExtToStr(Extended X);
// ExtToStr(X) appended to S (writers of many numbers make no text of their own for each).
void AppendExtToStr(std::string& S, Extended X);
// ExtToStr(X) written into Out, which has room for ExtCharsRoom characters; the count
// written, 0 for a text longer than that (values of 10^40 and up: take ExtToStr). For
// writers that store a line's pieces straight into their output.
inline constexpr size_t ExtCharsRoom = 48;
size_t ExtToChars(Extended X, char* Out);

// Only a..z become A..Z; every other byte (accented letters, UTF-8 sequences,
// Windows-1250 bytes) stays as it is.
std::string UpCaseStr(const std::string& S);
// S == Word with a..z read as A..Z (UpCaseStr(S) == Word, Word upper case), without a copy.
bool SameUpper(std::string_view S, std::string_view Word);
std::string UpCaseAnsiStr(const std::string& S);

// 1-based position of the first '+', '-', '*' or '/' in S; 0 when there is none.
int OperatorPos(const std::string& S);

// Called once for every failed evaluation that asks to be marked; the command line
// sets it to append " = INVALID" to its prompt. Null: nothing is marked.
extern void (*OnMarkInvalidInput)();

// Evaluates a typed number with + - * / strictly from left to right (no precedence,
// no brackets). "," counts as ".", the text is cut at its first blank. False when the
// text is not such a number (and, with Mark, the prompt is marked).
bool StrToExtCalc(const std::string& S, Extended& Value, bool Mark);
// The same over a part of a larger text (the file readers' fields).
bool StrToExtCalcText(std::string_view S, Extended& Value, bool Mark);

// Reads a typed point "x y". "@x y" is relative to Base, "<dist angle" is polar from
// Base (angle in degrees); "@<dist angle" is read as polar from Base too.
bool StrToPt(const std::string& S, const Osy& Base, Osy& P);

// Readers and writers of the point and segment fields stored inside object records.
// A stored point is laid out as `Osy`/`Osy3D`, a segment as `Alfa` followed by `E`
// (the layout of TPlineSeg/TPlineSeg3D). The address need not be aligned; nothing
// is checked.
Osy GetPt(const void* Adr);
void GetPt(const void* Adr, Osy& P);
void SetPt(void* Adr, const Osy& P);
void GetSeg(const void* Adr, Extended& Alfa, Osy& E);
void SetSeg(void* Adr, const Osy& E, Extended Alfa);
Osy3D GetPt3D(const void* Adr);
void GetPt3D(const void* Adr, Osy3D& P);
void SetPt3D(void* Adr, const Osy3D& P);
void GetSeg3D(const void* Adr, Extended& Alfa, Osy3D& E);
void SetSeg3D(void* Adr, const Osy3D& E, Extended Alfa);

// Code-page pair. Windows-1250 bytes without a character (0x81, 0x83, 0x88, 0x90,
// 0x98) map to the control characters U+0081.. and back, so every byte sequence
// survives a round trip. Characters that Windows-1250 lacks, and malformed UTF-8,
// become '?'.
std::string Utf8ToCp1250(const std::string& S);
std::string Cp1250ToUtf8(const std::string& S);
