#include "support/CmdTest.h"

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
