#include "cam/CamOpFile.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cmath>
#include <string_view>
#include <vector>

#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "shell/SetCfg.h"

namespace {

constexpr int ParCount = 25;

std::string B(bool V) { return V ? "TRUE" : "FALSE"; }
// The plain decimal text (no exponent: the reader takes "-" as an operator) of X
// rounded to Digits significant digits.
std::string PlainDigits(Extended X, int Digits) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::scientific, Digits - 1);
    const std::string sci(buf, r.ptr);  // "-d.ddde+XX"
    const bool neg = sci[0] == '-';
    const size_t e = sci.find('e');
    const int exp10 = std::atoi(sci.c_str() + e + 1);
    std::string digits;
    for (size_t i = neg ? 1 : 0; i < e; ++i)
        if (sci[i] >= '0' && sci[i] <= '9') digits += sci[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string s;
    if (exp10 >= 0) {
        const size_t intLen = size_t(exp10) + 1;
        s = digits.size() <= intLen ? digits + std::string(intLen - digits.size(), '0')
                                    : digits.substr(0, intLen) + "." + digits.substr(intLen);
    } else {
        s = "0." + std::string(size_t(-exp10 - 1), '0') + digits;
    }
    return neg ? "-" + s : s;
}

// A parameter in the user's decimal separator with the fewest significant digits
// (at least 15) that read back to exactly the same value.
std::string R(Extended V) {
    if (!std::isfinite(V)) return "0";
    if (V == 0) return "0";
    std::string s;
    for (int digits = 15; digits <= 21; ++digits) {
        s = PlainDigits(V, digits);
        Extended back = 0;
        if (StrToExtCalc(s, back, false) && back == V) break;
    }
    const char sep = CfgDecimalSeparator();
    for (char& c : s)
        if (c == '.') c = sep;
    return s;
}

std::string Trim(const std::string& S) {
    const size_t b = S.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return S.substr(b, S.find_last_not_of(' ') - b + 1);
}

// A number field: true with the value when it is a finite number.
bool Num(const std::string& S, Extended& V) {
    Extended x = 0;
    if (!StrToExtCalc(Trim(S), x, false) || !std::isfinite(x)) return false;
    V = x;
    return true;
}

// Integers are truncated; values beyond the field's range are not taken.
template <typename T>
void IntField(const std::string& S, T& Field, Extended Lo, Extended Hi) {
    Extended v = 0;
    if (Num(S, v) && v > Lo - 1 && v < Hi + 1) Field = T(std::trunc(v));
}
void RealField(const std::string& S, Extended& Field) { Num(S, Field); }
void BoolField(const std::string& S, bool& Field) { Field = UpCaseStr(S) == "TRUE"; }

std::string ParLine(const TCamOp& Op) {
    const std::vector<std::string> v = {
        B(Op.Inside), B(Op.Outside), B(Op.Revers), B(Op.Sousledne), B(Op.TgIn), B(Op.TgOut),
        R(Op.TgUhel), R(Op.TgPolomer), R(Op.Pridavek), B(Op.Fillet), B(Op.Corner3D), R(Op.Corner3DUhel),
        std::to_string(Op.FillType), std::to_string(Op.Strategy), R(Op.ThinError), R(Op.AllError),
        B(Op.Crossing), R(Op.MFillUhel), R(Op.MFillPresah), R(Op.MfillPridavek), R(Op.RFillUhel),
        R(Op.RFillPresah), R(Op.RFillPridavek), R(Op.Depth), std::to_string(Op.EdgeMode)};
    std::string s;
    for (size_t i = 0; i < v.size(); ++i) s += (i ? ";" : "") + v[i];
    return s;
}

// False when a ";" is missing before the last field.
bool ReadPar(const std::string& Value, TCamOp& Op) {
    std::vector<std::string> f;
    size_t start = 0;
    for (int i = 0; i < ParCount - 1; ++i) {
        const size_t sc = Value.find(';', start);
        if (sc == std::string::npos) return false;
        f.push_back(Value.substr(start, sc - start));
        start = sc + 1;
    }
    f.push_back(Value.substr(start));
    BoolField(f[0], Op.Inside);
    BoolField(f[1], Op.Outside);
    BoolField(f[2], Op.Revers);
    BoolField(f[3], Op.Sousledne);
    BoolField(f[4], Op.TgIn);
    BoolField(f[5], Op.TgOut);
    RealField(f[6], Op.TgUhel);
    RealField(f[7], Op.TgPolomer);
    RealField(f[8], Op.Pridavek);
    BoolField(f[9], Op.Fillet);
    BoolField(f[10], Op.Corner3D);
    RealField(f[11], Op.Corner3DUhel);
    IntField(f[12], Op.FillType, 0, 255);
    IntField(f[13], Op.Strategy, 0, 255);
    RealField(f[14], Op.ThinError);
    RealField(f[15], Op.AllError);
    BoolField(f[16], Op.Crossing);
    RealField(f[17], Op.MFillUhel);
    RealField(f[18], Op.MFillPresah);
    RealField(f[19], Op.MfillPridavek);
    RealField(f[20], Op.RFillUhel);
    RealField(f[21], Op.RFillPresah);
    RealField(f[22], Op.RFillPridavek);
    RealField(f[23], Op.Depth);
    IntField(f[24], Op.EdgeMode, 0, 255);
    return true;
}

