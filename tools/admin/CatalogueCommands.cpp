// import-players and export-players.
#include <ostream>

#include "Catalogue.h"
#include "Commands.h"
#include "ImportFile.h"
#include "OutputFile.h"
#include "RosterWriter.h"
#include "TextTable.h"
#include "WorkingCopy.h"

namespace gr::admin {

namespace {

std::string Summary(const ImportPlan& plan) {
    return std::to_string(plan.added) + " added, " + std::to_string(plan.changed) + " changed, " +
           std::to_string(plan.unchanged) + " unchanged.";
}

}  // namespace

int RunImportPlayers(const CommandContext& ctx) {
    const std::string& path = ctx.args.operands[0];
    std::string text;
    if (std::string error; !ReadImportFile(path, text, error)) return ctx.Fail(error);
    IDataService& data = ctx.Data();
    std::vector<CatalogPlayer> catalogue;
    if (!ReadCatalogPlayers(data, catalogue)) return ctx.Fail("Could not read the players.");
    const ImportPlan plan = PlanRosterImport(text, ReadRosterReference(data), catalogue);
    if (!plan.problems.empty()) {
        for (const RowProblem& problem : plan.problems)
            ctx.err << path << ":" << problem.line << ": " << TerminalText(problem.reason) << "\n";
        return ctx.Fail("Nothing was imported: " + std::to_string(plan.problems.size()) +
                        (plan.problems.size() == 1 ? " bad row." : " bad rows."));
    }
    if (ctx.args.dryRun) {
        ctx.out << "Dry run, nothing written: " << Summary(plan) << "\n";
        return kExitOk;
    }
    if (!plan.writes.empty()) {
        WorkingCopy copy(*ctx.session.Setup(), data);
        std::string error;
        if (!copy.Begin(error)) return ctx.Fail(error + "\nNothing was imported.");
        if (!WriteImportPlan(data, plan, error)) return ctx.Fail(error + "\nNothing was imported.");
        if (!copy.Commit(error)) return ctx.Fail(error);
    }
    ctx.out << Summary(plan) << "\n";
    return kExitOk;
}

int RunExportPlayers(const CommandContext& ctx) {
    IDataService& data = ctx.Data();
    std::vector<CatalogPlayer> players;
    if (!ReadCatalogPlayers(data, players)) return ctx.Fail("Could not read the players.");
    const size_t count = players.size();
    std::string error;
    if (!WriteWholeFile(ctx.args.operands[0],
                        RosterCsv(std::move(players), ReadRosterReference(data)),
                        FileAccess::UserDefault, error))
        return ctx.Fail(error);
    ctx.out << "Exported " << count << " players to " << ctx.args.operands[0] << ".\n";
    return kExitOk;
}

}  // namespace gr::admin
