#include "AdminArgs.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace gr::admin {

namespace {

enum Option : unsigned {
    kJson = 1u << 0,
    kYes = 1u << 1,
    kDryRun = 1u << 2,
    kIncludeRetired = 1u << 3,
    kSeasonOnly = 1u << 4,
    kSeason = 1u << 5,
    kFormat = 1u << 6,
    kOutput = 1u << 7,
    kAddMissing = 1u << 8,
    kReplace = 1u << 9,
    kForce = 1u << 10,
    kTitle = 1u << 11,
};

struct CommandForm {
    std::string_view name;
    size_t minOperands;
    size_t maxOperands;
    unsigned options;
    std::string_view usage;
    std::string_view summary;
};

constexpr std::array kCommands = {
    CommandForm{"info", 0, 0, kJson, "info [--json]",
                "Database folder, database type in use, last backup, and how many seasons,\n"
                "players, managers and prizes the league holds."},
    CommandForm{"seasons", 0, 0, kJson, "seasons [--json]",
                "One line per season: year, managers, rounds, fee, weeks and the four locks."},
    CommandForm{"season", 1, 1, kJson, "season YEAR [--json]",
                "Everything of one season: figures, managers with rank and fee paid, prizes,\n"
                "the draft in pick order and the winnings with each winner's share."},
    CommandForm{"search", 2, 2, kJson | kIncludeRetired | kSeasonOnly,
                "search KIND TEXT [--include-retired] [--season-only] [--json]",
                "Searches the catalogue. KIND is player (players and teams), manager, prize\n"
                "or position. Names match by their beginning, descriptions anywhere.\n"
                "--include-retired also lists retired players; --season-only limits managers\n"
                "and prizes to the current season."},
    CommandForm{"import-players", 1, 1, kDryRun, "import-players FILE.csv [--dry-run]",
                "Loads players from a CSV file with the header last_name,first_name,position,team\n"
                "and an optional retired column (1/0, true/false, yes/no). A row matching a\n"
                "player by first name, last name and position updates his team (and retired\n"
                "flag); any other row adds a player. The whole file is checked first: when any\n"
                "row is bad nothing is written. --dry-run checks and counts without writing."},
    CommandForm{"export-players", 1, 1, 0, "export-players FILE.csv",
                "Writes the whole player catalogue in the format that import-players reads."},
    CommandForm{"import-season", 1, 1, kDryRun | kAddMissing | kReplace,
                "import-season FILE.csv [--dry-run] [--add-missing] [--replace]",
                "Adds one season from a spreadsheet saved as CSV (the layout export-season\n"
                "writes: the season's figures, then the sections Managers, Prizes, Draft and\n"
                "Winnings). Names match the catalogue without regard to case; names it lacks\n"
                "are added only with --add-missing. A season of the same year is replaced\n"
                "only with --replace. The whole file is checked first: when any line is bad\n"
                "nothing is written. --dry-run checks and tells what would be added."},
    CommandForm{"export-season", 2, 2, 0, "export-season YEAR FILE.csv",
                "Writes one season in the layout that import-season reads."},
    CommandForm{"export-league", 1, 1, 0, "export-league FILE.json",
                "Writes the whole league - catalogue, every season with its managers, prizes,\n"
                "draft and winnings, and the settings - as one JSON document (owner-only)."},
    CommandForm{"import-league", 1, 1, kReplace, "import-league FILE.json [--replace]",
                "Fills a league that holds no seasons with a document that export-league\n"
                "wrote, replacing its catalogue and keeping every id. A league with seasons is\n"
                "replaced whole only with --replace. All or nothing."},
    CommandForm{"backup", 0, 0, 0, "backup",
                "Backs up the live database beside it and prints the backup file's path."},
    CommandForm{"restore", 1, 1, kYes, "restore FILE [--yes]",
                "Replaces the live database with a backup file after checking it. Asks for\n"
                "confirmation on standard input unless --yes is given."},
    CommandForm{"use", 1, 1, 0, "use live|test|blank",
                "Chooses the league database that the program and this tool work on."},
    CommandForm{"report", 1, 1, kSeason | kFormat | kOutput,
                "report current|all|winners [--season YEAR] [--format text|csv|json|html]\n"
                "         [--output FILE]",
                "The money reports and past winners, with the figures of the program's report\n"
                "windows:\n"
                "  current  each manager of the current season (of YEAR with --season): fee\n"
                "           paid, winnings and balance, and the total winnings\n"
                "  all      each manager over all seasons: seasons played, fees, winnings and\n"
                "           balance, playing managers first, and the totals\n"
                "  winners  champion and runner-up of each locked season, newest first (of\n"
                "           season YEAR only with --season)\n"
                "A season without winnings yet is still reported, with every winning 0.00 and\n"
                "each unpaid fee in the balance; a note on standard error says so.\n"
                "--format chooses text (the default), csv (RFC 4180, UTF-8, a header row, one\n"
                "row per manager or season, amounts with two decimals), json, or html (a page\n"
                "to print or mail). --output writes to FILE, replacing it whole, instead of\n"
                "standard output."},
    CommandForm{"publish", 1, 1, kTitle | kForce, "publish DIR [--title TEXT] [--force]",
                "Publishes the league as a folder of web pages that need no server: index.html\n"
                "with the current season's money, all seasons and the past champions, a page per\n"
                "season (managers, draft board, prizes, winnings) and a page per manager, with\n"
                "one stylesheet. --title names the site and is kept for later publishing.\n"
                "Publishing again rewrites only the files that changed; the manifest\n"
                "gridora-site.txt lists the site's files, and no other file is deleted. A\n"
                "folder that holds other files is used only with --force."},
};

const CommandForm* FindCommand(std::string_view name) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [&](const CommandForm& c) { return c.name == name; });
    return it == kCommands.end() ? nullptr : &*it;
}

