#include "ImportFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

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

}  // namespace

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

}  // namespace gr::admin
