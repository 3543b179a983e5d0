// The settings block: the text form of the user's settings, "SETUP" .. "ENDSETUP",
// one "key=value" line per setting. It stands in "Default.cfg" in the program folder
// and in every job file. Lines are 8-bit text (Windows-1250).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// First line of "Default.cfg".
inline constexpr const char* DefaultCfgVersionLine = "Ver=2.5 beta 6";

// ProgramDir + "/Default.cfg".
std::string DefaultCfgPath();

// The block of the current settings: "SETUP", ("  PACKED"), the key lines indented by
// two blanks, "ENDSETUP". Packed writes each layer as one line.
std::vector<std::string> GlobalCfgLines(bool Pack);

// Appends the block to JmFile (created when missing), lines ended by CR LF.
// False when the file cannot be written.
bool GlobalCfgToFile(const std::string& JmFile, bool Pack);

// Writes "Default.cfg": the version line and the packed block. The new file is written
// beside the old one and renamed over it, so a failed write keeps the old settings.
bool WriteDefaultCfg();

// Applies the first settings block of JmFile, then CheckGlobalCfg. A missing file
// changes nothing but the contour dialog's conventional-milling button (logged).
// False when the file is missing or cannot be read.
bool FileToGlobalCfg(const std::string& JmFile);
// The same over the lines of JmFile, read already (the same log line).
void FileLinesToGlobalCfg(const std::string& JmFile, const std::vector<std::string>& Lines);

// The same on lines already read (8-bit text, without line ends).
void LinesToGlobalCfg(const std::vector<std::string>& Lines);

// Largest distance from the origin (mm) of the drawing limits, grid and snap origins and
// grid steps the settings accept.
inline constexpr long double CfgMaxCoord = 1e6L;
// Brings the ranged settings of Glob back into their ranges.
void CheckGlobalCfg();

// Called after a settings block was applied when it changed Glob.MaxUndo: the undo
// ring must then free all its slots, as a change in the settings dialog does.
extern std::function<void()> OnCfgMaxUndoChanged;
// Called at the end of every FileToGlobalCfg / LinesToGlobalCfg (the operations panel
// refreshes itself here).
extern std::function<void()> OnCfgApplied;

// Number forms of the block.
// Regional real: shortest text of at most 15 significant digits, no exponent, with the
// decimal separator of the user's locale (LC_NUMERIC).
std::string CfgRegionalReal(long double X);
// The decimal separator used by CfgRegionalReal: the locale's, unless overridden
// (tests); 0 restores the locale's.
char CfgDecimalSeparator();
void SetCfgDecimalSeparator(char Sep);

// The integer reading of a value: optional blanks, sign, decimal digits or hexadecimal
// digits after "$", "x", "X", "0x", "0X"; nothing may follow; 32 bits.
bool CfgIntReading(std::string_view S, int32_t& Value);

// Start state: hooks kept, separator from the locale.
void ResetSetCfg();
