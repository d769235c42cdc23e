#include "RecoveryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <utility>

namespace gr::ui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMagic = "gridora-unsaved-work";
constexpr const char* kSuffix = ".unsaved";
constexpr size_t kFigures = 5;
constexpr size_t kLocks = 4;

// Fields are separated by tabs and records by line breaks, so text escapes both: a backslash
// and the letter of each.
constexpr std::pair<char, char> kEscapes[] = {{'\\', '\\'}, {'\t', 't'}, {'\n', 'n'}, {'\r', 'r'}};

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto* escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                          [c](const auto& e) { return e.first == c; });
        if (escape != std::end(kEscapes)) out += '\\';
        out += escape != std::end(kEscapes) ? escape->second : c;
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char letter = text[++i];
        const auto* escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                          [letter](const auto& e) { return e.second == letter; });
        out += escape != std::end(kEscapes) ? escape->first : letter;
    }
    return out;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(Unescape(line.substr(start, tab - start)));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

class Line {
  public:
    explicit Line(const char* tag) : m_text(tag) {}
    template <class T>
    Line& operator<<(const T& number) {
        m_text += '\t' + std::to_string(number);
        return *this;
    }
    Line& operator<<(const std::string& text) {
        m_text += '\t' + Escape(text);
        return *this;
    }
    Line& operator<<(bool flag) { return *this << static_cast<int>(flag); }
    std::string End() const { return m_text + '\n'; }

  private:
    std::string m_text;
};

// Reads the fields of one record; a field that is not what it should be marks the line damaged.
class Fields {
  public:
    explicit Fields(std::vector<std::string> fields) : m_fields(std::move(fields)) {}
    size_t Count() const { return m_fields.size(); }
    const std::string& Text(size_t i) {
        if (i >= m_fields.size()) {
            m_damaged = true;
            return m_empty;
        }
        return m_fields[i];
    }
    template <class T>
    T Number(size_t i) {
        const std::string& text = Text(i);
        T value{};
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) m_damaged = true;
        return value;
    }
    bool Flag(size_t i) { return Number<int>(i) != 0; }
    bool Damaged() const { return m_damaged; }

  private:
    std::vector<std::string> m_fields;
    std::string m_empty;
    bool m_damaged = false;
};

// Why the first line of a file is not the header of this version's file, or empty text.
std::string HeaderProblem(const std::string& tag, int version) {
    if (tag != kMagic) return "It is not a file of unsaved work.";
    if (version > RecoveryFile::kVersion) return "It was written by a later version of Gridora.";
    return {};
}

// Takes one record after the header into the work.
void ReadRecord(const std::string& tag, Fields& f, UnsavedWork& work) {
    if (tag == "written") {
        work.writtenAt = f.Number<int64_t>(1);
    } else if (tag == "season") {
        work.seasonYear = f.Number<int32_t>(1);
    } else if (tag == "pick") {
        work.picks.push_back({f.Number<int32_t>(1), f.Number<int32_t>(2), f.Number<int32_t>(3),
                              f.Text(4), f.Number<int32_t>(5), f.Number<int32_t>(6)});
    } else if (tag == "winning") {
        work.winnings.push_back({f.Number<int32_t>(1), f.Number<int32_t>(2), f.Number<int32_t>(3),
                                 f.Number<int32_t>(4), f.Text(5), f.Text(6)});
    } else if (tag == "figures") {
        if (!work.season) work.season.emplace();
        for (size_t i = 1; i <= kFigures; ++i) work.season->figures.push_back(f.Text(i));
    } else if (tag == "locks") {
        if (!work.season) work.season.emplace();
        for (size_t i = 1; i <= kLocks; ++i) work.season->locks.push_back(f.Flag(i));
    } else if (tag == "manager" && work.season) {
        work.season->managers.push_back({f.Number<int32_t>(1), f.Text(2), f.Text(3), f.Flag(4)});
    } else if (tag == "prize" && work.season) {
        work.season->prizes.push_back({f.Number<int32_t>(1), f.Text(2), f.Number<int32_t>(3)});
    } else {
        f.Text(99);  // a record this version does not know
    }
}

std::string Plural(size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

fs::file_time_type ChangedAt(const std::string& path, bool& exists) {
    std::error_code error;
    const fs::file_time_type time = fs::last_write_time(path, error);
    exists = !error;
    return time;
}

void SyncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

}  // namespace

// ---- The work -----------------------------------------------------------------------------

UnsavedWork::Kind UnsavedWork::WhatKind() const {
    if (!picks.empty()) return Kind::DraftPicks;
    if (!winnings.empty()) return Kind::Winnings;
    if (season) return Kind::Season;
    return Kind::None;
}

std::string DescribeWork(const UnsavedWork& work) {
    const std::string season = " of season " + std::to_string(work.seasonYear);
    switch (work.WhatKind()) {
        case UnsavedWork::Kind::DraftPicks:
            return Plural(work.picks.size(), "draft pick", "draft picks") + season;
        case UnsavedWork::Kind::Winnings:
            return Plural(work.winnings.size(), "winnings row", "winnings rows") + season;
        case UnsavedWork::Kind::Season:
            return "the edits" + season;
        case UnsavedWork::Kind::None:
            break;
    }
    return "nothing";
}

std::string DescribeTime(int64_t secondsSinceEpoch) {
    const std::time_t time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local));
}

// ---- The text of the file -----------------------------------------------------------------

