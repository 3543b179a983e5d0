// The state one Comagrav export run shares between the frame and the object routines.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"

struct TObjHeader;
struct TTool;

struct TCncRun {
    bool All = true;
    uint8_t CurLayer = 1;
    std::string LastX, LastY, LastZ;  // texts of the last move (empty at every file's start)
    std::string PendingG, PendingF;   // words waiting for the next line written
    Extended CurDepth = 0, PrevDepth = 0;
    int PassCount = 0;
    Osy LastPos;
    std::vector<std::string> Errors;
    std::string Out;
    bool WriteFailed = false;

    const TTool& Tool() const;
    void Flush();
    void Error(const std::string& Line);
};

void CncWriteLine(TCncRun& R, const std::string& Text);
// A feed not above zero sets nothing and is reported.
void CncFeed(TCncRun& R, Extended F);
void CncMoveZ(TCncRun& R, Extended Z);
void CncMoveXY(TCncRun& R, const Osy& P);
void CncMoveXYZ(TCncRun& R, const Osy3D& P);
void CncArcChords(TCncRun& R, const Osy& A, const Osy& E, Extended Angle);

void CncObjectOut(TCncRun& R, TObjHeader* Adresa, int Pass);
