// The pick clock of draft night: the seconds a manager has left for a pick. It only tells the
// time: it turns red in the last seconds and says once that the time is up, and it never takes
// a pick. The time comes from a clock source the caller gives, so any moment can be replayed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace gr {

class PickClock {
  public:
    // Milliseconds of a clock that never goes back.
    using ClockSource = std::function<int64_t()>;
    static constexpr int32_t kRedSeconds = 10;

    explicit PickClock(ClockSource now);

    // The seconds per pick; 0 (or less) turns the clock off. The clock starts afresh.
    void SetSeconds(int32_t seconds);
    int32_t Seconds() const { return m_seconds; }
    bool IsOn() const { return m_seconds > 0; }

    // A new pick: the full time, running.
    void Restart();
    // Stops the time, or lets it run on from where it stopped.
    void TogglePause();
    bool IsPaused() const { return m_paused; }

    // Whole seconds left, counted up (0.2 s left reads 1), never below 0; 0 when off.
    int32_t SecondsLeft() const;
    // On, and at most kRedSeconds left.
    bool IsRed() const;
    // True the first time it is asked after the time ran out, until the next restart: the one
    // sound at 0.
    bool TakeTimeUp();
    // "m:ss", or empty when the clock is off.
    std::string Text() const;

  private:
    int64_t ElapsedMs() const;

    ClockSource m_now;
    int32_t m_seconds = 0;
    int64_t m_runningSince = 0;
    int64_t m_elapsedBefore = 0;  // ms run before the last pause
    bool m_paused = false;
    bool m_timeUpTold = false;
};

}  // namespace gr