struct FlagOption {
    std::string_view name;
    Option bit;
    bool AdminArgs::*field;
};

constexpr std::array kFlags = {
    FlagOption{"--json", kJson, &AdminArgs::json},
    FlagOption{"--yes", kYes, &AdminArgs::yes},
    FlagOption{"--dry-run", kDryRun, &AdminArgs::dryRun},
    FlagOption{"--include-retired", kIncludeRetired, &AdminArgs::includeRetired},
    FlagOption{"--season-only", kSeasonOnly, &AdminArgs::seasonOnly},
    FlagOption{"--add-missing", kAddMissing, &AdminArgs::addMissing},
    FlagOption{"--replace", kReplace, &AdminArgs::replace},
    FlagOption{"--force", kForce, &AdminArgs::force},
};

constexpr std::string_view kFolderOption = "--database-folder";

struct ValueOption {
    std::string_view name;
    Option bit;
    std::string AdminArgs::*field;
    std::string_view what;  // what the value is, for the message when it is missing
};

constexpr std::array kValueOptions = {
    ValueOption{"--season", kSeason, &AdminArgs::season, "a year"},
    ValueOption{"--format", kFormat, &AdminArgs::format, "a format"},
    ValueOption{"--output", kOutput, &AdminArgs::output, "a file"},
    ValueOption{"--title", kTitle, &AdminArgs::title, "a title"},
};

// Reads "--name VALUE" or "--name=VALUE" at argv[i]; false when arg is no value option.
bool ScanValueOption(const std::vector<std::string>& argv, size_t& i, AdminArgs& args,
                     unsigned& givenOptions, std::string& error) {
    const std::string& arg = argv[i];
    for (const ValueOption& option : kValueOptions) {
        const std::string name(option.name);
        if (arg == name) {
            // The next option is no value: "--season --json" lacks the year.
            if (i + 1 >= argv.size() || argv[i + 1].starts_with("--")) {
                error = "Option " + name + " needs " + std::string(option.what) + ".";
                return true;
            }
            args.*(option.field) = argv[++i];
        } else if (arg.starts_with(name + "=")) {
            args.*(option.field) = arg.substr(name.size() + 1);
        } else {
            continue;
        }
        givenOptions |= option.bit;
        return true;
    }
    return false;
}

