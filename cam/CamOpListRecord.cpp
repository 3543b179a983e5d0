#include "cam/CamOpListRecord.h"

#include <string>

#include "cam/CamOpList.h"
#include "core/UniLog.h"

namespace {

// The record OpNum, or nullptr (logged) when the list has no such record.
TCamOp* RecordAt(int OpNum, const char* What) {
    if (OpNum >= 0 && OpNum < MaxCamOps) return &OpList.Cam[OpNum];
    WriteLog(std::string("Err:") + What + " record FAILED, no record (OpNum:" + std::to_string(OpNum) + ")");
    return nullptr;
}

}  // namespace

bool RecordOpContour(bool TgIn, bool TgOut, bool Revers, bool Inside, bool Outside, bool Fillet, bool Corner3D,
                     bool Sousledne, Extended Pridavek, Extended TgPolomer, Extended TgUhel, Extended Corner3DUhel,
                     int La, const std::string& Name, Extended Depth) {
    TCamOp* Op = RecordAt(OpList.Index, "OpContour");
    if (!Op) return false;
    Op->OpType = OpTypeContour;
    Op->Name = Name;
    Op->TgIn = TgIn;
    Op->TgOut = TgOut;
    Op->Revers = Revers;
    Op->Inside = Inside;
    Op->Outside = Outside;
    Op->Fillet = Fillet;
    Op->Corner3D = Corner3D;
    Op->Sousledne = Sousledne;
    Op->Pridavek = Pridavek;
    Op->TgPolomer = TgPolomer;
    Op->TgUhel = TgUhel;
    Op->Corner3DUhel = Corner3DUhel;
    Op->La1 = La;
    Op->La2 = 0;
    Op->Depth = Depth;
    Op->MasterOp = -1;
    WriteLog("CAM:OpContour record (OpName:" + Name + ", OpNum:" + std::to_string(OpList.Index) +
             ", La:" + std::to_string(La) + ")");
    return true;
}

bool RecordOpPocket(uint8_t FillType, uint8_t Strategy, bool Sousledne, Extended ThinError, Extended AllError,
                    Extended MFillUhel, Extended MFillPresah, Extended MfillPridavek, Extended RFillUhel,
                    Extended RFillPresah, Extended RFillPridavek, Extended Corner3DUhel, bool Crossing, bool Corner3D,
                    int La1, int La2, const std::string& Name, Extended Depth, bool OnePassFin) {
    TCamOp* Op = RecordAt(OpList.Index, "OpPocket");
    if (!Op) return false;
    Op->OpType = OpTypePocket;
    Op->FillType = FillType;
    Op->Strategy = Strategy;
    Op->Sousledne = Sousledne;
    Op->ThinError = ThinError;
    Op->AllError = AllError;
    Op->MFillUhel = MFillUhel;
    Op->MFillPresah = MFillPresah;
    Op->MfillPridavek = MfillPridavek;
    Op->RFillUhel = RFillUhel;
    Op->RFillPresah = RFillPresah;
    Op->RFillPridavek = RFillPridavek;
    Op->Corner3DUhel = Corner3DUhel;
    Op->Crossing = Crossing;
    Op->Corner3D = Corner3D;
    Op->La1 = La1;
    Op->La2 = La2;
    Op->Name = Name;
    Op->Depth = Depth;
    Op->OnePassFin = OnePassFin;
    Op->MasterOp = -1;
    WriteLog("CAM:OpPocket record (OpName:" + Name + ", OpNum:" + std::to_string(OpList.Index) +
             ", La1:" + std::to_string(La1) + ", La2:" + std::to_string(La2) + ")");
    return true;
}

bool RecordSubOp(int OpNum, int OpType, const std::string& Name, int La, int MasterId) {
    TCamOp* Op = RecordAt(OpNum, "SubOp");
    if (!Op) return false;
    Op->OpType = OpType;
    Op->Name = Name;
    Op->La1 = La;
    Op->La2 = 0;
    Op->MasterOp = MasterId;
    Op->FillType = Op->Strategy = 0;
    Op->ThinError = Op->AllError = 0;
    Op->MFillUhel = Op->MFillPresah = Op->MfillPridavek = 0;
    Op->RFillUhel = Op->RFillPresah = Op->RFillPridavek = 0;
    Op->Corner3DUhel = 0;
    Op->Depth = 0;
    Op->Sousledne = Op->Crossing = Op->Corner3D = Op->OnePassFin = false;
    WriteLog("CAM:SubOp record  (OpName:" + Name + ", OpNum:" + std::to_string(OpNum) + ", La:" + std::to_string(La) +
             ", MopId:" + std::to_string(MasterId) + ")");
    return true;
}

bool RecordOpSurface(bool Sousledne, int La, const std::string& Name, Extended ThinError, Extended MFillUhel,
                     Extended MFillPresah, Extended MfillPridavek, Extended Depth, uint8_t EdgeMode) {
    TCamOp* Op = RecordAt(OpList.Index, "OpSurface");
    if (!Op) return false;
    Op->OpType = OpTypeSurface;
    Op->FillType = 0;
    Op->Strategy = 1;
    Op->Sousledne = Sousledne;
    Op->Name = Name;
    Op->ThinError = ThinError;
    Op->MFillUhel = MFillUhel;
    Op->MFillPresah = MFillPresah;
    Op->MfillPridavek = MfillPridavek;
    Op->Depth = Depth;
    Op->EdgeMode = EdgeMode;
    Op->AllError = 0;
    Op->RFillUhel = Op->RFillPresah = Op->RFillPridavek = 0;
    Op->Corner3DUhel = 0;
    Op->Crossing = Op->Corner3D = Op->OnePassFin = false;
    Op->La1 = La;
    Op->La2 = 0;
    Op->MasterOp = -1;
    WriteLog("CAM:OpSurface record  (OpName:" + Name + ", OpNum:" + std::to_string(OpList.Index) +
             ", La:" + std::to_string(La) + ")");
    return true;
}
