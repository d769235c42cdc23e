#include "AdminApp.h"

#include <cstdlib>
#include <functional>
#include <map>
#include <ostream>

#include "AdminArgs.h"
#include "Commands.h"
#include "ServiceHost.h"

namespace gr::admin {

namespace {

const std::map<std::string, std::function<int(const CommandContext&)>>& CommandTable() {
    static const std::map<std::string, std::function<int(const CommandContext&)>> table = {
        {"info", RunInfo},
        {"seasons", RunSeasons},
        {"season", RunSeason},
        {"search", RunSearch},
        {"import-players", RunImportPlayers},
        {"export-players", RunExportPlayers},
        {"import-season", RunImportSeason},
        {"export-season", RunExportSeason},
        {"export-league", RunExportLeague},
        {"import-league", RunImportLeague},
        {"backup", RunBackup},
        {"restore", RunRestore},
        {"use", RunUse},
        {"report", RunReport},
        {"publish", RunPublish},
    };
    return table;
}

// The services report engine errors through the host; here they belong on standard error
// for as long as the command runs.
class ErrorReporterScope {
  public:
    explicit ErrorReporterScope(std::ostream& err) {
        host::SetErrorReporter([&err](const std::string& title, const std::string& text) {
            err << title << ": " << text << std::endl;
        });
    }
    ~ErrorReporterScope() { host::SetErrorReporter({}); }
    ErrorReporterScope(const ErrorReporterScope&) = delete;
    ErrorReporterScope& operator=(const ErrorReporterScope&) = delete;
};

// The option wins; GRIDORA_DATABASE_FOLDER serves as it does for the program.
std::string RequestedFolder(const AdminArgs& args) {
    if (!args.databaseFolder.empty()) return args.databaseFolder;
    const char* fromEnvironment = std::getenv("GRIDORA_DATABASE_FOLDER");
    return fromEnvironment != nullptr ? fromEnvironment : "";
}

}  // namespace

int CommandContext::Fail(const std::string& message, int status) const {
    err << "gridora-admin: " << message << std::endl;
    return status;
}

int RunAdmin(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err,
             std::istream& in) {
    const ParseResult parsed = ParseAdminArgs(argv);
    if (!parsed.error.empty()) {
        err << "gridora-admin: " << parsed.error << std::endl;
        return kExitUsage;
    }
    const AdminArgs& args = parsed.args;
    if (args.help) {
        out << (args.command.empty() ? GeneralHelp() : CommandHelp(args.command));
        return kExitOk;
    }
    ErrorReporterScope reporter(err);
    ServiceSession session;
    const CommandContext ctx{args, session, out, err, in};
    std::string message;
    if (!session.Open(RequestedFolder(args), message)) {
        // Choosing another database type, or restoring over a damaged or missing live
        // file, needs only the setup service: these are the ways out of that failure.
        const bool repairs = args.command == "use" || args.command == "restore";
        if (!repairs || !session.Setup() || !session.Setup()->get_SetupInfo())
            return ctx.Fail(message);
        err << "gridora-admin: " << message << std::endl;
    }
    return CommandTable().at(args.command)(ctx);
}

}  // namespace gr::admin
