#include "AtomicFileCopy.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

namespace gr::setup {

namespace {

namespace fs = std::filesystem;

// Closes a descriptor when it goes out of scope.
class FileHandle {
  public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return m_fd; }
    bool Close() { return ::close(std::exchange(m_fd, -1)) == 0; }

  private:
    int m_fd;
};

std::string Describe(const std::string& what, const std::string& path, int error) {
    return what + " " + path + ": " + std::strerror(error);
}

enum class KernelCopy { Done, Failed, Unsupported };

// Kernel-side copy of up to size bytes. Unsupported where the file systems do not allow it;
// the file offsets then stand after what was copied so far.
KernelCopy CopyInKernel(int from, int to, off_t size) {
    for (off_t left = size; left > 0;) {
        const ssize_t n =
            ::copy_file_range(from, nullptr, to, nullptr, static_cast<size_t>(left), 0);
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL))
            return KernelCopy::Unsupported;
        if (n < 0) return KernelCopy::Failed;
        if (n == 0) break;  // the source shrank under us; what was there is copied
        left -= n;
    }
    return KernelCopy::Done;
}

bool WriteAll(int to, const char* data, ssize_t size) {
    for (ssize_t done = 0; done < size;) {
        const ssize_t put = ::write(to, data + done, static_cast<size_t>(size - done));
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return false;
        done += put;
    }
    return true;
}

// Plain reads and writes from the current offsets to the end of the source.
bool CopyByReading(int from, int to) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (!WriteAll(to, buffer.data(), got)) return false;
    }
}

// Kernel-side copy where the file systems allow it, plain reads and writes otherwise.
bool CopyContents(int from, int to, off_t size) {
    switch (CopyInKernel(from, to, size)) {
        case KernelCopy::Done:
            return true;
        case KernelCopy::Failed:
            return false;
        case KernelCopy::Unsupported:
            break;
    }
    return CopyByReading(from, to);
}

// A rename is only durable once the folder itself is flushed.
void SyncFolder(const fs::path& folder) {
    FileHandle dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// Copies into a new file made from the pattern; on return, temporary names the file that
// was created (empty when none was). The copy keeps the 0600 of mkstemp, whatever the mode of
// the source: a league file or a backup is its owner's alone.
bool CopyToTemporary(const std::string& source, const std::string& pattern, std::string& temporary,
                     std::string& error) {
    FileHandle from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (from.get() < 0) {
        error = Describe("Cannot read", source, errno);
        return false;
    }
    struct stat info {};
    if (::fstat(from.get(), &info) != 0) {
        error = Describe("Cannot read", source, errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "Cannot read " + source + ": not a regular file";
        return false;
    }
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    FileHandle to(::mkstemp(name.data()));
    if (to.get() < 0) {
        error =
            Describe("Cannot create a file in", fs::path(pattern).parent_path().string(), errno);
        return false;
    }
    temporary = name.data();
    if (!CopyContents(from.get(), to.get(), info.st_size) || ::fsync(to.get()) != 0) {
        error = Describe("Cannot write", temporary, errno);
        return false;
    }
    if (!to.Close()) {
        error = Describe("Cannot write", temporary, errno);
        return false;
    }
    return true;
}

std::string TemporaryPattern(const fs::path& target) {
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    // A hidden name that no backup pattern matches while the copy is incomplete.
    return (folder / ("." + target.filename().string() + ".XXXXXX")).string();
}

fs::path FolderOf(const fs::path& target) {
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

// Moves a complete temporary file to target, flushing the folder so the rename lasts.
bool MoveIntoPlace(const std::string& temporary, const std::string& target,
                   std::string& errorMessage) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        errorMessage = Describe("Cannot replace", target, errno);
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}

// The file systems that cannot swap two names in one step (or rename without
// replacing) say so with these.
bool SwapUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

// Gives a file a second name only when that name is free; the caller removes the first.
// Where renaming without replacing is not offered, a hard link does the same.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (!SwapUnsupported(errno)) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// A complete, flushed and checked copy of source beside target under a temporary name;
// on failure nothing of it is left.
bool MakeCheckedCopy(const std::string& source, const std::string& target, const CopyCheck& check,
                     std::string& temporary, std::string& errorMessage) {
    std::string error;
    if (CopyToTemporary(source, TemporaryPattern(target), temporary, error) &&
        (!check || check(temporary, error)))
        return true;
    if (!temporary.empty()) ::unlink(temporary.c_str());
    temporary.clear();
    errorMessage = error;
    return false;
}

}  // namespace

bool CopyFileAtomically(const std::string& source, const std::string& target,
                        std::string& errorMessage, const CopyCheck& check) {
    std::string temporary;
    if (!MakeCheckedCopy(source, target, check, temporary, errorMessage)) return false;
    return MoveIntoPlace(temporary, target, errorMessage);
}

bool CopyFileToNewName(const std::string& source, const std::string& target,
                       std::string& errorMessage, const CopyCheck& check) {
    std::string temporary;
    if (!MakeCheckedCopy(source, target, check, temporary, errorMessage)) return false;
    if (!RenameNoReplace(temporary, target)) {
        errorMessage = Describe("Cannot create", target, errno);
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}

bool ReplaceFileKeepingOld(const std::string& source, const std::string& target,
                           const std::string& keptName, std::string& errorMessage,
                           const CopyCheck& check) {
    if (keptName.empty() || !IsRegularFile(target))
        return CopyFileAtomically(source, target, errorMessage, check);
    std::string temporary;
    if (!MakeCheckedCopy(source, target, check, temporary, errorMessage)) return false;
    // The new copy takes the kept name, then swaps names with the target in one step: the
    // target is whole at every moment, and a process killed in between leaves only a
    // complete copy of the source under the kept name, never a file under a hidden name.
    if (!RenameNoReplace(temporary, keptName)) {
        errorMessage = Describe("Cannot create", keptName, errno);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::renameat2(AT_FDCWD, keptName.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        SyncFolder(FolderOf(target));
        return true;
    }
    const int swapError = errno;
    if (!SwapUnsupported(swapError) || ::rename(keptName.c_str(), temporary.c_str()) != 0) {
        errorMessage = Describe("Cannot replace", target, swapError);
        ::unlink(keptName.c_str());
        return false;
    }
    // No swap here: the kept name takes a copy of the old file, then the new one moves in.
    std::string keptTemporary;
    std::string error;
    if (!CopyToTemporary(target, TemporaryPattern(keptName), keptTemporary, error) ||
        !RenameNoReplace(keptTemporary, keptName)) {
        if (error.empty()) error = Describe("Cannot create", keptName, errno);
        if (!keptTemporary.empty()) ::unlink(keptTemporary.c_str());
        ::unlink(temporary.c_str());
        errorMessage = error;
        return false;
    }
    return MoveIntoPlace(temporary, target, errorMessage);
}

void RemoveUnfinishedCopies(const std::string& folder, const std::string& targetPrefix) {
    constexpr size_t kRandomPart = 7;  // ".XXXXXX" of the temporary pattern
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const bool temporary = name.size() > 1 + targetPrefix.size() + kRandomPart &&
                               name.compare(0, 1 + targetPrefix.size(), "." + targetPrefix) == 0 &&
                               name[name.size() - kRandomPart] == '.';
        if (temporary && entry.is_regular_file(ec)) ::unlink(entry.path().c_str());
    }
}

}  // namespace gr::setup
