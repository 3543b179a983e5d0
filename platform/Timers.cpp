#include "platform/Timers.h"

#include <algorithm>

namespace {
std::vector<TTimer*>& Registry() {
    static std::vector<TTimer*> r;
    return r;
}
TTimerBackend* Backend = nullptr;
}  // namespace

TTimer::TTimer(std::string Name, uint32_t Interval, bool Enabled)
    : Name(std::move(Name)), FEnabled(Enabled), FInterval(Interval) {
    Registry().push_back(this);
    if (Backend && FEnabled) Backend->TimerChanged(*this);
}

TTimer::~TTimer() {
    std::erase(Registry(), this);
    if (Backend) Backend->TimerGone(*this);
}

void TTimer::SetEnabled(bool E) {
    if (E == FEnabled) return;
    FEnabled = E;
    if (Backend) Backend->TimerChanged(*this);
}

void TTimer::SetInterval(uint32_t Ms) {
    if (Ms == FInterval) return;
    FInterval = Ms;
    if (Backend) Backend->TimerChanged(*this);
}

bool TTimer::Fire() {
    if (!FEnabled || FInterval == 0) return false;
    if (OneShot) SetEnabled(false);
    if (OnTimer) OnTimer();
    return true;
}

void SetTimerBackend(TTimerBackend* B) {
    Backend = B;
    if (Backend)
        for (TTimer* t : Registry())
            if (t->Enabled()) Backend->TimerChanged(*t);
}

const std::vector<TTimer*>& AllTimers() { return Registry(); }

TTimer* FindTimer(const std::string& Name) {
    for (TTimer* t : Registry())
        if (t->Name == Name) return t;
    return nullptr;
}
