#include "shell/UniLang.h"

#include <map>
#include <vector>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Forms.h"
#include "shell/LangSections.h"

std::string StrLayer, StrDir, StrSort, StrToolUp, StrToolDn;
std::string StrOn, StrOff, StrUndo;
std::string StrLayer65Name, StrLayer66Name, StrLayer67Name, StrLayer68Name;
std::string PrSelObject;
std::array<std::string, PromptCount + 1> Prompt;
std::array<std::string, MsgCount + 1> Msg;
std::array<std::string, 9> StrMillTType;
std::array<std::string, 18> StrLatheTType;
std::array<std::string, 4> StrChlaz;
std::array<std::string, 5> StrOpStatus;

std::string LangUpperCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return r;
}

static void FillBuiltInTables() {
    StrLayer = "Hlad";
    StrDir = "Směr";
    StrSort = "Poř.";
    StrToolUp = "NásH";
    StrToolDn = "NásS";
    StrOn = "ZAP";
    StrOff = "VYP";
    StrUndo = "Zpět ";
    StrLayer65Name = "Mat";
    StrLayer66Name = "Upin";
    StrLayer67Name = "Koty";
    StrLayer68Name = "Orig";
    PrSelObject = "Vyber objekty>";
    InitPromptTexts();
    InitMessageTexts();
    StrMillTType = {"Univerzální",    "Fréza válcová",   "Fréza kuželová",
                    "Fréza kulová",   "Fréza toroidní",  "Fréza korunková",
                    "Fréza závitová", "Vrták",           "Sonda"};
    StrLatheTType = {"Vnější pravý",
                     "Vnější kopírovací",
                     "Vnější levý",
                     "Čelní levý",
                     "Vnitřní levý",
                     "Vnitřní kopírovací",
                     "Vnitřní pravý",
                     "Čelní pravý",
                     "Vnější závitový",
                     "Vnitřní závitový",
                     "Osový vrtací",
                     "Osový vyvrtávací",
                     "Osový poháněný vrtací",
                     "Osový poháněný vyvrtávací",
                     "Radiální poháněný vrtací",
                     "Radiální poháněný vyvrtávací",
                     "Vnějčí zápich./upích.",
                     "Vnitřní zápichovací"};
    StrChlaz = {"Žádné", "Vzduch", "Mlha", "Proud kapaliny"};
    StrOpStatus = {"operace OK", "Operace není aktuální, objekt(y) editovány",
                   "Dráhy aktuální, obsahuje chyby", "Chyba, nebylo možné generovat dráhy",
                   "Neaktuální, Dráhy byly editovány"};
}

void InitLanguage() {
    WriteLog("Sys:Init Language (czech)");
    FillBuiltInTables();
}