// "CAMOPLIST" as the line's key: before any "=", blanks around it and carriage returns
// anywhere left out, letters of either case.
bool IsSectionStart(std::string_view Line) {
    static constexpr std::string_view Name = "CAMOPLIST";
    Line = Line.substr(0, Line.find('='));
    size_t k = 0;
    bool inner = false;  // a blank after the name's first letter
    for (const char c : Line) {
        if (c == '\r') continue;
        if (c == ' ') {
            inner = k > 0;
            continue;
        }
        if (inner || k == Name.size() || (c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != Name[k]) return false;
        ++k;
    }
    return k == Name.size();
}

}  // namespace

bool CamOpsToFile(const std::string& FileName) {
    WriteLog("Sys:Save Ops Start (" + FileName + ")");
    std::vector<std::string> lines{"CAMOPLIST"};
    const int cnt = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps);
    for (int i = 0; i < cnt; ++i) {
        const TCamOp& op = OpList.Cam[i];
        // The file is 8-bit text in the code page, as the rest of the job file.
        lines.push_back("  OpName=" + Utf8ToCp1250(op.Name));
        lines.push_back("  OpStatus=" + std::to_string(op.Status));
        lines.push_back("  OpMID=" + std::to_string(op.MasterOp));
        lines.push_back("  OpType=" + std::to_string(op.OpType));
        lines.push_back("  OpLa1=" + std::to_string(op.La1));
        lines.push_back("  OpLa2=" + std::to_string(op.La2));
        lines.push_back("  OpPar=" + ParLine(op));
    }
    lines.push_back("ENDCAMOPLIST");
    const bool ok = AppendFileBytes(FileName, JoinTextLines(lines));
    if (!ok) WriteLog("Err:FAILED Save Ops");
    WriteLog("Sys:Save Ops End");
    return ok;
}

bool FileToCamOps(const std::string& FileName) {
    std::vector<std::string> lines;
    if (!TextFileExists(FileName) || !ReadTextLines(FileName, lines)) {
        WriteLog("Sys:Load Ops Start (" + FileName + ")");
        WriteLog("Err:FAILED Load Ops, file not found");
        WriteLog("Sys:Load Ops End");
        return false;
    }
    return LinesToCamOps(FileName, lines);
}

bool LinesToCamOps(const std::string& FileName, const std::vector<std::string>& Lines) {
    WriteLog("Sys:Load Ops Start (" + FileName + ")");
    // The lines before the section (the whole drawing in a job without one) are looked
    // at where they are; only the section's own lines are copied.
    size_t first = 0;
    while (first < Lines.size() && !IsSectionStart(Lines[first])) ++first;
    for (size_t at = first + 1; at < Lines.size(); ++at) {
        std::string line = Lines[at];
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        const size_t eq = line.find('=');
        const std::string key = UpCaseStr(eq == std::string::npos ? Trim(line) : Trim(line.substr(0, eq)));
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        if (key == "ENDCAMOPLIST") break;
        // The list holds at most MaxCamOps operations: further ones are not read.
        if (OpList.CamCnt < 0 || OpList.CamCnt >= MaxCamOps) break;
        TCamOp& op = OpList.Cam[OpList.CamCnt];
        if (key == "OPNAME") op.Name = Cp1250ToUtf8(value);
        else if (key == "OPSTATUS") IntField(value, op.Status, 0, 255);
        else if (key == "OPMID") IntField(value, op.MasterOp, -1, MaxCamOps - 1);
        else if (key == "OPTYPE") IntField(value, op.OpType, 0, 1e9L);
        else if (key == "OPLA1") IntField(value, op.La1, 0, 64);
        else if (key == "OPLA2") IntField(value, op.La2, 0, 64);
        else if (key == "OPPAR") {
            if (!ReadPar(value, op)) break;
            ++OpList.CamCnt;
        }
    }
    if (Glob.AutoLayNum) {
        int maxLa = 0;
        for (int i = 0; i < std::clamp<int>(OpList.CamCnt, 0, MaxCamOps); ++i)
            maxLa = std::max({maxLa, OpList.Cam[i].La1, OpList.Cam[i].La2});
        OpList.LastLa = maxLa > 0 ? maxLa : 1;
    }
    WriteLog("Sys:Load Ops End");
    return true;
}
