// The setup sheet for the machine operator: the file, the date, every listed layer with
// its tool call and passes, the clearance heights, the origin and the stock.
#include <cstdio>
#include <vector>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "output/Sinumeric802.h"
#include "output/SinumericDg.h"
#include "shell/SetCfg.h"

namespace {

std::string Fixed(const char* Format, Extended V) {
    char b[64];
    std::snprintf(b, sizeof b, Format, double(V));
    return b;
}

// "0.00" with the user's decimal separator.
std::string Regional2(Extended V) {
    std::string s = Fixed("%.2f", V);
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s[dot] = CfgDecimalSeparator();
    return s;
}

std::string PadChars(std::string S, size_t Chars) {
    size_t n = 0;
    for (unsigned char c : S)
        if ((c & 0xC0) != 0x80) ++n;
    if (n < Chars) S.append(Chars - n, ' ');
    return S;
}

}  // namespace

bool WriteSetupSheet(const TSinumericDialog& D, const std::string& FileName) {
    std::vector<std::string> L;
    L.push_back("                          NAVODKA");
    L.push_back("");
    L.push_back("Soubor:    " + FileName.substr(FileName.find_last_of("/\\") + 1));
    L.push_back("Dne:       " + ShortDateText());
    L.push_back("Kestrilon: 2.5 beta 6");
    L.push_back("");
    L.push_back("Hlad. Nastroj                        Hloubka Zapich Posuv Otacky  Poznamka");
    std::string prevCall;
    for (int r = 1; r <= D.RowCount; ++r) {
        const int La = D.GridRows[size_t(r)].La;
        const TTool& T = Glob.Tool[La];
        std::string call, rest;
        MpfToolCall(T, call, rest);
        if (call != prevCall) L.push_back("");
        rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size() : rest.find_first_not_of(' '));
        const std::string head =
            "T" + std::to_string(La) + (La < 10 ? " " : "") + "  " + call + " " + PadChars(rest, 24) + " ";
        for (int k = 1; k <= MaxPruchod; ++k) {
            const TPruchod& row = T.Pruchod[k];
            if (!(row.Hloubka > -CoordTol)) continue;
            const std::string values = " " + Fixed("%7.3f", row.Hloubka) + " " + Fixed("%5.1f", row.Zapich) + "  " +
                                       Fixed("%5.1f", row.Posuv) + " " + Fixed("%6.0f", row.Otacky);
            L.push_back(k == 1 ? head + values + "   " + T.Poznamka : std::string(35, ' ') + values);
        }
        L.push_back("");
        prevCall = call;
    }
    const TSpolParObr& P = Glob.SpolParObr;
    L.push_back("");
    L.push_back("Prejezd nad materialem: " + Regional2(P.PrejezdNadMat));
    L.push_back("Prejezd nad upinkami:   " + Regional2(P.PrejezdNadUpin));
    L.push_back("Pocatek na stroji:   " + P.PocatekXY);
    L.push_back("Rozmer polotovaru:   " + P.RozmerPolot);
    L.push_back("Material polotovaru: " + P.MatPolot);
    L.push_back("Poznamka:            " + P.Poznamka);
    for (std::string& l : L) l = Utf8ToCp1250(l);
    return WriteTextLinesSafe(FileName, L);
}
