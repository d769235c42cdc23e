#include "PickClock.h"

#include <algorithm>

namespace gr {

PickClock::PickClock(ClockSource now) : m_now(std::move(now)) {
    Restart();
}

void PickClock::SetSeconds(int32_t seconds) {
    m_seconds = std::max(seconds, 0);
    Restart();
}

void PickClock::Restart() {
    m_runningSince = m_now();
    m_elapsedBefore = 0;
    m_paused = false;
    m_timeUpTold = false;
}

void PickClock::TogglePause() {
    const int64_t now = m_now();
    if (m_paused)
        m_runningSince = now;
    else
        m_elapsedBefore += now - m_runningSince;
    m_paused = !m_paused;
}

int64_t PickClock::ElapsedMs() const {
    return m_elapsedBefore + (m_paused ? 0 : m_now() - m_runningSince);
}

int32_t PickClock::SecondsLeft() const {
    if (!IsOn()) return 0;
    const int64_t leftMs = static_cast<int64_t>(m_seconds) * 1000 - ElapsedMs();
    return leftMs <= 0 ? 0 : static_cast<int32_t>((leftMs + 999) / 1000);
}

bool PickClock::IsRed() const {
    return IsOn() && SecondsLeft() <= kRedSeconds;
}

bool PickClock::TakeTimeUp() {
    if (!IsOn() || m_timeUpTold || SecondsLeft() > 0) return false;
    m_timeUpTold = true;
    return true;
}

std::string PickClock::Text() const {
    if (!IsOn()) return {};
    const int32_t left = SecondsLeft();
    const int32_t seconds = left % 60;
    return std::to_string(left / 60) + (seconds < 10 ? ":0" : ":") + std::to_string(seconds);
}

}  // namespace gr
