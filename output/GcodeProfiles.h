// The post-processor files a new program folder gets: "Gcode.cfg" for an RS-274/NGC
// control (LinuxCNC) and "GcodeGrbl.cfg" for GRBL 1.1 controls beside it, and the
// header and tool-change files they name.
#pragma once
#include <string>

#include "output/GcodeCfg.h"

inline constexpr const char* GrblCfgName = "GcodeGrbl.cfg";
inline constexpr const char* GcodeHeaderName = "GcodeHlavicka.txt";
inline constexpr const char* GcodeToolChangeName = "GcodeVymena.txt";

// Millimetres per minute, G21 and G94, centres relative to the arc start, no A word,
// no line numbers, the tool change retracting to the top of the machine's Z travel.
TGcodeConfig LinuxCncProfile();
// As LinuxCncProfile with only what GRBL 1.1 accepts: no tool change, no M7.
TGcodeConfig GrblProfile();

// Writes the files that are missing in Dir; those there are kept. False when one could
// not be written.
bool WriteGcodeProfileFiles(const std::string& Dir);