// Reads every option and operand in order; the command is the first operand.
std::string ScanArguments(const std::vector<std::string>& argv, AdminArgs& args,
                          unsigned& givenOptions, std::vector<std::string>& words) {
    bool optionsEnded = false;
    for (size_t i = 1; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            args.help = true;
        } else if (arg == kFolderOption) {
            if (i + 1 >= argv.size()) return "Option --database-folder needs a folder.";
            args.databaseFolder = argv[++i];
        } else if (arg.starts_with(std::string(kFolderOption) + "=")) {
            args.databaseFolder = arg.substr(kFolderOption.size() + 1);
        } else if (std::string error; ScanValueOption(argv, i, args, givenOptions, error)) {
            if (!error.empty()) return error;
        } else {
            const auto flag = std::find_if(kFlags.begin(), kFlags.end(),
                                           [&](const FlagOption& f) { return f.name == arg; });
            if (flag == kFlags.end()) return "Unknown option " + arg + ".";
            args.*(flag->field) = true;
            givenOptions |= flag->bit;
        }
    }
    return {};
}

std::string CheckAgainstCommand(const CommandForm& form, const AdminArgs& args,
                                unsigned givenOptions) {
    for (const FlagOption& flag : kFlags) {
        if ((givenOptions & flag.bit) && !(form.options & flag.bit))
            return "Command " + std::string(form.name) + " does not take " +
                   std::string(flag.name) + ".";
    }
    for (const ValueOption& option : kValueOptions) {
        if ((givenOptions & option.bit) && !(form.options & option.bit))
            return "Command " + std::string(form.name) + " does not take " +
                   std::string(option.name) + ".";
    }
    const size_t count = args.operands.size();
    if (count < form.minOperands || count > form.maxOperands)
        return "Usage: gridora-admin " + std::string(form.usage);
    return {};
}

}  // namespace

ParseResult ParseAdminArgs(const std::vector<std::string>& argv) {
    ParseResult result;
    AdminArgs& args = result.args;
    unsigned givenOptions = 0;
    std::vector<std::string> words;
    result.error = ScanArguments(argv, args, givenOptions, words);
    if (!result.error.empty()) return result;
    if (!words.empty()) {
        args.command = words.front();
        args.operands.assign(words.begin() + 1, words.end());
    }
    if (args.command.empty()) {
        if (!args.help) result.error = "No command given. Try gridora-admin --help.";
        return result;
    }
    const CommandForm* form = FindCommand(args.command);
    if (!form) {
        result.error = "Unknown command " + args.command + ". Try gridora-admin --help.";
        return result;
    }
    if (args.help) return result;  // help needs no operands
    result.error = CheckAgainstCommand(*form, args, givenOptions);
    return result;
}

std::string GeneralHelp() {
    std::string text =
        "Usage: gridora-admin COMMAND [OPTIONS]\n"
        "\n"
        "Runs one chore on the league database through the program's services.\n"
        "\n"
        "Commands:\n";
    for (const CommandForm& c : kCommands) text += "  " + std::string(c.usage) + "\n";
    text +=
        "\n"
        "Options for every command:\n"
        "  --database-folder DIR  use the database files in DIR instead of the league\n"
        "                         folder (GRIDORA_DATABASE_FOLDER does the same)\n"
        "  --help                 describe the command\n"
        "\n"
        "Reading commands print one JSON document on standard output with --json.\n"
        "Messages go to standard error; the exit status is 0 on success, 1 when the\n"
        "command failed, 2 when the command line is wrong and 3 when a money report\n"
        "was written but holds no winnings yet.\n";
    return text;
}

std::string CommandHelp(const std::string& command) {
    const CommandForm* form = FindCommand(command);
    if (!form) return {};
    return "Usage: gridora-admin " + std::string(form->usage) + " [--database-folder DIR]\n\n" +
           std::string(form->summary) + "\n";
}

}  // namespace gr::admin
