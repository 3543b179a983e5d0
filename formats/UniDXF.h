// DXF exchange: the reader of ASCII DXF drawings (any version that common CAD
// programs write) and the writer of version "AC1006" files.
#pragma once
#include <cstdint>
#include <string>

#include "core/Types.h"

// Limits of one read, against files that would never finish or fill the memory.
inline constexpr int32_t DxfMaxInsertDepth = 32;         // block references inside references
inline constexpr int64_t DxfMaxObjects = 2'000'000;      // records one read may make
inline constexpr int64_t DxfMaxVertices = 4'000'000;     // polyline vertices one read may make
inline constexpr int64_t DxfMaxBytes = 256LL << 20;      // bytes of records one read may make
inline constexpr int32_t DxfMaxBlocks = 65536;           // block definitions
inline constexpr int32_t DxfMaxStyles = 65536;           // text styles

// Appends the entities of FileName to the end of the drawing list; Min/Max receive the
// extents of what was read (Min (1000000, 1000000), Max (-1000000, -1000000) when
// nothing). A missing, binary, damaged or truncated file adds nothing and says so, and
// so does one that would make more than the limits above (block references expanded)
// or that runs out of memory. False when nothing was read.
bool LoadDxf(const std::string& FileName, Osy& Min, Osy& Max);

// The program layer of a DXF layer name: the first layer 1..68 of that name (ASCII
// case ignored), else the number of the name's trailing digits when it is 1..68,
// else 68.
uint8_t DxfLayerToLayer(const std::string& Name);

// Writes the drawing (All) or its selected top-level objects as a DXF file of the
// version "AC1006" through the temporary file. True when the file was written.
bool SaveDxf(const std::string& FileName, bool All);

// Fixed point with 12 decimals, trailing zeros removed but one kept behind the point.
std::string DxfExtToStr(Extended X);