namespace {

// What one line of the language file does to a form.
enum class TLangActKind : uint8_t { FormCaption, Caption, Hint, Text, MemoLines };

struct TLangAction {
    TLangActKind Kind;
    std::string Target;  // component name or text key
    std::string Value;   // UTF-8
};

// The keys a section knows, upper-cased.
struct TSectionKeys {
    std::string CaptionKey;
    std::map<std::string, std::pair<std::string, bool>> Components;  // key -> (name, hint)
    std::map<std::string, std::string> Texts;                         // key -> key as spelled
};

// Per section (upper-cased name): the lines applied so far and the registered form.
struct TSectionState {
    std::vector<TLangAction> Actions;
    TForm* Form = nullptr;
    TLangTextSetter Texts;
};

// Lives for the whole run (never destroyed), so form models may register from their
// constructors and forget themselves from their destructors in any order.
std::map<std::string, TSectionState>& States() {
    static auto* states = new std::map<std::string, TSectionState>;
    return *states;
}

std::vector<std::string> SplitList(const char* list) {
    std::vector<std::string> out;
    std::string s = list, cur;
    for (char c : s) {
        if (c == ',') {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

const std::map<std::string, TSectionKeys>& SectionKeys() {
    static const std::map<std::string, TSectionKeys> keys = [] {
        std::map<std::string, TSectionKeys> m;
        for (const TLangSection& s : LangSections()) {
            TSectionKeys& k = m[LangUpperCase(s.Name)];
            k.CaptionKey = LangUpperCase(s.CaptionKey);
            for (std::string c : SplitList(s.Components)) {
                bool hint = false;
                if (size_t p = c.find("/hint"); p != std::string::npos) {
                    hint = true;
                    c.erase(p);
                }
                std::string key = c, name = c;
                if (size_t p = c.find('='); p != std::string::npos) {
                    key = c.substr(0, p);
                    name = c.substr(p + 1);
                }
                k.Components.emplace(LangUpperCase(key), std::make_pair(name, hint));
            }
            for (const std::string& t : SplitList(s.Texts)) k.Texts.emplace(LangUpperCase(t), t);
        }
        return m;
    }();
    return keys;
}

// Text keys whose texts are the built-in tables of this unit.
std::string* TableText(const std::string& section, const std::string& key) {
    static const std::map<std::string, std::string*> mainForm = {
        {"STRLAYER", &StrLayer}, {"STRDIR", &StrDir}, {"STRSORT", &StrSort},
        {"STRTOOLUP", &StrToolUp}, {"STRTOOLDN", &StrToolDn}, {"STRON", &StrOn},
        {"STROFF", &StrOff}, {"STRUNDO", &StrUndo}};
    static const std::map<std::string, std::string*> viewDg = {
        {"STRLAYER65NAME", &StrLayer65Name}, {"STRLAYER66NAME", &StrLayer66Name},
        {"STRLAYER67NAME", &StrLayer67Name}, {"STRLAYER68NAME", &StrLayer68Name}};
    const auto& m = section == "MAINFORM" ? mainForm : viewDg;
    if (section != "MAINFORM" && section != "VIEWDG") return nullptr;
    auto it = m.find(key);
    return it == m.end() ? nullptr : it->second;
}

void ApplyToForm(TSectionState& st, const TLangAction& a) {
    if (a.Kind == TLangActKind::Text) {
        if (st.Texts) st.Texts(a.Target, a.Value);
        return;
    }
    if (!st.Form) return;
    if (a.Kind == TLangActKind::FormCaption) {
        st.Form->Caption = a.Value;
        return;
    }
    TControl* c = st.Form->FindComponent(a.Target);
    if (!c) return;
    switch (a.Kind) {
        case TLangActKind::Caption: c->Caption = a.Value; break;
        case TLangActKind::Hint: c->Hint = a.Value; break;
        case TLangActKind::MemoLines:
            if (auto* memo = dynamic_cast<TMemo*>(c)) memo->Lines = SplitTextLines(a.Value);
            break;
        default: break;
    }
}

void Record(const std::string& section, TLangAction a) {
    TSectionState& st = States()[section];
    st.Actions.push_back(std::move(a));
    ApplyToForm(st, st.Actions.back());
}

// "Prompt" + i / "Msg" + i / "StrMillTType" + i ...: i in 1..n decimal without leading zeros.
bool NumberedKey(const std::string& key, const std::string& prefix, int lo, int hi, int& n) {
    if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) return false;
    std::string digits = key.substr(prefix.size());
    if (digits.size() > 3 || (digits.size() > 1 && digits[0] == '0')) return false;
    int v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return false;
    n = v;
    return true;
}

// Applies one line (key upper-cased unless it is a section line) of the current section.
void ApplyLangLine(const std::string& section, const std::string& key, const std::string& value) {
    int n = 0;
    if (section == "PROMPT") {
        if (key == "PRSELOBJECT") PrSelObject = value;
        else if (NumberedKey(key, "PROMPT", 1, PromptCount, n)) Prompt[n] = value;
        return;
    }
    if (section == "MESSAGE") {
        if (NumberedKey(key, "MSG", 1, MsgCount, n)) Msg[n] = value;
        return;
    }
    auto it = SectionKeys().find(section);
    if (it == SectionKeys().end()) return;
    const TSectionKeys& k = it->second;
    if (!k.CaptionKey.empty() && key == k.CaptionKey) {
        Record(section, {TLangActKind::FormCaption, "", value});
    } else if (auto c = k.Components.find(key); c != k.Components.end()) {
        Record(section, {c->second.second ? TLangActKind::Hint : TLangActKind::Caption,
                         c->second.first, value});
    } else if (std::string* table = TableText(section, key)) {
        *table = value;
        // The main window's layer-panel labels carry the special layer names.
        static const std::map<std::string, const char*> labels = {
            {"STRLAYER65NAME", "LbMat"}, {"STRLAYER66NAME", "LbUpin"},
            {"STRLAYER67NAME", "LbKoty"}, {"STRLAYER68NAME", "LbOrig"}};
        if (auto l = labels.find(key); section == "VIEWDG" && l != labels.end())
            Record("MAINFORM", {TLangActKind::Caption, l->second, value});
    } else if (auto t = k.Texts.find(key); t != k.Texts.end()) {
        Record(section, {TLangActKind::Text, t->second, value});
    } else if (section == "TOOLDG") {
        if (NumberedKey(key, "STRMILLTTYPE", 0, 8, n)) StrMillTType[n] = value;
        else if (NumberedKey(key, "STRLATHETTYPE", 0, 17, n)) StrLatheTType[n] = value;
    }
    if (section == "VIEWDG") {
        Glob.TabLayer[LayerMat].Name = StrLayer65Name;
        Glob.TabLayer[LayerUpin].Name = StrLayer66Name;
        Glob.TabLayer[LayerKoty].Name = StrLayer67Name;
        Glob.TabLayer[LayerOrig].Name = StrLayer68Name;
    }
}

bool IsTrimmed(unsigned char c) { return c <= ' '; }

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsTrimmed((unsigned char)s[b])) ++b;
    while (e > b && IsTrimmed((unsigned char)s[e - 1])) --e;
    return s.substr(b, e - b);
}

// Splits one line of the file into key and value (both still 8-bit text).
void ReadLangLine(std::string line, std::string& key, std::string& value) {
    key.clear();
    value.clear();
    if (size_t p = line.find(';'); p != std::string::npos) line.erase(p);
    line = Trim(line);
    if (size_t p = line.find('='); p != std::string::npos) {
        key = LangUpperCase(Trim(line.substr(0, p)));
        value = line.substr(p + 1);
    } else {
        key = line;
    }
}

// A help text: a UTF-8 file (with its byte-order mark) or 8-bit text.
void LoadHelpText(const std::string& path, const std::string& section) {
    std::string bytes;
    if (!TextFileExists(path) || !ReadFileBytes(path, bytes)) return;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    else bytes = Cp1250ToUtf8(bytes);
    Record(section, {TLangActKind::MemoLines, "MemoHelp", bytes});
}

} // namespace

