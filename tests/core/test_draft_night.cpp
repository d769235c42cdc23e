// The pick clock on a clock source the test moves by hand, and the colours of the positions.
#include <gtest/gtest.h>

#include "PickClock.h"
#include "PositionColours.h"

namespace {

enum class Act { Wait, Pause, Restart, Set };

struct Step {
    Act act;
    int64_t value;  // ms to wait, or the seconds to set
    std::string text;
    bool red;
    bool timeUp;  // what TakeTimeUp answers after the step
};

struct ClockCase {
    const char* name;
    int32_t seconds;
    std::vector<Step> steps;
};

TEST(PickClock, CountsDownTurnsRedSoundsOnceAndNeverBelowZero) {
    const std::vector<ClockCase> cases = {
        {"counts down, red in the last ten seconds, one sound at 0",
         75,
         {{Act::Wait, 0, "1:15", false, false},
          {Act::Wait, 200, "1:15", false, false},
          {Act::Wait, 63'800, "0:11", false, false},
          {Act::Wait, 1'000, "0:10", true, false},
          {Act::Wait, 9'999, "0:01", true, false},
          {Act::Wait, 1, "0:00", true, true},
          {Act::Wait, 30'000, "0:00", true, false}}},
        {"paused, the time stands; resumed, it runs on",
         30,
         {{Act::Wait, 5'000, "0:25", false, false},
          {Act::Pause, 0, "0:25", false, false},
          {Act::Wait, 600'000, "0:25", false, false},
          {Act::Pause, 0, "0:25", false, false},
          {Act::Wait, 25'000, "0:00", true, true}}},
        {"a new pick gets the full time and may sound again",
         12,
         {{Act::Wait, 12'000, "0:00", true, true},
          {Act::Restart, 0, "0:12", false, false},
          {Act::Wait, 2'000, "0:10", true, false},
          {Act::Wait, 10'000, "0:00", true, true}}},
        {"off: no time, never red, never a sound",
         0,
         {{Act::Wait, 0, "", false, false}, {Act::Wait, 900'000, "", false, false}}},
        {"set while running: restarts; set to 0 turns it off",
         60,
         {{Act::Wait, 50'000, "0:10", true, false},
          {Act::Set, 120, "2:00", false, false},
          {Act::Set, -5, "", false, false}}},
    };
    for (const ClockCase& c : cases) {
        int64_t now = 1'000'000;
        gr::PickClock clock([&now] { return now; });
        clock.SetSeconds(c.seconds);
        int index = 0;
        for (const Step& step : c.steps) {
            if (step.act == Act::Wait) now += step.value;
            if (step.act == Act::Pause) clock.TogglePause();
            if (step.act == Act::Restart) clock.Restart();
            if (step.act == Act::Set) clock.SetSeconds(static_cast<int32_t>(step.value));
            const std::string at = std::string(c.name) + ", step " + std::to_string(++index);
            EXPECT_EQ(clock.Text(), step.text) << at;
            EXPECT_EQ(clock.IsRed(), step.red) << at;
            EXPECT_EQ(clock.TakeTimeUp(), step.timeUp) << at;
        }
    }
}

TEST(PositionColours, EveryPositionItsOwnColourAndTheDefenceByAnyName) {
    const auto& colours = gr::PositionColours();
    ASSERT_EQ(colours.size(), 6U);
    for (size_t i = 0; i < colours.size(); ++i)
        for (size_t j = i + 1; j < colours.size(); ++j)
            EXPECT_NE(colours[i].background, colours[j].background) << colours[i].abbr;
    for (const char* defence : {"DEF", "def", "D", "DST", "D/ST"})
        EXPECT_EQ(gr::PositionColourOf(defence).abbr, "DEF") << defence;
    EXPECT_EQ(gr::PositionColourIndex("te"), 3);
    EXPECT_EQ(gr::PositionColourIndex("LB"), -1);
    EXPECT_TRUE(gr::PositionColourOf("LB").name.empty());
}

}  // namespace
