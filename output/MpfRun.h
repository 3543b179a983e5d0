// The state one Sinumerik export run shares between the frame, the block routines
// and the object routines.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"

struct TObjHeader;
struct TTool;

struct TMpfRun {
    bool All = true;
    uint8_t CurLayer = 1;
    std::string LastToolCall;
    int64_t BlockCounter = 0;
    int64_t BlockIncrement = 0;
    bool ForceMove = false;
    std::string LastX, LastY, LastZ;  // texts of the last move as written
    Osy LastPos;
    Extended CurDepth = 0, PrevDepth = 0;
    int PassCount = 0;
    bool SpindleOn = false;
    Extended LastSpeed = 0;
    bool CoolantOn = false;
    bool Smooth = false;  // the last joint of the path was smooth
    TObjHeader *ClampStart = nullptr, *ClampEnd = nullptr;
    std::vector<std::string> Errors;
    std::string LongBlock;  // the first block that does not fit: the program is refused
    std::string Out;        // program text not yet appended to the temporary file
    bool WriteFailed = false;

    TMpfRun() = default;
    TMpfRun(const TMpfRun&) = delete;
    TMpfRun& operator=(const TMpfRun&) = delete;
    ~TMpfRun();

    const TTool& Tool() const;
    void Flush();
    void Error(const std::string& Line);
};

// A numbered block (when numbering is on); an empty text writes nothing.
void MpfWriteBlock(TMpfRun& R, const std::string& Text);
// A line without number or length limit (the two program name lines).
void MpfWriteLine(TMpfRun& R, const std::string& Text);

void MpfSpindle(TMpfRun& R, Extended Dwell, Extended Speed);
void MpfCoolant(TMpfRun& R, int Kind, Extended Dwell);
// A feed not above zero writes nothing and is reported.
void MpfFeed(TMpfRun& R, Extended F);
void MpfMoveZ(TMpfRun& R, const std::string& Prefix, Extended Z);
void MpfMoveXY(TMpfRun& R, bool Rapid, const Osy& P);
void MpfMoveXYZ(TMpfRun& R, bool Rapid, const Osy3D& P);
void MpfArcXY(TMpfRun& R, const Osy& S, const Osy& E, Extended Angle);
void MpfClampRapid(TMpfRun& R, const Osy& From, const Osy& To);

// Object routines; Pass is the pass row in whole-pass order.
void MpfObjectOut(TMpfRun& R, TObjHeader* Adresa, int Pass);
