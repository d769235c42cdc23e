#include "AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <utility>

namespace gr::core {

namespace {

namespace fs = std::filesystem;

// Names already taken are stepped over; this many in a row means something else is wrong.
constexpr int kNameAttempts = 100;

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// The hidden target name with six random letters, which no one can plant a file or a link
// under beforehand. A process killed half-way leaves it behind in the pattern that the setup
// service clears from the league folder.
fs::path TemporaryName(const fs::path& target, std::random_device& random) {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<size_t> pick(0, kLetters.size() - 1);
    std::string name = "." + target.filename().string() + ".";
    for (int i = 0; i < 6; ++i) name.push_back(kLetters[pick(random)]);
    return FolderOf(target) / name;
}

std::string CannotWrite(const fs::path& target, int error) {
    return "Cannot write " + target.string() + ": " + std::strerror(error) + ".";
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

AtomicFile::AtomicFile(fs::path target, FileAccess access)
    : m_target(std::move(target)), m_access(access) {}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Open(std::string& errorMessage) {
    // The kernel takes the umask off the mode of a file it creates.
    const mode_t mode = m_access == FileAccess::OwnerOnly ? 0600 : 0666;
    std::random_device random;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path candidate = TemporaryName(m_target, random);
        // O_EXCL: an existing name, a link included, is refused rather than opened.
        m_fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (m_fd >= 0) {
            m_temporary = candidate;
            return true;
        }
        if (errno != EEXIST) break;
    }
    errorMessage = CannotWrite(m_target, errno);
    return false;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (m_error == 0 && !WriteAll(m_fd, bytes.data(), bytes.size())) m_error = errno;
    return m_error == 0;
}

bool AtomicFile::Commit(std::string& errorMessage) {
    int error = m_error;
    if (error == 0 && ::fsync(m_fd) != 0) error = errno;
    if (::close(std::exchange(m_fd, -1)) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(m_temporary.c_str(), m_target.c_str()) != 0) error = errno;
    if (error != 0) {
        errorMessage = CannotWrite(m_target, error);
        Discard();
        return false;
    }
    m_temporary.clear();
    SyncFolder(FolderOf(m_target));
    return true;
}

void AtomicFile::Discard() {
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

bool WriteWholeFile(const std::string& path, std::string_view text, FileAccess access,
                    std::string& error) {
    AtomicFile file(path, access);
    if (!file.Open(error)) return false;
    file.Write(text);  // a failed write is reported by Commit
    return file.Commit(error);
}

}  // namespace gr::core
