#include "platform/Clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {
bool Fixed = false;
TDateTimeParts FixedAt;
uint64_t TickOffset = 0;  // added to the real tick counter by AdvanceClock
uint64_t FixedTick = 0;

uint64_t RealTick() {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Days from 1970-01-01 of a civil date, and back (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}
void CivilFromDays(int64_t z, int32_t& y, int32_t& m, int32_t& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int32_t(doy - (153 * mp + 2) / 5 + 1);
    m = int32_t(mp < 10 ? mp + 3 : mp - 9);
    y = int32_t(int64_t(yoe) + era * 400 + (m <= 2));
}
}  // namespace

TDateTimeParts Now() {
    if (Fixed) return FixedAt;
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm lt{};
    localtime_r(&t, &lt);
    TDateTimeParts p;
    p.Year = lt.tm_year + 1900;
    p.Month = lt.tm_mon + 1;
    p.Day = lt.tm_mday;
    p.Hour = lt.tm_hour;
    p.Minute = lt.tm_min;
    p.Second = lt.tm_sec;
    p.MSec = int32_t(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return p;
}

uint64_t TickCount() { return Fixed ? FixedTick : RealTick() + TickOffset; }

void FixClock(const TDateTimeParts& T) {
    if (!Fixed) FixedTick = RealTick() + TickOffset;
    Fixed = true;
    FixedAt = T;
}

void ReleaseClock() {
    if (Fixed) {
        uint64_t real = RealTick();
        TickOffset = FixedTick > real ? FixedTick - real : TickOffset;
    }
    Fixed = false;
}

bool ClockFixed() { return Fixed; }

void AdvanceClock(uint64_t Ms) {
    if (!Fixed) {
        TickOffset += Ms;
        return;
    }
    FixedTick += Ms;
    int64_t ms = ((int64_t(FixedAt.Hour) * 60 + FixedAt.Minute) * 60 + FixedAt.Second) * 1000 +
                 FixedAt.MSec + int64_t(Ms);
    int64_t days = DaysFromCivil(FixedAt.Year, unsigned(FixedAt.Month), unsigned(FixedAt.Day)) +
                   ms / 86400000;
    ms %= 86400000;
    CivilFromDays(days, FixedAt.Year, FixedAt.Month, FixedAt.Day);
    FixedAt.Hour = int32_t(ms / 3600000);
    FixedAt.Minute = int32_t(ms / 60000 % 60);
    FixedAt.Second = int32_t(ms / 1000 % 60);
    FixedAt.MSec = int32_t(ms % 1000);
}

std::string FormatTimeHNSZ(const TDateTimeParts& T) {
    char b[32];
    std::snprintf(b, sizeof b, "%02d:%02d:%02d.%03d", T.Hour, T.Minute, T.Second, T.MSec);
    return b;
}

std::string FormatShortDate(const TDateTimeParts& T) {
    char b[32];
    std::snprintf(b, sizeof b, "%d.%d.%04d", T.Day, T.Month, T.Year);
    return b;
}
