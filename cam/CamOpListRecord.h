// Filling an operation record with the parameters a machining command was given. The
// routines leave Status and the links alone: the builder sets those.
//
// Each returns false (with an "Err:" log line) when the record number is not one of
// the 100 records, and then changes nothing.
#pragma once
#include <cstdint>
#include <string>

#include "core/Types.h"

// Record OpList.Index: a contour (OpType 1) on layer La, main operation.
bool RecordOpContour(bool TgIn, bool TgOut, bool Revers, bool Inside, bool Outside, bool Fillet, bool Corner3D,
                     bool Sousledne, Extended Pridavek, Extended TgPolomer, Extended TgUhel, Extended Corner3DUhel,
                     int La, const std::string& Name, Extended Depth);
// Record OpList.Index: a pocket (OpType 2) on layers La1 and La2, main operation.
bool RecordOpPocket(uint8_t FillType, uint8_t Strategy, bool Sousledne, Extended ThinError, Extended AllError,
                    Extended MFillUhel, Extended MFillPresah, Extended MfillPridavek, Extended RFillUhel,
                    Extended RFillPresah, Extended RFillPridavek, Extended Corner3DUhel, bool Crossing, bool Corner3D,
                    int La1, int La2, const std::string& Name, Extended Depth, bool OnePassFin);
// Record OpNum: a pocket's roughing or finishing sub-operation of master MasterId; the
// fill parameters and the depth are zeroed.
bool RecordSubOp(int OpNum, int OpType, const std::string& Name, int La, int MasterId);
// Record OpList.Index: a surfacing (OpType 5) on layer La, main operation.
bool RecordOpSurface(bool Sousledne, int La, const std::string& Name, Extended ThinError, Extended MFillUhel,
                     Extended MFillPresah, Extended MfillPridavek, Extended Depth, uint8_t EdgeMode);
