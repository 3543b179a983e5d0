#include "output/GcodeProfiles.h"

#include <vector>

#include "shell/ProgramFolder.h"

namespace {

// Lines without "=" set nothing: they explain the file to its reader.
std::vector<std::string> CfgFile(const std::vector<std::string>& Notes, const TGcodeConfig& C) {
    std::vector<std::string> lines = Notes;
    lines.push_back("");
    for (const std::string& l : GcodeCfgLines(C)) lines.push_back(l);
    return lines;
}

}  // namespace

TGcodeConfig LinuxCncProfile() {
    TGcodeConfig c;
    // Line numbers above 99999 stop an RS-274/NGC control; the program needs none.
    c.CislovaniRadku.clear();
    c.StylOblouku = "R";
    c.SouradniceA.clear();
    c.NasobitelRychlosti = 60;
    c.Hlavicka = GcodeHeaderName;
    c.Vymena = GcodeToolChangeName;
    return c;
}

TGcodeConfig GrblProfile() {
    TGcodeConfig c = LinuxCncProfile();
    c.StylVymeny = 4;
    c.Vymena.clear();
    // GRBL switches only the flood coolant output unless built otherwise.
    c.ZapnoutVzduchoveChlazeni = "M8";
    c.ZapnoutMlhoveChlazeni = "M8";
    return c;
}

bool WriteGcodeProfileFiles(const std::string& Dir) {
    bool ok = WriteIfMissing(Dir + "/Gcode.cfg",
                             CfgFile({"Postprocesor G-kódu pro řízení RS-274/NGC (LinuxCNC).",
                                      "Posuvy v mm/min, hlavička " + std::string(GcodeHeaderName) +
                                          " s G21 a G94, středy oblouků vůči jejich začátku.",
                                      "Výměna nástroje: " + std::string(GcodeToolChangeName) +
                                          " (G53 G0 Z0 vyjede na vrchol osy Z, M6, G43).",
                                      "Pro řízení GRBL 1.1 nahraďte tento soubor souborem " +
                                          std::string(GrblCfgName) + "."},
                                     LinuxCncProfile()));
    ok = WriteIfMissing(Dir + "/" + GrblCfgName,
                        CfgFile({"Postprocesor G-kódu pro řízení GRBL 1.1.",
                                 "Použijete-li ho, zkopírujte ho jako Gcode.cfg.",
                                 "Bez výměny nástroje (GRBL nezná M6), bez G90.1 a bez osy A."},
                                GrblProfile())) &&
         ok;
    ok = WriteIfMissing(Dir + "/" + GcodeHeaderName, {"G21", "G94"}) && ok;
    ok = WriteIfMissing(Dir + "/" + GcodeToolChangeName, {"G53 G0 Z0", "M6", "G43"}) && ok;
    return ok;
}