void LoadLanguageFile() {
    const std::string dir = ProgramDir + "/Language";
    const std::string path = dir + "/Language.ini";
    if (!TextFileExists(path)) {
        WriteLog("Sys:no ext. language files found");
        return;
    }
    WriteLog("Sys:Load ext. language file");
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines)) {
        WriteLog("Err:FAILED Load ext. language file");
        return;
    }
    std::string section, key, value;
    for (const std::string& raw : lines) {
        ReadLangLine(raw, key, value);
        if (key.empty()) continue;
        if (key.size() >= 2 && key.front() == '[' && key.back() == ']')
            section = LangUpperCase(key.substr(1, key.size() - 2));
        if (!section.empty()) ApplyLangLine(section, key, Cp1250ToUtf8(value));
    }
    LoadHelpText(dir + "/HelpSort.txt", "SORTDG");
    LoadHelpText(dir + "/HelpFiltr.txt", "FILTRDG");
}

void LangRegisterForm(const std::string& section, TForm* form, TLangTextSetter texts) {
    TSectionState& st = States()[LangUpperCase(section)];
    st.Form = form;
    st.Texts = std::move(texts);
    for (const TLangAction& a : st.Actions) ApplyToForm(st, a);
}

void LangUnregisterForm(TForm* form) {
    for (auto& [name, st] : States())
        if (st.Form == form) {
            st.Form = nullptr;
            st.Texts = nullptr;
        }
}

void ResetLanguage() {
    // Registered forms stay (they live for the run); the lines read are forgotten and the
    // tables hold the built-in texts, so code tested without a start-up sees real texts.
    for (auto& [name, st] : States()) st.Actions.clear();
    FillBuiltInTables();
}
