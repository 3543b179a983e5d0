// The info window: per layer and kind the number of selected objects, and the
// selection's extents. Shown without blocking; created once.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "platform/Forms.h"

class TInfoDialog : public TForm {
public:
    TInfoDialog();
    ~TInfoDialog() override;

    TStringGrid* StrGridCnt;   // 6 columns x 70 rows: layer rows, kind columns
    TStringGrid* StrGridSize;  // 3 columns x 5 rows: corners, centre, size
    TBitBtn* BitBtnOK;

    // "Hlad.\Obj.", "Bod", "Polyline", "Skupina", "Text", "3D polyline", "Levý spodní",
    // "Pravý horní", "Střed", "Rozměr" (language keys StrLayerObject ... StrSize).
    std::array<std::string, 10> Str;

    // Fills both grids from the drawing's selected top-level objects and
    // MainVars.SelEnv1 / SelEnv3.
    void Aktualize();
    void FormResize();
};

extern TInfoDialog* InfoDialog;
void CreateInfoDialog();
// Frees the instance (state between tests).
void FreeInfoDialog();

// The display row of layer L: the special layers 65..68 first (1..4), then the tool
// layers 1..64 (5..68). The grid shows display row d on grid row d + 1 (grid row 0 is
// the header, grid row 1 the group total).
int InfoLayerRow(int Layer);
