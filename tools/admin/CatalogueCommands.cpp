// import-players and export-players.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ostream>

#include "Catalogue.h"
#include "Commands.h"
#include "OutputFile.h"
#include "RosterWriter.h"
#include "TextTable.h"
#include "WorkingCopy.h"

namespace gr::admin {

namespace {

// A roster of every player there is stays far below this; anything larger is not a roster.
constexpr size_t kMaxImportBytes = size_t{50} * 1024 * 1024;
constexpr const char* kTooLarge = "it is larger than 50 MB";

// Why the opened file cannot be imported: only a regular file of at most kMaxImportBytes can
// (a device such as /dev/zero never ends, a pipe may never answer). Empty when it can.
std::string Unimportable(const struct stat& info) {
    if (!S_ISREG(info.st_mode)) return "it is not a regular file";
    if (static_cast<uintmax_t>(info.st_size) > kMaxImportBytes) return kTooLarge;
    return {};
}

// Reads to the end, but no further than limit bytes (the file may grow while it is read);
// the reason when it cannot.
std::string ReadAtMost(int fd, size_t limit, std::string& text) {
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::strerror(errno);
        if (n == 0) return {};
        text.append(buffer.data(), static_cast<size_t>(n));
        if (text.size() > limit) return kTooLarge;
    }
}

bool ReadImportFile(const std::string& path, std::string& text, std::string& error) {
    // Non-blocking, so that opening a pipe that nobody writes to returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "Cannot read " + path + ".";
        return false;
    }
    struct stat info {};
    std::string reason = ::fstat(fd, &info) != 0 ? std::strerror(errno) : Unimportable(info);
    if (reason.empty()) reason = ReadAtMost(fd, kMaxImportBytes, text);
    ::close(fd);
    if (reason.empty()) return true;
    error = "Cannot read " + path + ": " + reason + ".";
    return false;
}

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
