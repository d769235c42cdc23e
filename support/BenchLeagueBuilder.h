// Fills a blank league for the data service benchmarks and the crash tests: the shape every
// such league shares (eight prizes, a pool of managers, seasons with their figures, managers
// playing and money), with the catalogue, the draft and the winnings left to each user.
#pragma once

#include <cstdint>
#include <string>

#include "SqlDatabase.h"

namespace gr::bench {

struct LeagueSize {
    int32_t seasons = 30;
    int32_t managers = 14;
    int32_t managerPool = 20;
    int32_t rounds = 16;
    int32_t prizes = 8;
    int32_t winnings = 60;
    int32_t players = 0;
    int32_t firstYear = 1995;
};

class LeagueBuilder {
  public:
    LeagueBuilder(gr::db::Database& db, const LeagueSize& size) : m_db(db), m_size(size) {}
    virtual ~LeagueBuilder() = default;
    LeagueBuilder(const LeagueBuilder&) = delete;
    LeagueBuilder& operator=(const LeagueBuilder&) = delete;

    // Everything in one transaction; the last season is the current one.
    void Build() {
        gr::db::Transaction transaction(m_db);
        AddPrizes();
        AddPlayers();
        AddManagers();
        for (int32_t season = 1; season <= m_size.seasons; ++season) {
            AddSeason(season);
            AddDraft(season);
            AddWinnings(season);
        }
        gr::db::Statement current(m_db,
                                  "update [settings] set [current season id] = ?1 where [ID] = 1");
        current.Bind(1, m_size.seasons).Run();
        transaction.Commit();
    }

  protected:
    // Binds the name, position, team and retired columns (?2 to ?6) of player id.
    virtual void BindPlayer(gr::db::Statement& insert, int32_t id) = 0;
    virtual void AddDraft(int32_t season) = 0;
    virtual void AddWinnings(int32_t season) = 0;
    virtual bool FeePaid(int32_t slot) const = 0;

    // The season's managers: some of the pool, shifting from season to season.
    int32_t ManagerOf(int32_t season, int32_t slot) const {
        return (season + slot) % m_size.managerPool + 1;
    }

    gr::db::Database& m_db;
    const LeagueSize m_size;

  private:
    // The blank league has prizes 1 to 5; three more make eight.
    void AddPrizes() {
        gr::db::Statement insert(
            m_db, "insert into [prize info] ([id], [desc], [type id]) values (?1, ?2, ?3)");
        insert.Bind(1, 6).Bind(2, "Most Touchdowns").Bind(3, 1).Run();
        insert.Bind(1, 7).Bind(2, "Weekly Low Score").Bind(3, 2).Run();
        insert.Bind(1, 8).Bind(2, "Weekly Biggest Win").Bind(3, 2).Run();
    }

    void AddPlayers() {
        gr::db::Statement insert(
            m_db,
            "insert into [player info] ([id], [first name], [last name], "
            "[position id], [team id], [is retired]) values (?1, ?2, ?3, ?4, ?5, ?6)");
        for (int32_t id = 1; id <= m_size.players; ++id) {
            insert.Bind(1, id);
            BindPlayer(insert, id);
            insert.Run();
        }
    }

    void AddManagers() {
        gr::db::Statement insert(
            m_db,
            "insert into [manager info] ([id], [first name], [last name]) values (?1, ?2, ?3)");
        for (int32_t id = 1; id <= m_size.managerPool; ++id)
            insert.Bind(1, id).Bind(2, "Manager").Bind(3, "Number" + std::to_string(id)).Run();
    }

    // The season row (all but the last season locked), its managers in ranking order and
    // the money of every prize.
    void AddSeason(int32_t season) {
        gr::db::Statement row(m_db,
                              "insert into [season info] ([id], [season year], [no of players], "
                              "[no of rounds], [money contribution], [no of regular weeks], "
                              "[total no of weeks], [is ranking locked], [is draft locked], "
                              "[is season locked], [has season started]) "
                              "values (?1, ?2, ?3, ?4, 100, 14, 17, 1, 1, ?5, 1)");
        row.Bind(1, season)
            .Bind(2, m_size.firstYear + season - 1)
            .Bind(3, m_size.managers)
            .Bind(4, m_size.rounds)
            .Bind(5, season < m_size.seasons)
            .Run();

        gr::db::Statement playing(m_db,
                                  "insert into [playing info] ([season id], [manager id], "
                                  "[ranking], [fee paid]) values (?1, ?2, ?3, ?4)");
        for (int32_t slot = 0; slot < m_size.managers; ++slot)
            playing.Bind(1, season)
                .Bind(2, ManagerOf(season, slot))
                .Bind(3, slot + 1)
                .Bind(4, FeePaid(slot))
                .Run();

        gr::db::Statement money(
            m_db,
            "insert into [money distribution info] ([season id], [prize id], [money]) "
            "values (?1, ?2, ?3)");
        for (int32_t prize = 1; prize <= m_size.prizes; ++prize)
            money.Bind(1, season).Bind(2, prize).Bind(3, 50 * prize).Run();
    }
};

}  // namespace gr::bench
