// The league as the rows of its tables, as plain values: what gridora-admin and the program's
// import read, check and write through ILeagueRecords. A link column that points nowhere
// (a null in the table) is 0 here, as the reading conventions have it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gr {

struct PositionRow {
    int32_t id = 0;
    std::string abbr;
    std::string desc;
};

struct TeamRow {
    int32_t id = 0;
    std::string name;
    std::string nickname;
    std::string abbr;
    int32_t positionId = 0;
};

struct PlayerRow {
    int32_t id = 0;
    std::string firstName;
    std::string lastName;
    int32_t positionId = 0;
    int32_t teamId = 0;
    bool retired = false;
};

struct ManagerRow {
    int32_t id = 0;
    std::string firstName;
    std::string lastName;
};

struct PrizeTypeRow {
    int32_t id = 0;
    std::string name;
};

struct PrizeRow {
    int32_t id = 0;
    std::string desc;
    int32_t typeId = 0;
};

struct SeasonRow {
    int32_t id = 0;
    int32_t year = 0;
    int32_t managers = 0;
    int32_t rounds = 0;
    int32_t fee = 0;  // whole currency units
    int32_t regularWeeks = 0;
    int32_t totalWeeks = 0;
    bool rankingLocked = false;
    bool draftLocked = false;
    bool seasonLocked = false;
    bool started = false;
};

struct PlayingRow {
    int32_t seasonId = 0;
    int32_t managerId = 0;
    int32_t ranking = 0;  // 0: unranked
    bool feePaid = false;
};

struct MoneyRow {
    int32_t seasonId = 0;
    int32_t prizeId = 0;
    int32_t money = 0;  // whole currency units
};

struct DraftRow {
    int32_t seasonId = 0;
    int32_t draftNo = 0;
    int32_t managerId = 0;
    int32_t playerId = 0;
    int32_t teamId = 0;
};

struct WinningRow {
    int32_t id = 0;
    int32_t seasonId = 0;
    int32_t managerId = 0;
    int32_t prizeId = 0;
    int32_t week = 0;  // 0: not a weekly prize
};

// One named league setting.
struct SettingRow {
    std::string name;
    std::string value;
};

// Rows of every table. Read back, each list is in a fixed order: the catalogue and the seasons
// by id; a season's managers and prizes in the order the table holds them (the order the
// program lists them in), its picks by number, the winnings by id; the settings by name.
struct LeagueRows {
    std::vector<PositionRow> positions;
    std::vector<TeamRow> teams;
    std::vector<PlayerRow> players;
    std::vector<ManagerRow> managers;
    std::vector<PrizeTypeRow> prizeTypes;
    std::vector<PrizeRow> prizes;
    std::vector<SeasonRow> seasons;
    std::vector<PlayingRow> playing;
    std::vector<MoneyRow> money;
    std::vector<DraftRow> drafts;
    std::vector<WinningRow> winnings;
    int32_t currentSeasonId = 0;  // 0: none
    std::vector<SettingRow> settings;
};

}  // namespace gr
