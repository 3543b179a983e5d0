// Stroke fonts: the table of loaded ".shp" fonts, their loader, the built-in
// font "YF01.SHP" and the shape interpreter that draws, picks, measures and
// builds the texts of these fonts.
//
// A shape is a byte string indexed by the 8-bit character code (Windows-1250).
// Shape 0 is the font header: its first byte is the capital height U in font
// units, onto which a text's height `Vyska` is mapped.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"

struct TObjHeader;
class TCanvas;

inline constexpr int FontTabSize = 64;   // slots 0..63
inline constexpr int FontNameMax = 37;   // a font name is cut to this many characters
inline constexpr int ShapePad = 16;      // a shape's block holds its declared count + this

struct TShpFont {
    std::string Name;                                // upper-cased file name; empty = free slot
    std::array<uint16_t, 256> ShapeLen{};            // declared byte count per shape
    std::array<std::vector<uint8_t>, 256> ShapeData; // the shape's block; empty = no shape
};

extern std::array<TShpFont, FontTabSize> FontTab;

// Shape numbers of 256 and more that the loader brings into the 8-bit range.
struct TShpRemap {
    uint16_t Shape;
    uint8_t Code;
};
extern const std::array<TShpRemap, 19> ShpCodeRemap;

// The built-in font: its shapes as texts "code,count,byte,byte,..." (core/FontYF01.cpp).
inline constexpr int IntFontShapeCount = 116;
extern const char* const IntFontShapes[IntFontShapeCount];
inline constexpr const char* IntFontName = "YF01.SHP";

// Frees every shape of every used slot and empties all 64 slots.
void FontFreeMem();

// Loads the font file Cesta + "/" + Jmeno into the slot of that name, or into the
// first free slot. A file that cannot be read or is malformed is logged ("Err:...")
// and leaves the table unchanged. False when nothing was loaded.
bool LoadFont(const std::string& Cesta, const std::string& Jmeno);

// The same from the file's bytes (used by LoadFont and the fuzz target).
bool LoadFontBytes(const std::string& Jmeno, const std::string& Bytes);

// Puts the built-in font "YF01.SHP" into the first free slot.
void InstallIntFont();

// The slot whose Name equals the upper-cased name cut to 37 characters; -1 if none.
int FindFont(const std::string& Name);

// Upper-cases a..z only (as every font name comparison does).
std::string FontNameKey(const std::string& Name);

// Checks that a shape's commands all end inside its block (with a final 0), that
// no scale divides by 0; "" when sound, else the fault.
std::string CheckShape(const std::vector<uint8_t>& Data);

// ---- the interpreter (core/IntFontWalk.cpp) ----

enum TShpMode : int { ShpDraw = 0, ShpPick = 1, ShpEnvelope = 2, ShpBuild = 3 };

// Runs every character of WorkText in its stroke font. Mode 0 draws on Canv, 1 tests
// the pick rectangle Min..Max (result true on a hit), 2 sets WorkText.WinMin/WinMax
// to the envelope, 3 appends the strokes as polylines on Layer to StartAdr..EndAdr.
bool WalkShpText(int Mode, const Osy& Min, const Osy& Max, TCanvas* Canv, float Opacity,
                 uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);

// Draws every character of WorkText in its stroke font on Canv (text preview; the
// coordinates are canvas pixels with y upwards).
void WalkShpTextGdi(TCanvas* Canv);

// The stroke width of the tool-top view: the cutting radius of a tool layer's tool at
// its deepest pass; false when it has none. The tool code's ShpToolDistDeepest, installed at start-up.
using TShpToolDist = bool (*)(int Layer, Extended& Dist);
extern TShpToolDist ShpToolDist;

// Deepest subshape nesting the interpreter follows.
inline constexpr int ShpMaxDepth = 16;
// Saved positions per shape call.
inline constexpr int ShpStackSize = 20;
