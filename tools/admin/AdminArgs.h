// The command line of gridora-admin: one command, its operands and its options.
#pragma once

#include <string>
#include <vector>

namespace gr::admin {

struct AdminArgs {
    std::string command;  // empty when only --help (or nothing) was given
    std::vector<std::string> operands;
    std::string databaseFolder;  // empty: the folder beside the service libraries
    bool help = false;
    bool json = false;
    bool yes = false;
    bool dryRun = false;
    bool includeRetired = false;
    bool seasonOnly = false;
    bool addMissing = false;
    bool replace = false;
    bool force = false;  // publish into a folder that holds other files
    // report's options; empty when not given
    std::string season;
    std::string format;
    std::string output;
    std::string title;  // publish's site title
};

struct ParseResult {
    AdminArgs args;
    std::string error;  // empty when the command line is usable
};

// Options may stand anywhere after the program name; "--" ends them, so that an operand
// may start with "-". Each command accepts only its own options and operand count.
ParseResult ParseAdminArgs(const std::vector<std::string>& argv);

// The overview of all commands, or the help of one command (empty for an unknown one).
std::string GeneralHelp();
std::string CommandHelp(const std::string& command);

}  // namespace gr::admin
