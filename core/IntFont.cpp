// The stroke-font table, the ".shp" loader and the built-in font.
//
// Font files are user input: a file is parsed and checked completely before it
// touches the table, so a malformed file is logged and skipped as a whole.
#include "core/IntFont.h"

#include <cstdlib>
#include <map>
#include <string_view>

#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"

std::array<TShpFont, FontTabSize> FontTab;

const std::array<TShpRemap, 19> ShpCodeRemap = {{
    {269, 232}, {268, 200}, {271, 239}, {270, 207}, {283, 236}, {282, 204}, {328, 242},
    {327, 210}, {345, 248}, {344, 216}, {353, 154}, {352, 138}, {357, 157}, {356, 141},
    {367, 249}, {366, 217}, {382, 158}, {381, 142}, {8709, 164},
}};

std::string FontNameKey(const std::string& Name) {
    std::string s = UpCaseAnsiStr(Name);
    if (s.size() > FontNameMax) s.resize(FontNameMax);
    return s;
}

int FindFont(const std::string& Name) {
    std::string key = FontNameKey(Name);
    if (key.empty()) return -1;
    for (int i = 0; i < FontTabSize; ++i)
        if (FontTab[i].Name == key) return i;
    return -1;
}

static void ClearSlot(TShpFont& F) {
    for (int c = 0; c < 256; ++c) {
        F.ShapeLen[c] = 0;
        std::vector<uint8_t>().swap(F.ShapeData[c]);
    }
    F.Name.clear();
}

void FontFreeMem() {
    for (auto& F : FontTab)
        if (!F.Name.empty()) ClearSlot(F);
}

static int FirstFreeSlot() {
    for (int i = 0; i < FontTabSize; ++i)
        if (FontTab[i].Name.empty()) return i;
    return -1;
}

// ---- shape check ----

// Argument bytes of the fixed-size commands (codes 0..15); -1: a list up to (0, 0).
static const int ArgBytes[16] = {0, 0, 0, 1, 1, 0, 0, 1, 2, -1, 2, 5, 3, -1, 0, 0};

std::string CheckShape(const std::vector<uint8_t>& D) {
    size_t i = 0, n = D.size();
    while (true) {
        if (i >= n) return "missing end byte";
        uint8_t c = D[i++];
        if (c == 0) return "";
        if (c >= 16) continue;
        if (c == 9 || c == 13) {
            while (true) {
                if (i + 2 > n) return "missing end byte";
                bool end = D[i] == 0 && D[i + 1] == 0;
                i += 2;
                if (end) break;
                if (c == 13) {
                    if (i >= n) return "missing end byte";
                    ++i;
                }
            }
            continue;
        }
        if (i + ArgBytes[c] > n) return "missing end byte";
        if (c == 3 && D[i] == 0) return "division by 0";
        i += ArgBytes[c];
    }
}

// The subshapes (code 7) a shape calls.
static std::vector<uint8_t> SubShapes(const std::vector<uint8_t>& D) {
    std::vector<uint8_t> out;
    size_t i = 0, n = D.size();
    while (i < n) {
        uint8_t c = D[i++];
        if (c == 0) break;
        if (c >= 16) continue;
        if (c == 9 || c == 13) {
            while (i + 2 <= n) {
                bool end = D[i] == 0 && D[i + 1] == 0;
                i += 2;
                if (end) break;
                if (c == 13) ++i;
            }
            continue;
        }
        if (c == 7 && i < n) out.push_back(D[i]);
        i += ArgBytes[c];
    }
    return out;
}

// True when following subshape calls from some shape comes back to it.
static bool HasSubshapeCycle(const std::array<std::vector<uint8_t>, 256>& Data) {
    std::array<std::vector<uint8_t>, 256> calls;
    for (int c = 0; c < 256; ++c)
        if (!Data[c].empty()) calls[c] = SubShapes(Data[c]);
    std::array<uint8_t, 256> state{};  // 0 new, 1 on the path, 2 done
    for (int root = 0; root < 256; ++root) {
        if (state[root] != 0) continue;
        // iterative depth-first search: (shape, next call index)
        std::vector<std::pair<int, size_t>> path{{root, 0}};
        state[root] = 1;
        while (!path.empty()) {
            auto& [s, k] = path.back();
            if (k < calls[s].size()) {
                int t = calls[s][k++];
                if (Data[t].empty() || t == 0) continue;
                if (state[t] == 1) return true;
                if (state[t] == 0) {
                    state[t] = 1;
                    path.push_back({t, 0});
                }
            } else {
                state[s] = 2;
                path.pop_back();
            }
        }
    }
    return false;
}

// ---- number texts of the shape format ----

static std::string_view Trim(std::string_view S) {
    size_t a = 0, b = S.size();
    while (a < b && (unsigned char)S[a] <= ' ') ++a;
    while (b > a && (unsigned char)S[b - 1] <= ' ') --b;
    return S.substr(a, b - a);
}

