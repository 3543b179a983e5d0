// The layer panel of the main window: 32 rows showing one bank of tool layers
// (T1..T32 or T33..T64) and four rows of the special layers, with the show marks,
// the active-layer dot and the hint of a layer's tool. Its logic lives in TMainForm
// (LayPanel.cpp); these are its helpers.
#pragma once
#include <functional>
#include <string>

inline constexpr int LayRowCount = 32;
// Row height and the top of the 32 rows in the scroll box, pixels.
inline constexpr int LayRowHeight = 15;

// The layer a row stands for: Row 1..32 in the bank shown, 65..68 the special rows.
int LayerOfRow(int Row);
// The name suffix of a special row's controls ("Mat", "Upin", "Koty", "Orig"), 65..68.
std::string SpecialRowName(int Layer);
// Picture file of the show mark: Use 0 (shown, empty) or 1 (shown, holds objects).
std::string LayMarkFile(int Use);

// CHANGELAYER's last step, run when the layer panel answers the command's question.
extern std::function<void()> ComChangeLayerHook;
