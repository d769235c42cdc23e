// The recovery file: the organiser's unsaved work of one league file, kept in a small text file
// beside it so that a crash, a killed program or a power cut costs at most what was being
// typed. Written whole or not at all (a private temporary file renamed into place), readable
// by its owner only, removed once the work is saved or discarded. Free of Qt.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gr::ui {

// A pick of the draft board that the league does not hold yet.
struct RecoveredPick {
    int32_t pick = 0;  // overall pick number
    int32_t type = 0;  // PickableTypesEnum: 0 emptied, 1 player, 2 team
    int32_t id = 0;
    std::string name;  // as the board showed it
    // What the league held for this pick when the work on it began.
    int32_t heldType = 0;
    int32_t heldId = 0;
};

// A winnings row not stored yet (storedId 0), or a stored one deleted (its id).
struct RecoveredWinning {
    int32_t storedId = 0;
    int32_t managerId = 0;  // 0: none chosen yet
    int32_t prizeId = 0;
    int32_t week = 0;
    std::string managerName;
    std::string prizeDesc;
};

// The season window's edits: its figures as typed, its locks, and the managers and prizes the
// season is to have.
struct SeasonEdits {
    struct Manager {
        int32_t id = 0;
        std::string firstName;
        std::string lastName;
        bool feePaid = false;
    };
    struct Prize {
        int32_t id = 0;
        std::string desc;
        int32_t amount = 0;
    };
    // No of managers, rounds, money contribution, regular weeks, total weeks.
    std::vector<std::string> figures;
    // Ranking locked, draft locked, season locked, season started.
    std::vector<bool> locks;
    std::vector<Manager> managers;
    std::vector<Prize> prizes;
};

// The unsaved work of the one window that holds it.
struct UnsavedWork {
    enum class Kind { None, DraftPicks, Winnings, Season };

    int32_t seasonYear = 0;
    int64_t writtenAt = 0;  // seconds since the epoch; set by Write
    std::vector<RecoveredPick> picks;
    std::vector<RecoveredWinning> winnings;
    std::optional<SeasonEdits> season;

    Kind WhatKind() const;
    bool Empty() const { return WhatKind() == Kind::None; }
};

// "5 draft picks of season 2026", "1 winnings row of season 2026", "the edits of season 2026".
std::string DescribeWork(const UnsavedWork& work);
// The local date and time, "2026-12-08 21:14".
std::string DescribeTime(int64_t secondsSinceEpoch);

class RecoveryFile {
  public:
    static constexpr int kVersion = 1;

    explicit RecoveryFile(std::string leagueFile);
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // "<league file>.unsaved", beside the league file.
    const std::string& Path() const { return m_path; }
    const std::string& LeagueFile() const { return m_leagueFile; }

    // Replaces the file with this work, stamped with the time now. False with the reason.
    bool Write(UnsavedWork work, std::string& error);
    // The work the file holds; none when there is no file. A file that cannot be read (or was
    // written by a later version) gives none and the reason in error.
    std::optional<UnsavedWork> Read(std::string& error) const;
    bool Exists() const;
    // Written after the league file was last changed: the league does not hold this work.
    bool IsNewerThanLeague() const;
    // Removes the file (and temporary files a killed write left); true when none is left.
    bool Remove();
    // Renames the file to SetAsidePath(), replacing a file set aside before.
    bool SetAside();
    std::string SetAsidePath() const { return m_path + ".set-aside"; }
    // Waits until every written file has reached the disk.
    void WaitForDisk();

    // The text of the file, and back; exposed for the tests of the format.
    static std::string Format(const UnsavedWork& work);
    static std::optional<UnsavedWork> Parse(const std::string& text, std::string& error);

  private:
    class DiskFlusher;

    std::string m_leagueFile;
    std::string m_path;
    std::unique_ptr<DiskFlusher> m_flusher;
};

}  // namespace gr::ui
