// Timers. Without a native timer backend (tests) a timer never fires by itself:
// the test fires it with Fire(). The Qt backend runs a real timer for every enabled one.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TTimer {
public:
    explicit TTimer(std::string Name = {}, uint32_t Interval = 1000, bool Enabled = false);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    std::string Name;
    std::function<void()> OnTimer;
    // A one-shot timer switches itself off before it runs OnTimer.
    bool OneShot = false;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool E);
    uint32_t Interval() const { return FInterval; }  // milliseconds
    void SetInterval(uint32_t Ms);                   // restarts a running timer

    // The interval has elapsed: runs OnTimer when enabled; returns whether it ran.
    bool Fire();

private:
    bool FEnabled;
    uint32_t FInterval;
};

// The native side of the timers.
class TTimerBackend {
public:
    virtual ~TTimerBackend() = default;
    virtual void TimerChanged(TTimer& T) = 0;  // enabled, disabled or new interval
    virtual void TimerGone(TTimer& T) = 0;     // destroyed
};
// Installs the backend (nullptr: none); existing enabled timers are handed to it.
void SetTimerBackend(TTimerBackend* B);
// Every timer alive, in creation order (tests find a timer here by Name).
const std::vector<TTimer*>& AllTimers();
TTimer* FindTimer(const std::string& Name);
