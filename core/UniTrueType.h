// TrueType texts: glyph outlines turned once into closed polylines of lines and
// circular arcs, placed by advance width, kerning pairs and an extra letter spacing.
//
// A face is looked up by its family name through fontconfig and read by FreeType in
// the font's own outline form (lines and quadratic splines; cubic splines of
// PostScript-flavoured fonts are taken as they are). Glyph units: the face scaled so
// that its cell height (ascent + descent) is 1000, y up from the baseline.
// Text characters are 8-bit (Windows-1250) and are mapped to Unicode for the glyph
// and kerning look-ups.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/Types.h"

struct TObjHeader;

// One selected face (the counterpart of a device context with the font selected).
class TTrueTypeFace {
public:
    TTrueTypeFace();
    ~TTrueTypeFace();
    TTrueTypeFace(const TTrueTypeFace&) = delete;
    TTrueTypeFace& operator=(const TTrueTypeFace&) = delete;

    // Looks the family up through fontconfig (the closest installed face when there
    // is no exact one). Bold and italic are synthesised when the face lacks them.
    bool Select(const std::string& FaceName, bool Bold = false, bool Italic = false);
    // Opens a font file directly.
    bool Open(const std::string& FileName, int Index = 0, bool Bold = false, bool Italic = false);
    bool Ok() const;
    // The font file in use (empty when none).
    const std::string& FileName() const;
    // Glyph units per font unit.
    Extended Scale() const;

    // Kerning of the pair (8-bit codes) in glyph units; 0 when the font has none.
    Extended Kerning(uint8_t First, uint8_t Second) const;

    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};

typedef struct _FcPattern FcPattern;
// fontconfig's closest scalable face for Family (UTF-8), with Styled also of the weight
// and slant Bold/Italic ask for; the caller destroys it. nullptr when there is none
// (fontconfig must be initialised, as TTrueTypeFace::Select does).
FcPattern* MatchScalableFace(const std::string& Family, bool Styled, bool Bold, bool Italic);

// The Unicode code point of an 8-bit (Windows-1250) character.
uint32_t Cp1250CodePoint(uint8_t Ch);

// Appends the contours of glyph Ch as closed polylines (layer 1, provisional) to
// StartAdr..EndAdr, quadratic pieces fitted by arcs within Err glyph units. Returns
// the glyph's advance width (0 when the face or the glyph is missing).
Extended GlyphOutline(TTrueTypeFace& DC, uint8_t Ch, TObjHeader*& StartAdr, TObjHeader*& EndAdr,
                      Extended Err);

// A new group (linked into no list) holding the outlines of all characters of S, or
// nullptr when nothing was outlined (blanks only, empty text, no face).
TObjHeader* TrueTypeText(TTrueTypeFace& DC, const std::string& S, Extended Err, Extended Spacing);

// The TrueType outline build of a text from WorkText: WorkText.AdrGroup := the new
// outline group in the text's frame (the letter E from y = 0 to Vyska, members on
// Layer, widened by WidthFactor about Origin), WinMin/WinMax := its envelope. False
// (AdrGroup nullptr) when nothing was outlined.
bool TrueTypeOutlineBuild(uint8_t Layer);

// The face used for a name and style, kept open between builds.
TTrueTypeFace* CachedFace(const std::string& FaceName, bool Bold, bool Italic);
// Closes every cached face.
void FreeTrueTypeFaces();
