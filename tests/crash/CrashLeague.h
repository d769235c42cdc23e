// The league the crash harness saves into: three seasons of fourteen managers and sixteen
// rounds (224 picks), eight prizes, sixty winnings a season and 600 players, built on the
// generated blank league. Players 1..224 are drafted; 301..524 stand in for them.
#pragma once

#include <string>

namespace gr::test {

inline constexpr int32_t kCrashPicks = 14 * 16;
inline constexpr int32_t kCrashSpareFrom = 300;
inline constexpr int32_t kCrashManagerPool = 20;

// Turns the live file at path (a copy of the blank league) into the crash league.
void BuildCrashLeague(const std::string& path);

}  // namespace gr::test
