// The STATISTIC dialog: per layer the length of the paths and the estimated machining
// time (plunges, feeds, rapids, dwells), from the drawing in its current order and each
// tool layer's tool. It writes nothing.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "platform/Forms.h"

// What one layer's walk gathers (lengths in mm) and the times it gives (seconds).
struct TLayerStat {
    int32_t Count = 0;       // objects; a text counts itself and each of its polylines
    Extended Cut = 0;        // path length
    Extended Travel = 0;     // origin -> starts -> ends -> ... -> origin, straight
    Extended Back = 0;       // start-to-end distance of each polyline
    Extended Plunge = 0, Feed = 0, Rapid = 0, Dwell = 0;  // s; tool layers only
    Extended Sum() const { return Plunge + Feed + Rapid + Dwell; }
};

// The walk and the times of layer La (1..68) over the drawing list.
TLayerStat LayerStat(uint8_t La);

class TLengthDialog : public TForm {
public:
    TLengthDialog();
    ~TLengthDialog() override;

    TStringGrid* StrGrid;
    TBitBtn* BitBtnOK;
    // Header words; the language file may replace them.
    std::string StrLayer = "Hladina", StrSum = "Součet", StrLen = "Délky", StrPlunge = "Zápichy",
                StrFeed = "Posuvy", StrCross = "Rychloposuvy", StrWait = "Prodlevy";

    void FormShow();
    void FormResize();
};

extern TLengthDialog* LengthDialog;
void CreateLengthDialog();

// STATISTIC: shows the dialog modally.
void ComLength();
