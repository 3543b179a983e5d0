// The post-processor record of the G-code writer and its file "Gcode.cfg" in the
// program folder: every word, separator, number format, multiplier and style of the
// program. Built-in defaults are in force where the file is missing or silent.
#pragma once
#include <string>
#include <vector>

#include "core/Types.h"

struct TGcodeConfig {
    std::string OddelovacCislovani = " ";
    std::string OddelovacPrikazu = " ";
    std::string OddelovacSouradnic = " ";
    std::string OddelovacKomentare = ";";
    std::string UkonceniKomentare;
    std::string NaKonciRadku;
    std::string CislovaniRadku = "N";
    int InkrementRadku = 1;
    std::string AbsolutniSouradnice = " ";  // kept, not used: "G90 " is literal
    std::string Rychloposuv = "G0";
    bool RozkladRychloposuvu = true;
    std::string Posuv = "G1";
    std::string ObloukCW = "G2";
    std::string ObloukCCW = "G3";
    bool ObloukZ = false;  // kept, not used
    std::string SouradniceX = "X";
    std::string SouradniceY = "Y";
    std::string SouradniceZ = "Z";
    std::string SouradniceA = "A";
    std::string AltSouradniceX = "I";
    std::string AltSouradniceY = "J";
    std::string AltSouradniceZ = "K";  // kept, not used
    std::string StylOblouku = "A";     // A absolute centre, R relative centre, P radius, else chords
    Extended NasobitelSouradnic = 1;
    int DesetinnychMistSouradnic = 3;
    std::string VymenaNastroje = "T";
    std::string KorekceNastroje;
    int StylVymeny = 0;
    std::string RychlostZapichu = "F";
    std::string RychlostPosuvu = "F";
    int StylPosuvu = 0;
    Extended NasobitelRychlosti = 1;
    int DesetinnychMistRychlosti = 1;
    std::string ZapnoutVretenoDoprava = "M3";
    std::string ZapnoutVretenoDoleva = "M4";  // kept, not used
    std::string VypnoutVreteno = "M5";
    std::string UrceniOtacek = "S";
    Extended NasobitelOtacek = 1;
    int DesetinnychMistOtacek = 0;
    // The dwell time is a P word: "G4" followed by a bare number reads as another G code.
    std::string UrceniProdlev = "G4 P";
    Extended NasobitelProdlev = 1;
    int DesetinnychMistProdlev = 0;
    std::string ZapnoutVzduchoveChlazeni = "M7";
    std::string ZapnoutMlhoveChlazeni = "M7";
    std::string ZapnoutKapalinoveChlazeni = "M8";
    std::string VypnoutVsechnoChlazeni = "M9";
    std::string ZapnoutLaser, VypnoutLaser, ZapnoutOfuk, VypnoutOfuk;  // kept, not used
    Extended OdchylkaSecny = 0.01L;
    std::string Hlavicka;
    std::string Paticka;
    std::string Vymena;
};

// The largest number of decimals a number field may ask for.
inline constexpr int MaxNcDecimals = 9;

// Key and value of one line: the key is the text before the first "=", unchanged;
// the value starts two characters after it and ends before the next "'" (empty
// without one). A line without "=" gives false (it sets nothing).
bool ParseGcodeCfgLine(const std::string& Line, std::string& Key, std::string& Value);

// Applies the lines of a configuration text to Config. A value that does not
// convert leaves its field as it was; a value that would write a broken program
// (decimals outside 0..MaxNcDecimals, a zero coordinate multiplier, a feed, speed or
// dwell multiplier not above 0, a feed style that writes no feed, a chord deviation
// not above 0, no feed word at all, coordinates in steps of 1 mm or more) is refused:
// the field keeps its value (the default), "Err:Gcode CFG value refused (Key=value)"
// is logged and a line naming the key is added to Refused.
void ApplyGcodeCfgText(const std::string& Bytes, TGcodeConfig& Config, std::vector<std::string>& Refused);

// One "Key='value'" line per field, in the order of the record; read back by
// ApplyGcodeCfgText into the same record (values holding "'" excepted).
std::vector<std::string> GcodeCfgLines(const TGcodeConfig& Config);

// Defaults, then "Gcode.cfg" of the program folder when it exists (logged as the
// run's configuration step). Refused values are added to Refused, and so is a line
// saying that the built-in defaults are in force when the file is missing.
void LoadGcodeCfg(TGcodeConfig& Config, std::vector<std::string>& Refused);
