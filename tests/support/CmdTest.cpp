#include "support/CmdTest.h"

#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"

const char* const CmdTest::DefaultComSet =
    "Command set\r\n"
    "STARTCOM\r\n"
    "LINE=Line=L=TRUE\r\n"
    "CIRCLE=Circle=c=TRUE\r\n"
    "DIST=Distance=DI=TRUE\r\n"
    "POINT=Point=B=TRUE\r\n"
    "PRINT=Print=PR=TRUE\r\n";

void CmdTest::TearDown() {
    H.reset();
    KestrilonTest::TearDown();
}

void CmdTest::Start(const std::string& ComSet) {
    if (!ComSet.empty()) WriteFile("ComSet.cfg", ComSet);
    H = std::make_unique<TCmdHarness>(Dir());
    Mark();
}

void CmdTest::Run(const std::vector<std::string>& Lines) {
    for (const std::string& L : Lines) H->Enter(L);
}

void CmdTest::Mark() { LogMark = TCmdHarness::LogTexts().size(); }

std::vector<std::string> CmdTest::NewLog() const {
    const std::vector<std::string> All = TCmdHarness::LogTexts();
    std::vector<std::string> Out;
    for (size_t i = LogMark; i < All.size(); ++i)
        if (All[i] != "Sys:Init UndoCamOps") Out.push_back(All[i]);
    return Out;
}

void CmdTest::StartWithContours(int Ops) {
    Start();
    Glob.TabLayer[1].Show = true;
    OpList.CamCnt = Ops;
    for (int i = 0; i < Ops; ++i) {
        OpList.Cam[i].OpType = OpTypeContour;
        OpList.Cam[i].Status = 0;
    }
}

TObjHeader* CmdTest::AddLine(Osy S, Osy E, bool Selected) {
    EnPline.LineAdd(S, E, 1, MainVars.DataStart, MainVars.DataEnd);
    if (Selected) MainVars.DataEnd->Flags |= FlagSelected;
    return MainVars.DataEnd;
}

TObjHeader* CmdTest::AddRect(Osy A, Osy B, bool Selected) {
    EnPline.RectangleAdd(A, B, 1, MainVars.DataStart, MainVars.DataEnd);
    if (Selected) MainVars.DataEnd->Flags |= FlagSelected;
    return MainVars.DataEnd;
}

std::vector<TObjHeader*> CmdTest::Parents(int Op) {
    const TCamOp& C = OpList.Cam[Op];
    return std::vector<TObjHeader*>(C.Parents.begin(), C.Parents.begin() + C.ParCnt);
}

std::vector<TObjHeader*> CmdTest::Childs(int Op) {
    const TCamOp& C = OpList.Cam[Op];
    return std::vector<TObjHeader*>(C.Childs.begin(), C.Childs.begin() + C.ChilCnt);
}

std::vector<TObjHeader*> CmdTest::Drawing() {
    std::vector<TObjHeader*> A;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) A.push_back(p);
    return A;
}
