// Writing the league site into a folder. Each file is written whole or not at all
// (AtomicFile.h), and only when its content changed, so publishing an unchanged league touches
// nothing. The manifest in the folder lists the files the site wrote: a file that a later
// publish no longer makes is removed only when the manifest names it, and no other file is
// ever deleted. A folder that holds anything but no manifest belongs to someone else and is
// used only when the caller allows it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace gr::site {

inline constexpr const char* kManifestFile = "gridora-site.txt";

struct SiteFile {
    std::string name;  // a plain file name in the folder
    std::string content;
};

enum class SiteFolder {
    Usable,   // missing, empty, or holding a site published before
    Foreign,  // holds other files and no manifest
    Unusable  // not a folder, or cannot be read
};

// What is in the folder; for Unusable, error says why.
SiteFolder InspectSiteFolder(const std::filesystem::path& folder, std::string& error);

struct PublishOutcome {
    bool published = false;
    std::string error;  // when not published
    int written = 0;    // files whose content changed (the manifest included)
    int removed = 0;    // files of an earlier publish that the site no longer has
};

// Writes files into folder (created when missing). A Foreign folder is refused unless
// allowForeign; nothing is written then, and error is empty (the caller says why in its words).
PublishOutcome PublishSiteFiles(const std::filesystem::path& folder,
                                const std::vector<SiteFile>& files, bool allowForeign);

// "Published N pages to DIR."
std::string PublishedMessage(int pages, const std::string& folder);

}  // namespace gr::site
