// The league's history in and out: import-season and export-season (one season as a
// spreadsheet's CSV), export-league and import-league (the whole league as JSON).
#include <charconv>
#include <ostream>

#include "Commands.h"
#include "ImportFile.h"
#include "LeagueDocument.h"
#include "OutputFile.h"
#include "SeasonImport.h"
#include "SeasonSheet.h"
#include "TextTable.h"
#include "WorkingCopy.h"

namespace gr::admin {

namespace {

constexpr const char* kNothingImported = "Nothing was imported";

// The league's rows through the data service's ILeagueRecords.
ComPtr<ILeagueRecords> Records(const CommandContext& ctx) {
    return ctx.session.Data().As<ILeagueRecords>();
}

bool ReadRows(const CommandContext& ctx, LeagueRows& rows, std::string& error) {
    const ComPtr<ILeagueRecords> records = Records(ctx);
    if (!records) {
        error = "The data service cannot read the league as rows.";
        return false;
    }
    return records->ReadLeague(rows, error);
}

// Each problem as "FILE:LINE: reason" ("FILE: reason" for the file as a whole), then the
// failure with the count.
int FailWithProblems(const CommandContext& ctx, const std::string& path,
                     const std::vector<history::LineProblem>& problems, const std::string& hint) {
    for (const history::LineProblem& p : problems)
        ctx.err << path << (p.line > 0 ? ":" + std::to_string(p.line) : "") << ": "
                << TerminalText(p.reason) << "\n";
    if (!hint.empty()) ctx.err << hint << "\n";
    return ctx.Fail(std::string(kNothingImported) + ": " + std::to_string(problems.size()) +
                    (problems.size() == 1 ? " problem." : " problems."));
}

// What the options would change about a refusal.
std::string Hint(const history::SeasonImportPlan& plan, const AdminArgs& args) {
    std::string hint;
    const bool missing =
        !plan.newManagers.empty() || !plan.newPlayers.empty() || !plan.newPrizes.empty();
    if (missing && !args.addMissing)
        hint += "--add-missing adds the names that the catalogue lacks.";
    return hint;
}

std::string Seasons(size_t count) {
    return std::to_string(count) + (count == 1 ? " season" : " seasons");
}

// Runs body on a copy of the league file that replaces it only when body succeeded.
template <class Body>
int WriteThroughCopy(const CommandContext& ctx, Body&& body) {
    WorkingCopy copy(*ctx.session.Setup(), ctx.Data());
    std::string error;
    if (!copy.Begin(error)) return ctx.Fail(error + "\n" + kNothingImported + ".");
    const ComPtr<ILeagueRecords> records = Records(ctx);
    if (!records || !body(*records, error)) return ctx.Fail(error + "\n" + kNothingImported + ".");
    if (!copy.Commit(error)) return ctx.Fail(error);
    return kExitOk;
}

}  // namespace

int RunImportSeason(const CommandContext& ctx) {
    const std::string& path = ctx.args.operands[0];
    std::string text;
    std::string error;
    if (!ReadImportFile(path, text, error)) return ctx.Fail(error);
    const history::SheetReading reading = history::ReadSeasonSheet(text);
    if (!reading.problems.empty()) return FailWithProblems(ctx, path, reading.problems, "");
    LeagueRows league;
    if (!ReadRows(ctx, league, error)) return ctx.Fail(error);
    const history::SeasonImportPlan plan = history::PlanSeasonImport(
        reading.sheet, league, {.addMissing = ctx.args.addMissing, .replace = ctx.args.replace});
    if (!plan.problems.empty())
        return FailWithProblems(ctx, path, plan.problems, Hint(plan, ctx.args));
    if (ctx.args.dryRun) ctx.out << "Dry run, nothing written.\n";
    for (const std::string& line : history::DescribeSeasonImport(plan))
        ctx.out << TerminalText(line) << "\n";
    if (ctx.args.dryRun) return kExitOk;
    const int status = WriteThroughCopy(ctx, [&](ILeagueRecords& records, std::string& why) {
        return records.AddSeasonRows(plan.rows, why);
    });
    if (status == kExitOk) ctx.out << "Season " << plan.year << " imported.\n";
    return status;
}

int RunExportSeason(const CommandContext& ctx) {
    const std::string& yearText = ctx.args.operands[0];
    int32_t year = 0;
    const auto [end, ec] =
        std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
    if (ec != std::errc() || end != yearText.data() + yearText.size() || year < 1)
        return ctx.Fail("YEAR must be a year such as 2023, not " + yearText + ".", kExitUsage);
    LeagueRows league;
    std::string error;
    if (!ReadRows(ctx, league, error)) return ctx.Fail(error);
    const std::string csv = history::SeasonSheetCsv(league, year);
    if (csv.empty()) return ctx.Fail("There is no season " + yearText + ".");
    const std::string& path = ctx.args.operands[1];
    if (!WriteWholeFile(path, csv, FileAccess::UserDefault, error)) return ctx.Fail(error);
    ctx.out << "Exported season " << year << " to " << path << ".\n";
    return kExitOk;
}

int RunExportLeague(const CommandContext& ctx) {
    LeagueRows league;
    std::string error;
    if (!ReadRows(ctx, league, error)) return ctx.Fail(error);
    const std::string& path = ctx.args.operands[0];
    // The whole league in plain text: as private as the league file itself.
    if (!WriteWholeFile(path, history::LeagueJson(league), FileAccess::OwnerOnly, error))
        return ctx.Fail(error);
    ctx.out << "Exported the league (" << Seasons(league.seasons.size()) << ") to " << path
            << ".\n";
    return kExitOk;
}

int RunImportLeague(const CommandContext& ctx) {
    const std::string& path = ctx.args.operands[0];
    std::string text;
    std::string error;
    if (!ReadImportFile(path, text, error)) return ctx.Fail(error);
    const history::LeagueReading reading = history::ReadLeagueJson(text);
    if (!reading.problems.empty()) {
        for (const std::string& problem : reading.problems)
            ctx.err << path << ": " << TerminalText(problem) << "\n";
        return ctx.Fail(std::string(kNothingImported) + ".");
    }
    LeagueRows league;
    if (!ReadRows(ctx, league, error)) return ctx.Fail(error);
    if (!league.seasons.empty() && !ctx.args.replace)
        return ctx.Fail("The league holds " + Seasons(league.seasons.size()) +
                        "; --replace replaces the whole league with the file.");
    const int status = WriteThroughCopy(ctx, [&](ILeagueRecords& records, std::string& why) {
        return records.ReplaceLeague(reading.rows, why);
    });
    if (status == kExitOk)
        ctx.out << "Imported the league: " << Seasons(reading.rows.seasons.size()) << ", "
                << reading.rows.managers.size() << " managers, " << reading.rows.players.size()
                << " players.\n";
    return status;
}

}  // namespace gr::admin
