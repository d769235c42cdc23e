// Files written whole or not at all (gridora-admin's outputs, the league site's pages). Each is
// written under a fresh name in its target's folder, created exclusively (a file or a link
// planted under any name is never opened, let alone followed), flushed and then renamed over
// the target: the target is the old file or the complete new one, never half of one and never
// another file that a link pointed at.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace gr::core {

enum class FileAccess {
    OwnerOnly,    // league files and backups: 0600
    UserDefault,  // reports and exports: what the user's umask leaves of 0666
};

class AtomicFile {
  public:
    AtomicFile(std::filesystem::path target, FileAccess access);
    // Removes the temporary file unless Commit put it in place.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false with a message naming the target.
    bool Open(std::string& errorMessage);
    // False once a write failed; Commit then reports it.
    bool Write(std::string_view bytes);
    // Flushes the file, renames it over the target and flushes the folder; false with a
    // message naming the target, the target untouched and the temporary file removed.
    bool Commit(std::string& errorMessage);

  private:
    void Discard();

    std::filesystem::path m_target;
    FileAccess m_access;
    std::filesystem::path m_temporary;
    int m_fd = -1;
    int m_error = 0;  // of the first write that failed
};

// Writes every byte to the descriptor, however many calls it takes.
bool WriteAll(int fd, const char* data, size_t size);

// Replaces path with text through an AtomicFile. False with a message naming the file.
bool WriteWholeFile(const std::string& path, std::string_view text, FileAccess access,
                    std::string& error);

}  // namespace gr::core
