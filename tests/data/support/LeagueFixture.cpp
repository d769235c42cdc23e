#include "LeagueFixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "GRServiceUtils.h"
#include "ServiceHost.h"

namespace gr::testing {

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

// ---- LeagueWriter ------------------------------------------------------------------------

void LeagueWriter::Team(int32_t id, const std::string& name, const std::string& nickname,
                        const std::string& abbr, int32_t positionId) {
    db::Statement s(m_db,
                    "insert into [team info] ([id], [name], [nickname], [abbr], [position id]) "
                    "values (?1, ?2, ?3, ?4, ?5)");
    s.Bind(1, id).Bind(2, name).Bind(3, nickname).Bind(4, abbr).BindIdOrNull(5, positionId);
    s.Run();
}

void LeagueWriter::Player(int32_t id, const std::string& first, const std::string& last,
                          int32_t positionId, int32_t teamId, bool retired) {
    db::Statement s(m_db,
                    "insert into [player info] ([id], [first name], [last name], [position id], "
                    "[team id], [is retired]) values (?1, ?2, ?3, ?4, ?5, ?6)");
    s.Bind(1, id).Bind(2, first).Bind(3, last).BindIdOrNull(4, positionId).BindIdOrNull(5, teamId);
    s.Bind(6, retired);
    s.Run();
}

void LeagueWriter::Manager(int32_t id, const std::string& first, const std::string& last) {
    db::Statement s(
        m_db, "insert into [manager info] ([id], [first name], [last name]) values (?1, ?2, ?3)");
    s.Bind(1, id).Bind(2, first).Bind(3, last);
    s.Run();
}

void LeagueWriter::Season(int32_t id, int32_t year, int32_t managers, int32_t rounds, int32_t fee) {
    db::Statement s(m_db,
                    "insert into [season info] ([id], [season year], [no of players], "
                    "[no of rounds], [money contribution], [no of regular weeks], "
                    "[total no of weeks]) values (?1, ?2, ?3, ?4, ?5, 14, 17)");
    s.Bind(1, id).Bind(2, year).Bind(3, managers).Bind(4, rounds).Bind(5, fee);
    s.Run();
}

void LeagueWriter::Playing(int32_t seasonId, int32_t managerId, int32_t ranking, bool feePaid) {
    db::Statement s(m_db,
                    "insert into [playing info] ([season id], [manager id], [ranking], [fee paid]) "
                    "values (?1, ?2, ?3, ?4)");
    s.Bind(1, seasonId).Bind(2, managerId).BindIdOrNull(3, ranking).Bind(4, feePaid);
    s.Run();
}

void LeagueWriter::Money(int32_t seasonId, int32_t prizeId, int32_t money) {
    db::Statement s(m_db,
                    "insert into [money distribution info] ([season id], [prize id], [money]) "
                    "values (?1, ?2, ?3)");
    s.Bind(1, seasonId).Bind(2, prizeId).Bind(3, money);
    s.Run();
}

void LeagueWriter::Draft(int32_t seasonId, int32_t draftNo, int32_t managerId, int32_t playerId,
                         int32_t teamId) {
    db::Statement s(m_db,
                    "insert into [draft info] ([season id], [draft no], [manager id], [player id], "
                    "[team id]) values (?1, ?2, ?3, ?4, ?5)");
    s.Bind(1, seasonId).Bind(2, draftNo).BindIdOrNull(3, managerId).BindIdOrNull(4, playerId);
    s.BindIdOrNull(5, teamId);
    s.Run();
}

void LeagueWriter::Winning(int32_t id, int32_t seasonId, int32_t managerId, int32_t prizeId,
                           int32_t week) {
    db::Statement s(m_db,
                    "insert into [winning info] ([id], [season id], [manager id], [prize id], "
                    "[week #]) values (?1, ?2, ?3, ?4, ?5)");
    s.Bind(1, id).Bind(2, seasonId).Bind(3, managerId).Bind(4, prizeId).BindIdOrNull(5, week);
    s.Run();
}

void LeagueWriter::CurrentSeason(int32_t seasonId) {
    db::Statement s(m_db, "update [settings] set [current season id] = ?1 where [ID] = 1");
    s.BindIdOrNull(1, seasonId);
    s.Run();
}

// ---- LeagueFixture -----------------------------------------------------------------------

void LeagueFixture::SetUp() {
    char pattern[] = "/tmp/gridora-data-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_folder = pattern;
    host::SetDatabaseFolderOverride(m_folder);
    host::SetErrorReporter([this](const std::string& title, const std::string& text) {
        m_reports.push_back(title + "|" + text);
    });
}

void LeagueFixture::TearDown() {
    if (HasFailure())
        for (const std::string& report : m_reports) ADD_FAILURE() << "reported: " << report;
    host::SetErrorReporter({});
    host::SetDatabaseFolderOverride({});
    host::SetTodayProvider({});
    std::error_code ec;
    std::filesystem::remove_all(m_folder, ec);
}

std::string LeagueFixture::LeaguePath() const {
    return m_folder + "/Gridora - Test.mdb";
}

void LeagueFixture::CreateLeague(const std::function<void(LeagueWriter&)>& seed) {
    auto db = db::Database::Create(LeaguePath(), GetDatabaseKey());
    db->Execute(ReadFile(GRIDORA_LEAGUE_SCHEMA));
    db->Execute(ReadFile(GRIDORA_REFERENCE_DATA));
    db::Transaction transaction(*db);
    LeagueWriter writer(*db);
    writer.Team(1, "Buffalo", "Bills", "BUF", 6);
    writer.Team(2, "Miami", "Dolphins", "MIA", 6);
    writer.Team(3, "Dallas", "Cowboys", "DAL", 6);
    writer.Team(4, "Nowhere", "Ghosts", "NOW", 0);
    writer.Player(1, "Josh", "Allen", 1, 1);
    writer.Player(2, "Tua", "Tagovailoa", 1, 2);
    writer.Player(3, "Tyreek", "Hill", 3, 2);
    writer.Player(4, "CeeDee", "Lamb", 3, 3);
    writer.Player(5, "Old", "Timer", 2, 0, true);
    writer.Player(6, "Stefon", "Diggs", 3, 1);
    if (seed) seed(writer);
    transaction.Commit();
}

ComPtr<IDataService> LeagueFixture::StartService() {
    ComPtr<IDataService> service = MakeCom<data::DataService>();
    std::string message;
    EXPECT_TRUE(service->Initialize(DBTest, message)) << message;
    return service;
}

void LeagueFixture::Inspect(const ComPtr<IDataService>& service,
                            const std::function<void(db::Database&)>& read) {
    service->CloseDatabase();
    {
        auto db = OpenLeague();
        read(*db);
    }
    std::string message;
    ASSERT_TRUE(service->OpenDatabase(false, message)) << message;
}

std::unique_ptr<db::Database> LeagueFixture::OpenLeague() const {
    return std::make_unique<db::Database>(LeaguePath(), GetDatabaseKey());
}

int64_t LeagueFixture::Scalar(db::Database& db, const std::string& sql,
                              const std::vector<int32_t>& params) {
    db::Statement s(db, sql);
    for (size_t i = 0; i < params.size(); ++i) s.Bind(static_cast<int>(i + 1), params[i]);
    if (!s.Step() || s.IsNull(0)) return -1;
    return s.GetLong(0);
}

}  // namespace gr::testing
