// Building the tool pages that the tool dialog and the library dialog share. The
// pages' places differ between the two forms and come in as a look; the handlers that
// differ are set by the forms.
#pragma once
#include <array>
#include <functional>

#include "platform/Forms.h"
#include "tools/ToolPageControls.h"

// The sheets of the four pages in PC, named by Names: Info/Geo, cutting data, plunges, outputs.
std::array<TTabSheet*, 4> MakeToolSheets(TForm& F, TPageControl* PC, const std::array<const char*, 4>& Names);

// Info/Geo: name, material, type, T and D, the tool's picture and the seven geometry rows.
struct TGeoPageLook {
    int CaptionW;         // the name, material and type captions
    int EditX, EditW;     // the name and material inputs
    int TypeW;            // the type box
    int TLabX, DLabX;     // the captions "T" and "D", their inputs beside them
    const char* ImgName;  // the tool's picture
    int ImgW;
    int RowX;             // the geometry captions; their inputs and the buttons follow
};
// Makes the page and returns the tool's picture.
TImage* BuildGeoPage(TForm& F, TControl* Page, TToolPageControls& C, const TGeoPageLook& L);

// Cutting data: nine rows, the unit buttons of Ap and Ae and the milling direction.
// A key released in a row of calculator kind K (0..7) runs OnKey(K); the spindle power
// row runs nothing.
void BuildTechPage(TForm& F, TControl* Page, TToolPageControls& C, std::function<void(int)> OnKey);

// Plunges: the strip of the six plunge objects and the four methods; a method's button
// runs OnMethod(method).
struct TPlungeMethodsLook {
    const char* TabPrefix;  // the names of the objects' tabs, numbered from 0
    int StripW;
    const char* Title;      // the methods' group
    int GroupH;
};
void BuildPlungeMethods(TForm& F, TControl* Page, TToolPageControls& C, const TPlungeMethodsLook& L,
                        std::function<void(int)> OnMethod);

// Outputs: laser, coolant and air blow groups.
struct TOutsPageLook {
    int GroupW;
    const char* LaserTitle;
    int LaserH;
    int CoolTop, CoolH;
    const char* BlowTitle;
    int BlowTop, BlowH;
    const char *LaserTimeName, *CoolTimeName;  // the captions of the two delays
};
void BuildOutsPage(TForm& F, TControl* Page, TToolPageControls& C, const TOutsPageLook& L, TLabel*& LaserTimeLab,
                   TLabel*& CoolTimeLab);
