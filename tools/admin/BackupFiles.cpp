#include "BackupFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <tuple>

#include "LeagueFiles.h"

namespace gr::admin {

namespace {

using core::kBackupFilePrefix;
using core::kDatabaseFileExtension;
constexpr std::string_view kSeparator = " - ";

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

}  // namespace

std::string LeagueFileName(int32_t dbType) {
    return core::IsLeagueType(dbType) ? core::DatabaseFileName(dbType) : std::string();
}

std::optional<BackupFile> ParseBackupFileName(const std::string& fileName) {
    std::string_view name = fileName;
    if (!name.starts_with(kBackupFilePrefix) || !name.ends_with(kDatabaseFileExtension))
        return std::nullopt;
    name.remove_prefix(kBackupFilePrefix.size());
    name.remove_suffix(kDatabaseFileExtension.size());
    const auto separator = name.find(kSeparator);
    if (separator != 8) return std::nullopt;
    const std::string_view date = name.substr(0, separator);
    const std::string_view counter = name.substr(separator + kSeparator.size());
    if (!AllDigits(date) || !AllDigits(counter) || counter.size() < 2 || counter.size() > 9)
        return std::nullopt;
    return BackupFile{fileName, std::string(date), std::stoi(std::string(counter))};
}

std::vector<BackupFile> ListBackupFiles(const std::string& folder) {
    std::vector<BackupFile> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        if (auto file = ParseBackupFileName(entry.path().filename().string())) {
            file->path = entry.path().string();
            files.push_back(std::move(*file));
        }
    }
    std::sort(files.begin(), files.end(), [](const BackupFile& a, const BackupFile& b) {
        return std::tie(a.date, a.counter) < std::tie(b.date, b.counter);
    });
    return files;
}

std::string IsoDate(const std::string& yyyymmdd) {
    if (yyyymmdd.size() != 8) return yyyymmdd;
    return yyyymmdd.substr(0, 4) + "-" + yyyymmdd.substr(4, 2) + "-" + yyyymmdd.substr(6, 2);
}

}  // namespace gr::admin
