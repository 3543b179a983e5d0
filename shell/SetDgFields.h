// What the settings dialog's controls stand for: one row per control, with the
// settings field it shows and the rule by which a typed value is taken over.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Types.h"

// The twelve pages, in list order.
enum TSetPage : int {
    spDesktop, spView, spAids, spZoom, spBitmap, spDim, spCam, spPrecision, spSystem, spPanels, spLibrary,
    spCommands, SetPageCount
};
extern const char* const SetPageCaption[SetPageCount];
extern const char* const SetPageName[SetPageCount];

// A number edit. Real: shown in the regional form; Whole: rounded, halves to even;
// Degrees: the field holds radians; Decimals: the field is a pattern "0.000" shown as
// its count of decimals; Cut: whole number with the fraction cut off.
enum class TNumForm : uint8_t { Real, Whole, Degrees, Decimals, Cut };
struct TSetNum {
    const char* Edit;
    const char* Label;
    TSetPage Page;
    TNumForm Form;
    Extended Min, Max;  // a typed value outside is refused
    std::function<Extended()> Get;
    std::function<void(Extended)> Set;
};
const std::vector<TSetNum>& SetNumFields();

// A check box or the first button of a radio pair, standing for a Boolean field.
struct TSetBool {
    const char* Control;
    const char* Caption;
    TSetPage Page;
    bool* Field;
    bool Hidden;
};
const std::vector<TSetBool>& SetBoolFields();

// A colour swatch; a click chooses its colour.
struct TSetColour {
    const char* Shape;
    const char* Label;
    uint32_t* Colour;
};
const std::vector<TSetColour>& SetColourFields();

// An opacity track bar (position = opacity x 10) and, for most, its pen width edit
// (a whole-number row of SetNumFields on the view page).
struct TSetOpacity {
    const char* TrackBar;
    const char* Label;
    float* Opacity;
    const char* WidthEdit;  // nullptr: none
};
const std::vector<TSetOpacity>& SetOpacityFields();

// "0." and Decimals zeros; the count of characters after the last "." of a pattern.
std::string DecimalPattern(int Decimals);
int PatternDecimals(const std::string& Pattern);