// A leading "0" means hexadecimal ("041" is 65, a lone "0" is 0); "-" negates.
static bool ShpNumber(std::string_view Text, long& V) {
    std::string_view s = Trim(Text);
    bool neg = false;
    if (!s.empty() && s[0] == '-') {
        neg = true;
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 9) return false;
    int base = 10;
    if (s[0] == '0') {
        base = 16;
        s.remove_prefix(1);
        if (s.empty()) {
            V = 0;
            return true;
        }
    }
    long v = 0;
    for (char ch : s) {
        int d;
        if (ch >= '0' && ch <= '9') d = ch - '0';
        else if (base == 16 && ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
        else if (base == 16 && ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
        else return false;
        v = v * base + d;
    }
    V = neg ? -v : v;
    return true;
}

// ---- loader ----

namespace {
struct TParsedFont {
    std::map<int, std::pair<uint16_t, std::vector<uint8_t>>> Shapes;  // code -> (count, block)
};
}  // namespace

static bool ParseShp(const std::string& Bytes, TParsedFont& Out, std::string& Fault) {
    std::vector<std::string> lines = SplitTextLines(Bytes);
    size_t li = 0;
    while (li < lines.size() && (lines[li].empty() || lines[li][0] != '*')) ++li;
    while (li < lines.size()) {
        std::string head = lines[li].substr(1);
        ++li;
        size_t c1 = head.find(',');
        std::string numText = c1 == std::string::npos ? head : head.substr(0, c1);
        std::string rest = c1 == std::string::npos ? "" : head.substr(c1 + 1);
        std::string cntText = rest.substr(0, rest.find(','));
        long num = 0, cnt = 0;
        if (!ShpNumber(numText, num)) {
            Fault = "bad shape number \"" + numText + "\"";
            return false;
        }
        if (!Trim(cntText).empty() && !ShpNumber(cntText, cnt)) {
            Fault = "bad byte count \"" + cntText + "\"";
            return false;
        }
        if (cnt < 0 || cnt > 65535) {
            Fault = "bad byte count \"" + cntText + "\"";
            return false;
        }
        if (num >= 256)
            for (const auto& r : ShpCodeRemap)
                if (r.Shape == num) {
                    num = r.Code;
                    break;
                }
        bool keep = num >= 0 && num < 256;
        std::vector<uint8_t> block(keep ? size_t(cnt) + ShapePad : 0, 0);
        size_t pos = 0;
        for (; li < lines.size() && (lines[li].empty() || lines[li][0] != '*'); ++li) {
            if (!keep) continue;
            // Brackets group the bytes for the reader's eye only; they count nowhere.
            std::string stripped;
            std::string_view line = lines[li];
            if (line.find_first_of("()") != std::string_view::npos) {
                for (char ch : line)
                    if (ch != '(' && ch != ')') stripped += ch;
                line = stripped;
            }
            size_t a = 0;
            while (a <= line.size()) {
                size_t b = line.find(',', a);
                if (b == std::string_view::npos) b = line.size();
                const std::string_view v = Trim(line.substr(a, b - a));
                a = b + 1;
                if (v.empty()) continue;
                long val;
                if (!ShpNumber(v, val)) {
                    Fault = "bad value \"" + std::string(v) + "\" in shape " + std::to_string(num);
                    return false;
                }
                if (pos >= block.size()) {
                    Fault = "shape " + std::to_string(num) + " longer than its block";
                    return false;
                }
                block[pos++] = uint8_t(val & 0xFF);
            }
        }
        if (keep) Out.Shapes[int(num)] = {uint16_t(cnt), std::move(block)};
    }
    std::array<std::vector<uint8_t>, 256> all;
    for (auto& [code, s] : Out.Shapes) {
        std::string f = CheckShape(s.second);
        if (!f.empty()) {
            Fault = f + " in shape " + std::to_string(code);
            return false;
        }
        all[code] = s.second;
    }
    if (HasSubshapeCycle(all)) {
        Fault = "subshapes call each other without end";
        return false;
    }
    if (!Out.Shapes.empty()) {
        auto h = Out.Shapes.find(0);
        if (h == Out.Shapes.end() || h->second.second.empty() || h->second.second[0] == 0) {
            Fault = "cap height 0";
            return false;
        }
    }
    return true;
}

bool LoadFontBytes(const std::string& Jmeno, const std::string& Bytes) {
    std::string key = FontNameKey(Jmeno);
    if (key.empty()) return false;
    int slot = FindFont(Jmeno);
    if (slot < 0) slot = FirstFreeSlot();
    if (slot < 0) return false;  // the table is full
    TParsedFont parsed;
    std::string fault;
    if (!ParseShp(Bytes, parsed, fault)) {
        WriteLog("Err:Bad font file (" + Jmeno + "): " + fault);
        return false;
    }
    TShpFont& F = FontTab[slot];
    F.Name = key;
    for (auto& [code, s] : parsed.Shapes) {
        F.ShapeLen[code] = s.first;
        F.ShapeData[code] = std::move(s.second);
    }
    return true;
}

bool LoadFont(const std::string& Cesta, const std::string& Jmeno) {
    if (FindFont(Jmeno) < 0 && FirstFreeSlot() < 0) return false;
    std::string bytes;
    if (!ReadFileBytes(Cesta + "/" + Jmeno, bytes)) {
        WriteLog("Err:Cannot read font file (" + Cesta + "/" + Jmeno + ")");
        return false;
    }
    return LoadFontBytes(Jmeno, bytes);
}

void InstallIntFont() {
    int slot = FirstFreeSlot();
    if (slot < 0) return;
    TShpFont& F = FontTab[slot];
    F.Name = IntFontName;
    for (const char* row : IntFontShapes) {
        std::vector<long> v;
        std::string s(row);
        for (size_t a = 0; a <= s.size();) {
            size_t b = s.find(',', a);
            if (b == std::string::npos) b = s.size();
            v.push_back(std::strtol(s.substr(a, b - a).c_str(), nullptr, 10));
            a = b + 1;
        }
        if (v.size() < 2) continue;
        int code = int(v[0] & 0xFF);
        size_t n = size_t(v[1] & 0xFFFF);
        std::vector<uint8_t> block(n, 0);
        for (size_t i = 0; i < n && i + 2 < v.size(); ++i) block[i] = uint8_t(v[i + 2] & 0xFF);
        F.ShapeLen[code] = uint16_t(n);
        F.ShapeData[code] = std::move(block);
    }
}
