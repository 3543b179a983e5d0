// The dial-face generator: a measuring protocol (a small text file describing a gauge
// scale) becomes the drawing of a dial face: main and intermediate ticks around a
// centre with their labels, the ticks' centre lines on tool layers, and zones (annular
// bands over an angle range) cut free around the ticks with a clearance.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"

// One tick of the protocol. Angles in radians, clockwise from the top of the dial.
struct TCarka {
    std::string T;  // label (8-bit), empty: none
    Extended A = 0, L = 0, W = 0, HT = 0;
    int32_t N = 0;  // intermediate ticks between the previous main tick and this one
    Extended LM = 0, WM = 0;
    uint8_t Lay = 0, LayMezi = 0;  // tool layers of the centre lines, 0 none
};

// The module's tables: what the last sound protocol gave.
struct TDaskovinData {
    Extended D = 0, DM = 0, B = 0, DT = 0, US = 0, CX = 0, CY = 0;
    uint8_t LT = 0, LZ = 0;
    std::array<TCarka, 100> Carka;
    // Start and end angle (radians), outer diameter, radial width, corner radius.
    std::array<std::array<Extended, 5>, 10> Zona{};
    bool Loaded = false;  // a protocol was read; before that nothing is generated
};

// Reads the protocol's lines into Data over what an earlier load left there. A
// protocol that would leave the tables unsound (no tick, a tick or zone line whose
// angle does not evaluate or is negative, a tick or zone beyond a gap of the table, a
// zone angle beyond 360 degrees, an empty zone, a tick without length or width, too
// many intermediate ticks) is refused: false, Data unchanged, Problem names the line
// in UTF-8 ("řádek 4: X3=...").
bool LoadDaskovinProtocol(const std::vector<std::string>& Lines, TDaskovinData& Data, std::string& Problem);

// Appends the dial of Data to the drawing: zones as one group, tick outlines as one
// group, centre lines as one group, then the labels. False (nothing added) when the
// scale values are missing or no protocol was loaded.
bool GenerateDaskovin(const TDaskovinData& Data);

class TDaskovinDialog : public TForm {
public:
    TDaskovinDialog();

    TButton* BtnLoad;      // "Načíst měřící protokol"
    TBitBtn* BitBtnOK;     // "Vygenerovat ciferník"
    TBitBtn* BitBtnStorno;
    TOpenDialog OpenDg;

    TDaskovinData Data;

    // True when a protocol was loaded.
    bool BtnLoadClick();
    bool BitBtnOKClick();
};

extern TDaskovinDialog* DaskovinDialog;
void CreateDaskovinDialog();
