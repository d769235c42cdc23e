#include "SitePublisher.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "AtomicFile.h"

namespace gr::site {

namespace {

namespace fs = std::filesystem;

// A name the manifest may hold: a file right in the folder, never a path or a hidden file.
bool IsPlainName(const std::string& name) {
    if (name.empty() || name.front() == '.') return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == '_';
    });
}

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() == fs::file_type::regular;
}

std::string ReadWhole(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool HoldsAlready(const fs::path& path, const std::string& content) {
    std::error_code ec;
    if (!IsRegularFile(path) || fs::file_size(path, ec) != content.size() || ec) return false;
    return ReadWhole(path) == content;
}

std::set<std::string> ManifestNames(const fs::path& folder) {
    std::set<std::string> names;
    const fs::path manifest = folder / kManifestFile;
    if (!IsRegularFile(manifest)) return names;
    std::ifstream file(manifest);
    for (std::string line; std::getline(file, line);)
        if (IsPlainName(line)) names.insert(line);
    return names;
}

std::set<std::string> NamesOf(const std::vector<SiteFile>& files) {
    std::set<std::string> names;
    for (const SiteFile& file : files) names.insert(file.name);
    return names;
}

std::string ManifestText(const std::set<std::string>& names) {
    std::string text =
        "# The files of the league site that Gridora publishes in this folder. Publishing again\n"
        "# replaces them; no other file here is touched.\n";
    for (const std::string& name : names) text += name + "\n";
    return text;
}

// Writes the file unless it holds the content already; false with a message on failure.
bool Refresh(const fs::path& path, const std::string& content, int& written, std::string& error) {
    if (HoldsAlready(path, content)) return true;
    if (!core::WriteWholeFile(path.string(), content, core::FileAccess::UserDefault, error))
        return false;
    ++written;
    return true;
}

// Files of an earlier publish that this one no longer makes.
int RemoveStale(const fs::path& folder, const std::set<std::string>& before,
                const std::set<std::string>& now) {
    int removed = 0;
    for (const std::string& name : before) {
        std::error_code ec;
        if (!now.contains(name) && IsRegularFile(folder / name) && fs::remove(folder / name, ec))
            ++removed;
    }
    return removed;
}

}  // namespace

SiteFolder InspectSiteFolder(const fs::path& folder, std::string& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (status.type() == fs::file_type::not_found) return SiteFolder::Usable;
    if (status.type() != fs::file_type::directory) {
        error = folder.string() + " is not a folder.";
        return SiteFolder::Unusable;
    }
    if (IsRegularFile(folder / kManifestFile)) return SiteFolder::Usable;
    const fs::directory_iterator entries(folder, ec);
    if (ec) {
        error = "Cannot read " + folder.string() + ": " + ec.message() + ".";
        return SiteFolder::Unusable;
    }
    return entries == fs::directory_iterator() ? SiteFolder::Usable : SiteFolder::Foreign;
}

PublishOutcome PublishSiteFiles(const fs::path& folder, const std::vector<SiteFile>& files,
                                bool allowForeign) {
    PublishOutcome outcome;
    const SiteFolder state = InspectSiteFolder(folder, outcome.error);
    if (state == SiteFolder::Unusable || (state == SiteFolder::Foreign && !allowForeign))
        return outcome;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        outcome.error = "Cannot create " + folder.string() + ": " + ec.message() + ".";
        return outcome;
    }
    const std::set<std::string> before = ManifestNames(folder);
    const std::set<std::string> now = NamesOf(files);
    // New names are listed before their files are written, so that whatever the site has
    // written is always its own, even after a publish that stopped half-way.
    std::set<std::string> both = before;
    both.insert(now.begin(), now.end());
    const fs::path manifest = folder / kManifestFile;
    if (both != before && !Refresh(manifest, ManifestText(both), outcome.written, outcome.error))
        return outcome;
    for (const SiteFile& file : files)
        if (!Refresh(folder / file.name, file.content, outcome.written, outcome.error))
            return outcome;
    if (!Refresh(manifest, ManifestText(now), outcome.written, outcome.error)) return outcome;
    outcome.removed = RemoveStale(folder, before, now);
    outcome.published = true;
    return outcome;
}

std::string PublishedMessage(int pages, const std::string& folder) {
    return "Published " + std::to_string(pages) + " pages to " + folder + ".";
}

}  // namespace gr::site
