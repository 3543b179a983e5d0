// The wall clock and a millisecond tick counter. A test can fix both and move them by hand.
#pragma once
#include <cstdint>
#include <string>

struct TDateTimeParts {
    int32_t Year = 2000, Month = 1, Day = 1;
    int32_t Hour = 0, Minute = 0, Second = 0, MSec = 0;
    bool operator==(const TDateTimeParts&) const = default;
};

TDateTimeParts Now();
// Milliseconds from an arbitrary start, never going back.
uint64_t TickCount();

// Fixes the clock at T (the tick counter keeps its value); ReleaseClock returns to real time.
void FixClock(const TDateTimeParts& T);
void ReleaseClock();
bool ClockFixed();
// Moves a fixed clock and the tick counter on by Ms milliseconds.
void AdvanceClock(uint64_t Ms);

// "hh:nn:ss.zzz"
std::string FormatTimeHNSZ(const TDateTimeParts& T);
// The short date of the system's (Czech) format: "d.m.yyyy".
std::string FormatShortDate(const TDateTimeParts& T);