std::string RecoveryFile::Format(const UnsavedWork& work) {
    std::string text = (Line(kMagic) << kVersion).End();
    text += (Line("written") << work.writtenAt).End();
    text += (Line("season") << work.seasonYear).End();
    for (const RecoveredPick& p : work.picks)
        text +=
            (Line("pick") << p.pick << p.type << p.id << p.name << p.heldType << p.heldId).End();
    for (const RecoveredWinning& w : work.winnings)
        text += (Line("winning") << w.storedId << w.managerId << w.prizeId << w.week
                                 << w.managerName << w.prizeDesc)
                    .End();
    if (work.season) {
        Line figures("figures");
        for (const std::string& figure : work.season->figures) figures << figure;
        text += figures.End();
        Line locks("locks");
        for (const bool lock : work.season->locks) locks << lock;
        text += locks.End();
        for (const SeasonEdits::Manager& m : work.season->managers)
            text += (Line("manager") << m.id << m.firstName << m.lastName << m.feePaid).End();
        for (const SeasonEdits::Prize& p : work.season->prizes)
            text += (Line("prize") << p.id << p.desc << p.amount).End();
    }
    return text + "end\n";
}

std::optional<UnsavedWork> RecoveryFile::Parse(const std::string& text, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    UnsavedWork work;
    int number = 0;
    bool ended = false;
    while (!ended && std::getline(lines, line)) {
        ++number;
        Fields f(SplitFields(line));
        const std::string tag = f.Text(0);
        if (number == 1) {
            error = HeaderProblem(tag, f.Number<int>(1));
            if (!error.empty()) return std::nullopt;
        } else {
            ended = tag == "end";
            if (!ended) ReadRecord(tag, f, work);
        }
        if (f.Damaged() && !ended) {
            error = "Line " + std::to_string(number) + " is damaged.";
            return std::nullopt;
        }
    }
    if (number == 0) {
        error = "It is not a file of unsaved work.";
        return std::nullopt;
    }
    if (!ended) {
        error = "The file is incomplete.";
        return std::nullopt;
    }
    return work;
}

// ---- The file -----------------------------------------------------------------------------

// Brings each written file to the disk on a thread of its own: the program never waits for
// the disk, and a power cut after the flush loses nothing that was written.
class RecoveryFile::DiskFlusher {
  public:
    DiskFlusher(std::string path, std::string folder)
        : m_path(std::move(path)), m_folder(std::move(folder)) {
        m_thread = std::jthread([this](const std::stop_token& stop) { Run(stop); });
    }
    void Request() {
        {
            const std::lock_guard lock(m_mutex);
            ++m_requested;
        }
        m_wake.notify_one();
    }
    void Wait() {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_flushed == m_requested; });
    }

  private:
    void Run(const std::stop_token& stop) {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, stop, [this] { return m_flushed != m_requested; });
            if (m_flushed == m_requested) return;  // stopped with nothing left to flush
            const uint64_t target = m_requested;
            lock.unlock();
            SyncPath(m_path, 0);
            SyncPath(m_folder, O_DIRECTORY);
            lock.lock();
            m_flushed = target;
            m_done.notify_all();
        }
    }

    const std::string m_path;
    const std::string m_folder;
    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::condition_variable_any m_done;
    uint64_t m_requested = 0;
    uint64_t m_flushed = 0;
    std::jthread m_thread;  // last: stopped and joined before the rest goes
};

RecoveryFile::RecoveryFile(std::string leagueFile)
    : m_leagueFile(std::move(leagueFile)), m_path(m_leagueFile + kSuffix) {
    const std::string folder = fs::path(m_leagueFile).parent_path().string();
    m_flusher = std::make_unique<DiskFlusher>(m_path, folder.empty() ? "." : folder);
}

RecoveryFile::~RecoveryFile() = default;

bool RecoveryFile::Write(UnsavedWork work, std::string& error) {
    work.writtenAt = static_cast<int64_t>(std::time(nullptr));
    const std::string text = Format(work);
    const fs::path target(m_path);
    // Created exclusively, owner-only, in the same folder, so that the rename is atomic.
    std::string temporary =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = WriteAll(fd, text) && ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), m_path.c_str()) != 0) {
        error = std::strerror(written && closed ? errno : writeError);
        ::unlink(temporary.c_str());
        return false;
    }
    m_flusher->Request();
    return true;
}

std::optional<UnsavedWork> RecoveryFile::Read(std::string& error) const {
    error.clear();
    std::ifstream in(m_path, std::ios::binary);
    if (!in) {
        if (Exists()) error = "It cannot be opened.";
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str(), error);
}

bool RecoveryFile::Exists() const {
    std::error_code error;
    return fs::exists(m_path, error);
}

bool RecoveryFile::IsNewerThanLeague() const {
    bool exists = false;
    bool leagueExists = false;
    const fs::file_time_type written = ChangedAt(m_path, exists);
    const fs::file_time_type saved = ChangedAt(m_leagueFile, leagueExists);
    return exists && (!leagueExists || written >= saved);
}

bool RecoveryFile::Remove() {
    const fs::path target(m_path);
    const std::string leftover = "." + target.filename().string() + ".";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(target.parent_path(), error))
        if (entry.path().filename().string().rfind(leftover, 0) == 0)
            fs::remove(entry.path(), error);
    fs::remove(target, error);
    return !Exists();
}

bool RecoveryFile::SetAside() {
    return ::rename(m_path.c_str(), SetAsidePath().c_str()) == 0;
}

void RecoveryFile::WaitForDisk() {
    m_flusher->Wait();
}

}  // namespace gr::ui
