#include "gr-makedb-demo.h"

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "GRPickUtils.h"
#include "gr-makedb-reference.h"

namespace gr::makedb {

namespace {

constexpr int32_t kChampion = 1;
constexpr int32_t kRunnerUp = 2;
constexpr int32_t kThirdPlace = 3;
constexpr int32_t kPointsLeader = 4;
constexpr int32_t kWeeklyHighScore = 5;

struct SeasonPlan {
    int32_t id = 0;
    int32_t year = 0;
    int32_t managers = 0;
    int32_t rounds = 0;
    int32_t entryFee = 0;
    int32_t regularWeeks = 0;
    int32_t totalWeeks = 0;
    bool isPast = false;
};

// A fixed seed keeps the generated league the same on every build.
using Random = std::mt19937;

// Fisher-Yates with the engine's raw output, so the order does not depend on the
// standard library's distributions.
template <class T>
void Shuffle(std::vector<T>& items, Random& random) {
    for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[random() % i]);
}

std::vector<int32_t> Ids(int32_t count) {
    std::vector<int32_t> ids(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) ids[static_cast<size_t>(i)] = i + 1;
    return ids;
}

int32_t CountRows(db::Database& database, const std::string& table) {
    db::Statement query(database, "select count(*) as n from [" + table + "]");
    query.Step();
    return query.GetLong("n");
}

std::vector<SeasonPlan> ReadPlans(const std::filesystem::path& file, int32_t currentYear) {
    std::vector<SeasonPlan> plans;
    for (const CsvRow& row : ReadCsv(file, 6)) {
        SeasonPlan plan;
        plan.id = static_cast<int32_t>(plans.size()) + 1;
        plan.year = currentYear - std::stoi(row[0]);
        plan.managers = std::stoi(row[1]);
        plan.rounds = std::stoi(row[2]);
        plan.entryFee = std::stoi(row[3]);
        plan.regularWeeks = std::stoi(row[4]);
        plan.totalWeeks = std::stoi(row[5]);
        plan.isPast = plan.year < currentYear;
        plans.push_back(plan);
    }
    return plans;
}

int32_t LoadManagers(db::Database& database, const std::filesystem::path& file) {
    db::Statement insert(database,
                         "insert into [manager info] ([id], [last name], [first name]) "
                         "values (?, ?, ?)");
    int32_t id = 0;
    for (const CsvRow& row : ReadCsv(file, 2))
        insert.Bind(1, ++id).Bind(2, row[0]).Bind(3, row[1]).Run();
    return id;
}

void InsertSeason(db::Database& database, const SeasonPlan& plan) {
    db::Statement insert(database,
                         "insert into [season info] ([id], [season year], [no of players], "
                         "[no of rounds], [money contribution], [no of regular weeks], "
                         "[total no of weeks], [is ranking locked], [is draft locked], "
                         "[is season locked], [has season started]) "
                         "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.Bind(1, plan.id).Bind(2, plan.year).Bind(3, plan.managers).Bind(4, plan.rounds);
    insert.Bind(5, plan.entryFee).Bind(6, plan.regularWeeks).Bind(7, plan.totalWeeks);
    for (int column = 8; column <= 11; ++column) insert.Bind(column, plan.isPast);
    insert.Run();
}

// Managers in draft order: element r - 1 holds the manager of rank r.
std::vector<int32_t> InsertPlaying(db::Database& database, const SeasonPlan& plan,
                                   std::vector<int32_t> managerPool, Random& random) {
    if (plan.managers > static_cast<int32_t>(managerPool.size()))
        throw std::runtime_error("Demo season " + std::to_string(plan.year) +
                                 " needs more managers than the catalogue holds");
    Shuffle(managerPool, random);
    managerPool.resize(static_cast<size_t>(plan.managers));
    db::Statement insert(database,
                         "insert into [playing info] ([season id], [manager id], [ranking], "
                         "[fee paid]) values (?, ?, ?, ?)");
    for (size_t i = 0; i < managerPool.size(); ++i) {
        insert.Bind(1, plan.id).Bind(2, managerPool[i]);
        // The current season is not ranked yet and only some fees are in.
        insert.BindIdOrNull(3, plan.isPast ? static_cast<int32_t>(i) + 1 : 0);
        insert.Bind(4, plan.isPast || i % 2 == 0).Run();
    }
    return managerPool;
}

// Splits the pot: 45% champion, 20% runner-up, 10% third, 10% points leader and the
// rest over the weekly high scores; whatever does not divide goes to the champion.
void InsertMoneyDistribution(db::Database& database, const SeasonPlan& plan) {
    const int32_t pot = plan.managers * plan.entryFee;
    const int32_t runnerUp = pot * 20 / 100;
    const int32_t third = pot / 10;
    const int32_t leader = pot / 10;
    const int32_t weekly = (pot * 15 / 100) / plan.regularWeeks;
    const int32_t champion = pot - runnerUp - third - leader - weekly * plan.regularWeeks;
    db::Statement insert(database,
                         "insert into [money distribution info] ([season id], [prize id], "
                         "[money]) values (?, ?, ?)");
    const std::pair<int32_t, int32_t> amounts[] = {{kChampion, champion},
                                                   {kRunnerUp, runnerUp},
                                                   {kThirdPlace, third},
                                                   {kPointsLeader, leader},
                                                   {kWeeklyHighScore, weekly}};
    for (const auto& [prize, money] : amounts)
        insert.Bind(1, plan.id).Bind(2, prize).Bind(3, money).Run();
}

// A full snake draft: every manager takes one team defence in the last round and
// players in all others; nothing is picked twice.
void InsertDraft(db::Database& database, const SeasonPlan& plan,
                 const std::vector<int32_t>& managersByRank, int32_t playerCount, int32_t teamCount,
                 Random& random) {
    std::vector<int32_t> players = Ids(playerCount);
    std::vector<int32_t> teams = Ids(teamCount);
    Shuffle(players, random);
    Shuffle(teams, random);
    size_t nextPlayer = 0;
    size_t nextTeam = 0;
    db::Statement insert(database,
                         "insert into [draft info] ([season id], [draft no], [manager id], "
                         "[player id], [team id]) values (?, ?, ?, ?, ?)");
    for (int32_t pick = 1; pick <= plan.managers * plan.rounds; ++pick) {
        const DraftSlot slot = GetDraftSlot(pick, plan.managers).value();
        const bool takesTeam = slot.round == plan.rounds;
        if ((takesTeam && nextTeam >= teams.size()) || (!takesTeam && nextPlayer >= players.size()))
            throw std::runtime_error("Not enough players or teams for the demo draft");
        insert.Bind(1, plan.id).Bind(2, pick);
        insert.Bind(3, managersByRank[static_cast<size_t>(slot.managerRank - 1)]);
        insert.BindIdOrNull(4, takesTeam ? 0 : players[nextPlayer++]);
        insert.BindIdOrNull(5, takesTeam ? teams[nextTeam++] : 0).Run();
    }
}

void InsertWinnings(db::Database& database, const SeasonPlan& plan, std::vector<int32_t> managers,
                    int32_t& nextWinningId, Random& random) {
    Shuffle(managers, random);
    db::Statement insert(database,
                         "insert into [winning info] ([id], [season id], [manager id], "
                         "[prize id], [week #]) values (?, ?, ?, ?, ?)");
    const int32_t seasonPrizes[] = {kChampion, kRunnerUp, kThirdPlace, kPointsLeader};
    for (size_t i = 0; i < std::size(seasonPrizes); ++i) {
        insert.Bind(1, nextWinningId++).Bind(2, plan.id).Bind(3, managers[i]);
        insert.Bind(4, seasonPrizes[i]).BindNull(5).Run();
    }
    for (int32_t week = 1; week <= plan.regularWeeks; ++week) {
        insert.Bind(1, nextWinningId++).Bind(2, plan.id);
        insert.Bind(3, managers[random() % managers.size()]);
        insert.Bind(4, kWeeklyHighScore).Bind(5, week).Run();
    }
}

void SetCurrentSeason(db::Database& database, int32_t seasonId) {
    db::Statement update(database, "update [settings] set [current season id] = ? where [ID] = 1");
    update.Bind(1, seasonId).Run();
}

}  // namespace

void LoadDemoLeague(db::Database& database, const std::filesystem::path& dataDir,
                    int32_t currentYear) {
    Random random(20231);
    const std::vector<int32_t> managerPool =
        Ids(LoadManagers(database, dataDir / "demo-managers.csv"));
    const int32_t playerCount = CountRows(database, "player info");
    const int32_t teamCount = CountRows(database, "team info");
    int32_t nextWinningId = 1;
    int32_t currentSeasonId = 0;
    for (const SeasonPlan& plan : ReadPlans(dataDir / "demo-seasons.csv", currentYear)) {
        InsertSeason(database, plan);
        const auto managersByRank = InsertPlaying(database, plan, managerPool, random);
        InsertMoneyDistribution(database, plan);
        if (plan.isPast) {
            InsertDraft(database, plan, managersByRank, playerCount, teamCount, random);
            InsertWinnings(database, plan, managersByRank, nextWinningId, random);
        } else {
            currentSeasonId = plan.id;
        }
    }
    if (currentSeasonId == 0) throw std::runtime_error("The demo league has no current season");
    SetCurrentSeason(database, currentSeasonId);
}

}  // namespace gr::makedb
