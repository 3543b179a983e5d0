// The text parameters `ParText` and the three shared records of the text unit:
// `WorkText` (the working parameters every text operation loads a text into and
// creates texts from), `TextStyle` (the current text style) and `DimTextStyle`
// (the dimension text style).
#pragma once
#include <cstdint>
#include <string>

#include "core/Types.h"

struct TObjHeader;

// `Justify`: low four bits the justification 0..8 (3 * vertical + horizontal).
inline constexpr uint8_t JustifyItalic = 32;
inline constexpr uint8_t JustifyBold = 64;
inline constexpr uint8_t JustifyTrueType = 128;

struct ParText {
    Osy Base;                       // stroke text: world point of the font origin
    Extended Vyska = 0;             // capital height, mm
    Extended WidthFactor = 0;       // horizontal glyph scale
    Extended Rotate = 0;            // baseline direction, radians in 0..2pi
    Extended Zkos = 0;              // stroke text: slant (rad); TrueType: letter spacing in % of Vyska
    bool MirrorY = false;           // y axis of the text flipped
    Osy Origin;                     // insertion point (the justification point)
    uint8_t Justify = 0;            // justification, JustifyItalic/Bold/TrueType
    Osy WinMin, WinMax;             // world bounding box of the drawn text
    Osy EnvP1, EnvP2, EnvP3, EnvP4; // corners of the text box
    std::string JmFontu;            // 8-bit font name (at most 37 characters)
    std::string Text;               // 8-bit text (at most 255 characters), one line
    Extended MeziRadky = 0;         // line spacing, mm (not stored in a text record)
    TObjHeader* AdrGroup = nullptr; // outline group of a TrueType text
};

extern ParText WorkText;
extern ParText TextStyle;
extern ParText DimTextStyle;

// The built-in text style and dimension text style: the built-in stroke font,
// capital height 5 mm, width factor 1, line spacing 10 mm, origin (0, 10).
void SetBuiltInTextStyles();

// A text can be made with these parameters: a capital height above 0 and a font name.
bool TextStyleUsable(const ParText& P);
