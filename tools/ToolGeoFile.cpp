#include "tools/ToolGeoFile.h"

#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "shell/SetCfg.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolSectionLines.h"
#include "tools/ToolTechFile.h"
#include "tools/UniTType.h"

namespace {

bool RecordOk(int32_t Tnum) { return Tnum >= 0 && size_t(Tnum) < ToolLibTmp.size(); }

}  // namespace

std::vector<std::string> ToolGeoLines(int32_t Tnum) {
    if (!RecordOk(Tnum)) return {};
    const TTool& T = ToolLibTmp[size_t(Tnum)].Tool;
    return {"GEO",
            "  JmNastroje=" + Utf8ToCp1250(T.JmNastroje),
            "  MatNastroje=" + Utf8ToCp1250(T.MatNastroje),
            "  SpodniPrumer=" + CfgRegionalReal(T.SpodniPrumer),
            "  Radius=" + CfgRegionalReal(T.Radius),
            "  UhelSpicky=" + CfgRegionalReal(T.UhelSpicky),
            "  HorniPrumer=" + CfgRegionalReal(T.HorniPrumer),
            "  DelkaBritu=" + CfgRegionalReal(T.DelkaBritu),
            "  CisloPozice=" + std::to_string(T.Tnum),
            "  CisloKorekce=" + std::to_string(T.Dnum),
            "  TypNastroje=" + std::to_string(T.ToolType),
            "  PocetBritu=" + std::to_string(T.PocetBritu),
            "ENDGEO"};
}

bool SaveToolGeoSection(const std::string& JmFile, int32_t Tnum) {
    WriteLog("Sys:Save Tool geo Start (" + JmFile + ", Tnum:" + std::to_string(Tnum) + ")");
    const bool ok = RecordOk(Tnum) && WriteSectionLines(JmFile, ToolGeoLines(Tnum), false);
    if (!ok) WriteLog("Err:FAILED Save tool geo");
    WriteLog("Sys:Save Tool geo End");
    return ok;
}

bool LoadToolGeoSection(const std::string& JmFile, bool Lib, int32_t Tnum, const std::vector<std::string>* Lines) {
    WriteLog("Sys:Load Tool geo Start (" + JmFile + ", Tnum:" + std::to_string(Tnum) + ")");
    std::vector<TSectionLine> L;
    std::vector<std::string> read;
    bool found = false;
    if (RecordOk(Tnum)) {
        if (Lines) SectionOfLines(*Lines, "GEO", "ENDGEO", L, found);
        else if (TextFileExists(JmFile)) ReadSection(JmFile, "GEO", "ENDGEO", read, L, found);
    }
    const bool ok = found;
    if (ok) {
        TTool& T = ToolLibTmp[size_t(Tnum)].Tool;
        bool Told = false;
        for (const TSectionLine& l : L) {
            if (!l.HasVal) continue;
            const std::string K = UpCaseStr(std::string(l.Key));
            if (K == "JMNASTROJE") T.JmNastroje = Cp1250ToUtf8(std::string(l.Val));
            else if (K == "MATNASTROJE") T.MatNastroje = Cp1250ToUtf8(std::string(l.Val));
            else if (K == "SPODNIPRUMER") SecNum(l.Val, T.SpodniPrumer);
            else if (K == "RADIUS") SecNum(l.Val, T.Radius);
            else if (K == "UHELSPICKY") SecNum(l.Val, T.UhelSpicky);
            else if (K == "HORNIPRUMER") SecNum(l.Val, T.HorniPrumer);
            else if (K == "DELKABRITU") SecNum(l.Val, T.DelkaBritu);
            else if (K == "CISLOPOZICE") SecTrunc(l.Val, T.Tnum);
            else if (K == "CISLOKOREKCE") SecTrunc(l.Val, T.Dnum);
            else if (K == "TYPNASTROJE") {
                int32_t Type = T.ToolType;
                if (SecTrunc(l.Val, Type) && ToolTypeReadOk(Type, JmFile, l.Line, Told)) T.ToolType = Type;
            }
            else if (K == "POCETBRITU") SecTrunc(l.Val, T.PocetBritu);
        }
    } else {
        WriteLog("Err:FAILED Load tool geo");
    }
    WriteLog("Sys:Load Tool geo End");
    return ok;
}

bool ExportLibTool(const std::string& JmFile, int32_t Tnum) {
    return SaveToolGeoSection(JmFile, Tnum) && ToolFile::SaveToolTechSection(JmFile, true, true, Tnum, -1) &&
           ToolFile::SaveToolPlungesSection(JmFile, true, true, Tnum, -1) &&
           ToolFile::SaveToolOutsSection(JmFile, true, true, Tnum, -1);
}
