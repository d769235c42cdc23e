// backup, restore and use: the commands of the setup service.
#include <algorithm>
#include <filesystem>
#include <istream>
#include <map>
#include <ostream>

#include "BackupFiles.h"
#include "Commands.h"

namespace gr::admin {

namespace {

namespace fs = std::filesystem;

std::string DatabaseFolder(const CommandContext& ctx) {
    const ComPtr<ISetupInfo> info = ctx.session.Setup()->get_SetupInfo();
    return info ? info->get_DefaultDBPath() : std::string();
}

using BackupStamps = std::map<std::string, fs::file_time_type>;

BackupStamps StampBackups(const std::string& folder) {
    BackupStamps stamps;
    for (const BackupFile& file : ListBackupFiles(folder)) {
        std::error_code ec;
        stamps[file.path] = fs::last_write_time(file.path, ec);
    }
    return stamps;
}

// The backup file that is new or was rewritten since the earlier stamps.
std::string NewestBackup(const BackupStamps& before, const BackupStamps& after) {
    std::string newest;
    fs::file_time_type newestTime{};
    for (const auto& [path, time] : after) {
        const auto old = before.find(path);
        if (old != before.end() && old->second == time) continue;
        if (newest.empty() || time > newestTime) {
            newest = path;
            newestTime = time;
        }
    }
    return newest;
}

bool Confirmed(const CommandContext& ctx) {
    ctx.err << "Are you sure you want to override current data? [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(ctx.in, answer)) return false;
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return answer == "y" || answer == "yes";
}

bool DatabaseTypeOf(const std::string& name, int32_t& type) {
    if (name == "live")
        type = DBLive;
    else if (name == "test")
        type = DBTest;
    else if (name == "blank")
        type = DBBlank;
    else
        return false;
    return true;
}

}  // namespace

int RunBackup(const CommandContext& ctx) {
    const std::string folder = DatabaseFolder(ctx);
    const BackupStamps before = StampBackups(folder);
    std::string message;
    if (!ctx.session.Setup()->CreateBackup(message))
        return ctx.Fail(message.empty() ? "Backup failed." : message);
    const std::string path = NewestBackup(before, StampBackups(folder));
    if (path.empty()) return ctx.Fail("The backup reported success but no backup file appeared.");
    ctx.out << path << "\n";
    return kExitOk;
}

int RunRestore(const CommandContext& ctx) {
    std::error_code ec;
    const std::string path = fs::absolute(ctx.args.operands[0], ec).lexically_normal().string();
    if (!fs::exists(path, ec)) return ctx.Fail("Database file: " + path + " is missing.");
    // Copying the live file over itself would destroy it.
    if (fs::equivalent(path, fs::path(DatabaseFolder(ctx)) / LeagueFileName(DBLive), ec))
        return ctx.Fail(path + " is the live database itself.");
    if (!ctx.args.yes && !Confirmed(ctx)) return ctx.Fail("Restore cancelled.");
    // The setup service keeps the data it replaces as one more backup file.
    const std::string folder = DatabaseFolder(ctx);
    const BackupStamps before = StampBackups(folder);
    std::string message;
    if (!ctx.session.Setup()->RestoreBackup(path, message))
        return ctx.Fail(message.empty() ? "Restore failed." : message);
    ctx.out << "Data restored successfully.\n";
    const std::string kept = NewestBackup(before, StampBackups(folder));
    if (!kept.empty()) ctx.out << "The data it replaced is kept in " << kept << "\n";
    return kExitOk;
}

int RunUse(const CommandContext& ctx) {
    int32_t type = DBNone;
    if (!DatabaseTypeOf(ctx.args.operands[0], type))
        return ctx.Fail(
            "Unknown database type " + ctx.args.operands[0] + ": use live, test or blank.",
            kExitUsage);
    // A type whose file is missing would stop the program at its next start.
    const fs::path file = fs::path(DatabaseFolder(ctx)) / LeagueFileName(type);
    std::error_code ec;
    if (!fs::exists(file, ec)) return ctx.Fail("Database file: " + file.string() + " is missing.");
    const ComPtr<ISetupInfo> info = ctx.session.Setup()->get_SetupInfo();
    info->let_DBTypeID(type);
    if (!ctx.session.Setup()->Save()) return ctx.Fail("The database type could not be saved.");
    ctx.out << "Database type set to " << info->get_DBTypeDesc() << ".\n";
    return kExitOk;
}

}  // namespace gr::admin
