// The commands of gridora-admin, each returning the exit status.
#pragma once

#include <iosfwd>
#include <string>

#include "AdminApp.h"
#include "AdminArgs.h"
#include "ServiceSession.h"

namespace gr::admin {

struct CommandContext {
    const AdminArgs& args;
    ServiceSession& session;
    std::ostream& out;
    std::ostream& err;
    std::istream& in;

    IDataService& Data() const { return *session.Data(); }
    // Prints "gridora-admin: " + message on standard error and returns the status.
    int Fail(const std::string& message, int status = kExitFailure) const;
};

int RunInfo(const CommandContext& ctx);
int RunSeasons(const CommandContext& ctx);
int RunSeason(const CommandContext& ctx);
int RunSearch(const CommandContext& ctx);
int RunImportPlayers(const CommandContext& ctx);
int RunExportPlayers(const CommandContext& ctx);
int RunImportSeason(const CommandContext& ctx);
int RunExportSeason(const CommandContext& ctx);
int RunExportLeague(const CommandContext& ctx);
int RunImportLeague(const CommandContext& ctx);
int RunBackup(const CommandContext& ctx);
int RunRestore(const CommandContext& ctx);
int RunUse(const CommandContext& ctx);
int RunReport(const CommandContext& ctx);
int RunPublish(const CommandContext& ctx);

}  // namespace gr::admin
