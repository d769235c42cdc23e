// gridora-admin: league chores from the command line, through the program's services.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gr::admin {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// The report was written but holds no winnings yet, so a script does not mail it as final.
inline constexpr int kExitNoWinnings = 3;

// Runs one command line (argv[0] is the program name) and returns the exit status.
// Results go to out, messages to err; restore reads its confirmation from in.
int RunAdmin(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err,
             std::istream& in);

}  // namespace gr::admin
