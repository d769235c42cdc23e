#include "CrashLeague.h"

#include "BenchLeagueBuilder.h"
#include "GRServiceUtils.h"

namespace gr::test {

namespace {

class Builder : public bench::LeagueBuilder {
  public:
    explicit Builder(db::Database& db)
        : bench::LeagueBuilder(db, {.seasons = 3,
                                    .managers = 14,
                                    .managerPool = kCrashManagerPool,
                                    .rounds = 16,
                                    .prizes = 8,
                                    .winnings = 60,
                                    .players = 600,
                                    .firstYear = 2022}) {}

  private:
    void BindPlayer(db::Statement& insert, int32_t id) override {
        insert.Bind(2, "First" + std::to_string(id))
            .Bind(3, "Last" + std::to_string(id))
            .Bind(4, id % 5 + 1)
            .Bind(5, id % 32 + 1)
            .Bind(6, false);
    }
    bool FeePaid(int32_t slot) const override { return slot % 2 == 0; }
    void AddDraft(int32_t season) override {
        db::Statement draft(m_db,
                            "insert into [draft info] ([season id], [draft no], [manager id], "
                            "[player id]) values (?1, ?2, ?3, ?4)");
        for (int32_t pick = 1; pick <= kCrashPicks; ++pick)
            draft.Bind(1, season)
                .Bind(2, pick)
                .Bind(3, ManagerOf(season, (pick - 1) % 14))
                .Bind(4, pick)
                .Run();
    }
    void AddWinnings(int32_t season) override {
        db::Statement win(m_db,
                          "insert into [winning info] ([id], [season id], [manager id], "
                          "[prize id], [week #]) values (?1, ?2, ?3, ?4, ?5)");
        for (int32_t w = 1; w <= 60; ++w)
            win.Bind(1, (season - 1) * 60 + w)
                .Bind(2, season)
                .Bind(3, ManagerOf(season, w % 14))
                .Bind(4, 5)
                .Bind(5, w % 17 + 1)
                .Run();
    }
};

}  // namespace

void BuildCrashLeague(const std::string& path) {
    db::Database league(path, GetDatabaseKey());
    Builder(league).Build();
}

}  // namespace gr::test
