// A league database of our own in a temporary folder, the service pointed at it, and the
// error reports the service makes, captured.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DataService.h"
#include "SqlDatabase.h"

namespace gr::testing {

// Seeds rows with bound values; each helper writes one row.
class LeagueWriter {
  public:
    explicit LeagueWriter(db::Database& db) : m_db(db) {}
    void Team(int32_t id, const std::string& name, const std::string& nickname,
              const std::string& abbr, int32_t positionId);
    void Player(int32_t id, const std::string& first, const std::string& last, int32_t positionId,
                int32_t teamId, bool retired = false);
    void Manager(int32_t id, const std::string& first, const std::string& last);
    void Season(int32_t id, int32_t year, int32_t managers, int32_t rounds, int32_t fee = 0);
    void Playing(int32_t seasonId, int32_t managerId, int32_t ranking, bool feePaid = false);
    void Money(int32_t seasonId, int32_t prizeId, int32_t money);
    void Draft(int32_t seasonId, int32_t draftNo, int32_t managerId, int32_t playerId,
               int32_t teamId);
    void Winning(int32_t id, int32_t seasonId, int32_t managerId, int32_t prizeId, int32_t week);
    void CurrentSeason(int32_t seasonId);

  private:
    db::Database& m_db;
};

class LeagueFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The league file of the type the tests use (DBTest).
    std::string LeaguePath() const;
    // Creates the league file with the schema and the reference data, then lets seed add
    // rows. Teams 1..4 (position 6, team 4 without one) and players 1..6 are always there.
    void CreateLeague(const std::function<void(LeagueWriter&)>& seed = {});
    // A new service, initialised on the league file; fails the test when it cannot open.
    ComPtr<IDataService> StartService();
    // Runs read on a connection of the test's own while the service lets go of the file.
    void Inspect(const ComPtr<IDataService>& service,
                 const std::function<void(db::Database&)>& read);
    // Opens the league file directly (the service must not hold it).
    std::unique_ptr<db::Database> OpenLeague() const;
    // One value of a query with bound integer parameters (null reads as -1).
    static int64_t Scalar(db::Database& db, const std::string& sql,
                          const std::vector<int32_t>& params = {});

    std::string m_folder;
    std::vector<std::string> m_reports;  // "title|text" of every error report
};

}  // namespace gr::testing
