#include "GRServiceUtils.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

#include "LeagueFiles.h"
#include "ServiceHost.h"
#include "UserLeagueFolder.h"

namespace gr {

namespace {

namespace fs = std::filesystem;

constexpr const char* kConnectString = "MS Access;pwd=kartmu49zq";
constexpr const char* kPasswordField = "pwd=";

// The folder of the binary (service library, tool or test) that holds this module.
std::string ModuleFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) == 0 ||
        info.dli_fname == nullptr)
        return {};
    std::error_code ec;
    fs::path path = fs::canonical(info.dli_fname, ec);
    if (ec) path = fs::absolute(info.dli_fname, ec);
    return path.parent_path().string();
}

// A directory look-up, not an open: a locked or damaged file still counts as present.
bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool HoldsProbe(const std::string& folder) {
    return FileExists(folder + "/" + kDatabaseProbeName);
}

// "a/b/../../Databases" becomes a plain path, so messages and callers see a clean folder.
std::string Normalized(const std::string& folder) {
    return fs::path(folder).lexically_normal().string();
}

// The user's league folder, filled from the templates once per process: a start that finds
// the folder complete copies nothing, and a failure is reported once, not on every open.
std::string PreparedUserLeagueFolder(const std::string& templateFolder) {
    std::string folder = UserLeagueFolder();
    if (folder.empty()) {
        host::ReportError("Gridora Service", "No home folder is known to hold the league.");
        return {};
    }
    static std::mutex lock;
    static std::set<std::string> prepared;
    const std::lock_guard guard(lock);
    if (!prepared.insert(folder).second) return folder;
    std::string errorMessage;
    if (!FillLeagueFolder(templateFolder, folder, errorMessage))
        host::ReportError("Gridora Service", errorMessage);
    return folder;
}

}  // namespace

std::string GetDatabaseFolder() {
    std::string override = host::DatabaseFolderOverride();
    if (!override.empty()) return override;
    const std::string base = ModuleFolder();
    if (base.empty()) return {};
    // An installed program never writes beside its libraries: each user has a league.
    if (const std::string templates = InstalledTemplateFolder(base); !templates.empty())
        return PreparedUserLeagueFolder(templates);
#ifdef GRIDORA_DEVELOPMENT_BUILD
    for (const char* relative : {"/../../Databases", "/../Databases"}) {
        std::string candidate = Normalized(base + relative);
        if (HoldsProbe(candidate)) return candidate;
    }
    return {};
#else
    return HoldsProbe(base) ? base : std::string();
#endif
}

std::string GetDatabaseFileName(int32_t dbType, const std::string& dateText,
                                const std::string& counterText) {
    return core::DatabaseFileName(dbType, dateText, counterText);
}

std::string GetDatabaseFilePath(int32_t dbType, const std::string& dateText,
                                const std::string& counterText) {
    return GetDatabaseFolder() + "/" + GetDatabaseFileName(dbType, dateText, counterText);
}

bool OpenDatabaseFile(const std::string& path, std::unique_ptr<db::Database>& database,
                      std::string& errorMessage) {
    if (!FileExists(path)) {
        errorMessage = "Database file: " + path + " is missing.";
        return false;
    }
    try {
        database = std::make_unique<db::Database>(path, GetDatabaseKey());
        return true;
    } catch (const std::exception& e) {
        errorMessage = e.what();
        return false;
    }
}

bool OpenDatabaseByType(int32_t dbType, std::unique_ptr<db::Database>& database,
                        std::string& errorMessage) {
    return OpenDatabaseFile(GetDatabaseFilePath(dbType), database, errorMessage);
}

std::string GetConnectString() {
    return kConnectString;
}

std::string GetDatabaseKey() {
    const std::string connect = kConnectString;
    const auto start = connect.find(kPasswordField);
    if (start == std::string::npos) return {};
    const auto from = start + std::char_traits<char>::length(kPasswordField);
    const auto end = connect.find(';', from);
    return connect.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

}  // namespace gr
