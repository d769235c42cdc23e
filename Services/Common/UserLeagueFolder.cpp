#include "UserLeagueFolder.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "GRServiceUtils.h"

namespace gr {

namespace {

namespace fs = std::filesystem;

constexpr const char* kLeagueFolderName = "Gridora";

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// The copy is flushed before it gets its name, so a crash leaves no short league file behind.
std::error_code FlushFile(const fs::path& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return LastError();
    const std::error_code ec = fsync(fd) == 0 ? std::error_code() : LastError();
    close(fd);
    return ec;
}

// link() refuses a name that exists, so a file another start put there first is kept.
bool CopyWithoutReplacing(const fs::path& source, const fs::path& target,
                          std::string& errorMessage) {
    const fs::path partial = target.parent_path() / ("." + target.filename().string() + ".part-" +
                                                     std::to_string(getpid()));
    std::error_code ec;
    fs::copy_file(source, partial, fs::copy_options::overwrite_existing, ec);
    // The template is read-only and shared; the copy is the user's league, theirs alone.
    if (!ec) fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write, ec);
    if (!ec) ec = FlushFile(partial);
    if (!ec && link(partial.c_str(), target.c_str()) != 0 && errno != EEXIST) ec = LastError();
    std::error_code ignored;
    fs::remove(partial, ignored);
    if (!ec) return true;
    errorMessage =
        "Cannot copy " + source.string() + " to " + target.string() + ": " + ec.message() + ".";
    return false;
}

}  // namespace

std::string InstalledTemplateFolder(const std::string& libraryFolder) {
    const fs::path templates =
        (fs::path(libraryFolder) / GRIDORA_TEMPLATES_FROM_LIBRARIES).lexically_normal();
    std::error_code ec;
    return fs::is_regular_file(templates / kDatabaseProbeName, ec) ? templates.string()
                                                                   : std::string();
}

std::string UserLeagueFolder() {
    fs::path base;
    if (const char* dataHome = std::getenv("XDG_DATA_HOME");
        dataHome != nullptr && *dataHome == '/')
        base = dataHome;
    else if (const std::string home = HomeFolder(); !home.empty())
        base = fs::path(home) / ".local" / "share";
    else
        return {};
    return (base / kLeagueFolderName).lexically_normal().string();
}

bool FillLeagueFolder(const std::string& templateFolder, const std::string& folder,
                      std::string& errorMessage) {
    std::error_code ec;
    const bool created = fs::create_directories(folder, ec);
    if (ec) {
        errorMessage = "Cannot create the league folder " + folder + ": " + ec.message() + ".";
        return false;
    }
    if (created) fs::permissions(folder, fs::perms::owner_all, ec);
    fs::directory_iterator entries(templateFolder, ec);
    if (ec) {
        errorMessage =
            "Cannot read the league templates in " + templateFolder + ": " + ec.message() + ".";
        return false;
    }
    for (const fs::directory_entry& entry : entries) {
        if (!entry.is_regular_file(ec)) continue;
        const fs::path target = fs::path(folder) / entry.path().filename();
        // Even a dangling link counts as the user's: nothing already named is replaced.
        if (fs::symlink_status(target, ec).type() != fs::file_type::not_found) continue;
        if (!CopyWithoutReplacing(entry.path(), target, errorMessage)) return false;
    }
    return true;
}

}  // namespace gr
