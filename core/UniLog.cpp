#include "core/UniLog.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "core/Glob.h"

namespace {

struct TLogState {
    std::vector<std::string> Ring = std::vector<std::string>(DefaultLogLength);
    int WriteIndex = 0;
    bool Wrapped = false;  // the write index went round, or the ring was resized
    std::string LastText;
    bool Flush = false;
    TLogListener Listener = nullptr;
    // "hh:nn:ss" of the second last formatted, so most lines skip localtime.
    time_t CachedSecond = -1;
    char CachedHms[16] = {};
};

TLogState& State() {
    static TLogState S;
    return S;
}

// The middle part of the log file name: a fixed identifier of the installation.
constexpr const char* LogFileName = "Kestrilon-Station.log";

}  // namespace

std::string LogTimeText() {
    TLogState& S = State();
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    if (ts.tv_sec != S.CachedSecond) {
        tm t{};
        localtime_r(&ts.tv_sec, &t);
        std::snprintf(S.CachedHms, sizeof S.CachedHms, "%02d:%02d:%02d", t.tm_hour % 100,
                      t.tm_min % 100, t.tm_sec % 100);
        S.CachedSecond = ts.tv_sec;
    }
    // Every log line carries the time: the milliseconds without a formatted print.
    const int ms = static_cast<int>(ts.tv_nsec / 1000000) % 1000;
    std::string text = S.CachedHms;
    const char digits[4] = {'.', char('0' + ms / 100), char('0' + ms / 10 % 10), char('0' + ms % 10)};
    text.append(digits, sizeof digits);
    return text;
}

std::string ShortDateText() {
    time_t now = time(nullptr);
    tm t{};
    localtime_r(&now, &t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.tm_mday % 100, (t.tm_mon + 1) % 100,
                  (t.tm_year + 1900) % 10000);
    return buf;
}

void WriteLog(const std::string& Text) {
    TLogState& S = State();
    // A line of the ring logged again is copied first: its slot may be the one reused.
    if (!S.Ring.empty() && &Text >= S.Ring.data() && &Text < S.Ring.data() + S.Ring.size()) {
        const std::string copy = Text;
        WriteLog(copy);
        return;
    }
    if (Text.find("System init End") != std::string::npos) S.Flush = false;

    if (S.Ring.empty()) S.Ring.resize(1);
    if (S.WriteIndex < 0 || S.WriteIndex >= static_cast<int>(S.Ring.size())) S.WriteIndex = 0;
    // Made in its ring slot, whose room the line it replaces leaves behind.
    std::string& Line = S.Ring[S.WriteIndex];
    Line.clear();
    Line += '[';
    Line += LogTimeText();
    Line += "] ";
    if (Text == "FirstEntry") {
        Line += "-----[";
        Line += ShortDateText();
        Line += "]-----";
        S.Flush = true;
    } else {
        Line += Text;
    }
    if (++S.WriteIndex >= static_cast<int>(S.Ring.size())) {
        S.WriteIndex = 0;
        S.Wrapped = true;
    }
    S.LastText = Text;

    if (S.Listener) S.Listener(Line, Text);
    if (S.Flush) SaveLogFile();
}

void SetLogLength(int Count) {
    TLogState& S = State();
    if (Count < 1) Count = 1;
    S.Ring.resize(Count);
    S.Wrapped = true;
    if (S.WriteIndex >= Count) S.WriteIndex = 0;
}

std::string LogFilePath() { return Glob.ProgramDir + "/Logs/" + LogFileName; }

bool SaveLogFile() {
    // Without a program folder there is no place for the file.
    if (Glob.ProgramDir.empty()) return false;
    const TLogState& S = State();
    std::error_code ec;
    std::filesystem::create_directories(Glob.ProgramDir + "/Logs", ec);
    std::ofstream f(LogFilePath(), std::ios::binary | std::ios::trunc);
    if (!f) return false;
    const int n = static_cast<int>(S.Ring.size());
    // The slot at the write index is the oldest after a wrap.
    for (int k = 0; k < n; ++k) {
        const std::string& L = S.Ring[(S.WriteIndex + k) % n];
        if (L.empty()) continue;
        f << L << "\r\n";
    }
    f.flush();
    return static_cast<bool>(f);
}

const std::vector<std::string>& LogRing() { return State().Ring; }
int LogWriteIndex() { return State().WriteIndex; }
const std::string& LogLastText() { return State().LastText; }
bool LogFlushMode() { return State().Flush; }

std::vector<std::string> LogNewestLines(int Max) {
    const TLogState& S = State();
    std::vector<std::string> Out;
    const int n = static_cast<int>(S.Ring.size());
    if (Max <= 0 || n == 0) return Out;
    for (int k = 1; k <= n && static_cast<int>(Out.size()) < Max; ++k) {
        const std::string& L = S.Ring[((S.WriteIndex - k) % n + n) % n];
        if (!L.empty()) Out.push_back(L);
    }
    return {Out.rbegin(), Out.rend()};
}

void SetLogListener(TLogListener Listener) { State().Listener = Listener; }

void ResetLog() {
    TLogState& S = State();
    // Only the slots written since the ring was last emptied hold lines: when the ring
    // has not gone round, those are released alone (tests and fuzzing reset it often).
    if (!S.Wrapped && S.Ring.size() == size_t(DefaultLogLength) && S.WriteIndex >= 0)
        for (int i = 0; i < S.WriteIndex; ++i) std::string().swap(S.Ring[size_t(i)]);
    else
        S.Ring.assign(DefaultLogLength, std::string());
    S.Wrapped = false;
    S.WriteIndex = 0;
    S.LastText.clear();
    S.Flush = false;
}
