// The data service's life: opening, bad files, settings, current season, reference lists.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "ComponentFactory.h"
#include "GRServiceUtils.h"
#include "LeagueFixture.h"
#include "ServiceHost.h"

using namespace gr;
using gr::testing::LeagueFixture;
using gr::testing::LeagueWriter;

namespace {

class DataLifecycle : public LeagueFixture {};

void SetToday(int y, unsigned m, unsigned d) {
    host::SetTodayProvider([=] {
        return std::chrono::year_month_day{std::chrono::year{y}, std::chrono::month{m},
                                           std::chrono::day{d}};
    });
}

}  // namespace

TEST_F(DataLifecycle, CreatedByClassName) {
    std::string error;
    auto service = CreateObjectAs<IDataService>("GRDataSrvc.DataService", error);
    ASSERT_TRUE(service) << error;
    EXPECT_EQ(service->get_CurrentSeasonID(), 0);
    EXPECT_FALSE(CreateObjectAs<IDataService>("GRDataSrvc.NoSuchClass", error));
}

TEST_F(DataLifecycle, MissingFileIsReportedThroughTheMessage) {
    auto service = MakeCom<data::DataService>();
    std::string message;
    EXPECT_FALSE(service->Initialize(DBTest, message));
    EXPECT_EQ(message, "Database file: " + LeaguePath() + " is missing.");
    EXPECT_TRUE(m_reports.empty()) << "Initialize shows no box";
}

TEST_F(DataLifecycle, FileWithAnotherKeyIsRefused) {
    {
        auto other = db::Database::Create(LeaguePath(), "not-the-league-key");
        other->Execute("create table t (x)");
    }
    auto service = MakeCom<data::DataService>();
    std::string message;
    EXPECT_FALSE(service->Initialize(DBTest, message));
    EXPECT_EQ(message.rfind("Error in opening database.\n", 0), 0u) << message;
    EXPECT_NE(message.find("not a database"), std::string::npos) << message;
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(DataLifecycle, FileThatIsNotADatabaseIsRefused) {
    std::ofstream(LeaguePath()) << "name,year\nthis is a spreadsheet export, not a league\n";
    auto service = MakeCom<data::DataService>();
    std::string message;
    EXPECT_FALSE(service->Initialize(DBTest, message));
    EXPECT_EQ(message.rfind("Error in opening database.", 0), 0u) << message;
    // Operations after a failed start fail through their traps instead of crashing.
    EXPECT_FALSE(service->GetTeams());
    ASSERT_FALSE(m_reports.empty());
    EXPECT_EQ(m_reports.back(),
              "Gridora Service|Error in loading teams.\nThe database is not open.");
}

TEST_F(DataLifecycle, TruncatedDatabaseGivesAClearMessageAndNoCrash) {
    CreateLeague([](LeagueWriter& w) {
        for (int i = 100; i < 400; ++i) w.Player(i, "Filler", "Player" + std::to_string(i), 2, 1);
        w.Manager(1, "Ann", "Lee");
        w.Season(1, 2023, 1, 1);
        w.Playing(1, 1, 1);
        w.CurrentSeason(1);
    });
    std::filesystem::resize_file(LeaguePath(), 4096);
    auto service = MakeCom<data::DataService>();
    std::string message;
    const bool opened = service->Initialize(DBTest, message);
    if (opened) {
        EXPECT_FALSE(service->GetCurrentSeasonInfo() && service->GetTeams());
        EXPECT_FALSE(m_reports.empty()) << "a damaged file must be reported";
    } else {
        EXPECT_FALSE(message.empty());
    }
}

TEST_F(DataLifecycle, FileHeldByAnotherProcessIsRefusedWithoutHarm) {
    CreateLeague([](LeagueWriter& w) { w.Manager(1, "Ann", "Lee"); });
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        char c = 0;
        {
            db::Database held(LeaguePath(), GetDatabaseKey());
            c = 1;
            (void)!write(ready[1], &c, 1);
            (void)!read(release[0], &c, 1);
        }
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    auto service = MakeCom<data::DataService>();
    std::string message;
    EXPECT_FALSE(service->Initialize(DBTest, message));
    EXPECT_NE(message.find("locked"), std::string::npos) << message;
    (void)!write(release[1], &c, 1);
    int status = 0;
    waitpid(child, &status, 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
    // Once the other process lets go, the same service opens the untouched file.
    message.clear();
    EXPECT_TRUE(service->OpenDatabase(false, message)) << message;
    auto db = service->GetTeams();
    ASSERT_TRUE(db);
    EXPECT_EQ(db->Count(), 4);
}

TEST_F(DataLifecycle, ReadOnlyFolderReportsSavesAndWritesNothing) {
    CreateLeague([](LeagueWriter& w) {
        w.Season(1, 2023, 4, 2, 50);
        w.CurrentSeason(1);
    });
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    // Immutable even for root; a plain read-only mode where that is not allowed.
    const bool immutable = std::system(("chattr +i '" + m_folder + "' 2>/dev/null").c_str()) == 0;
    if (!immutable)
        std::filesystem::permissions(
            m_folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    struct Restore {
        std::string folder;
        bool immutable;
        ~Restore() {
            if (immutable) (void)std::system(("chattr -i '" + folder + "'").c_str());
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        }
    } restore{m_folder, immutable};
    if (!immutable && geteuid() == 0) GTEST_SKIP() << "cannot make a folder read-only for root";

    season->let_MoneyContribution(75);
    EXPECT_FALSE(service->SaveCurrentSeasonInfo());
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].rfind("Gridora Service|Error in saving season info.\n", 0), 0u)
        << m_reports[0];
    service = nullptr;
    auto db = OpenLeague();
    EXPECT_EQ(Scalar(*db, "select [money contribution] from [season info] where id = 1"), 50);
}

TEST_F(DataLifecycle, StoredCurrentSeasonBecomesCurrentAndIsRewrittenOnFirstSave) {
    CreateLeague([](LeagueWriter& w) {
        w.Season(3, 2022, 2, 2);
        w.CurrentSeason(3);
    });
    auto service = StartService();
    EXPECT_EQ(service->get_CurrentSeasonID(), 3);
    EXPECT_EQ(service->get_CurrentSeasonYear(), 0) << "the year is known only once assigned";
    EXPECT_EQ(service->GetSettings()->get_CurrentSeason(), 3);
    EXPECT_TRUE(service->SaveSettings());
    EXPECT_TRUE(m_reports.empty());
    ASSERT_TRUE(service->GetCurrentSeasonInfo());
    EXPECT_EQ(service->GetCurrentSeasonInfo()->get_Year(), 2022);
}

TEST_F(DataLifecycle, EmptySettingsTableWritesNothingUntilASeasonIsAssigned) {
    CreateLeague([](LeagueWriter& w) { w.Season(1, 2021, 2, 2); });
    {
        auto db = OpenLeague();
        db->Execute("delete from [settings]");
    }
    auto service = StartService();
    auto settings = service->GetSettings();
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->get_CurrentSeason(), 0);
    EXPECT_EQ(service->get_CurrentSeasonID(), 0);
    EXPECT_TRUE(service->SaveSettings());
    Inspect(service, [&](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select count(*) from [settings]"), 0) << "nothing to write yet";
    });
    settings->let_CurrentSeason(1);
    EXPECT_EQ(service->get_CurrentSeasonID(), 1) << "the service follows its settings";
    EXPECT_TRUE(service->SaveSettings());
    Inspect(service, [&](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select [current season id] from [settings] where [ID] = 1"), 1);
    });
}

TEST_F(DataLifecycle, AssigningAYearWithoutSeasonCreatesItAndMakesItCurrent) {
    CreateLeague([](LeagueWriter& w) { w.Season(4, 2020, 2, 2); });
    auto service = StartService();
    service->let_CurrentSeasonYear(2031);
    EXPECT_EQ(service->get_CurrentSeasonID(), 5) << "highest id + 1";
    EXPECT_EQ(service->get_CurrentSeasonYear(), 2031);
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    EXPECT_EQ(season->get_Year(), 2031);
    EXPECT_EQ(season->get_ID(), 5);
    Inspect(service, [&](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select [season year] from [season info] where id = 5"), 2031);
        EXPECT_EQ(Scalar(db, "select [current season id] from [settings] where [ID] = 1"), 5);
    });
    // An existing year is found, not created again.
    service->let_CurrentSeasonYear(2020);
    EXPECT_EQ(service->get_CurrentSeasonID(), 4);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(DataLifecycle, NoCurrentSeasonMakesThisYearsSeason) {
    SetToday(2027, 9, 1);
    CreateLeague();
    auto service = StartService();
    EXPECT_EQ(service->get_CurrentSeasonID(), 0);
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    EXPECT_EQ(season->get_Year(), 2027);
    EXPECT_EQ(season->get_ID(), 1) << "the first season of an empty table has id 1";
    EXPECT_EQ(service->get_CurrentSeasonID(), 1);
    EXPECT_TRUE(IsSameObject(service->GetCurrentSeasonInfo(), season))
        << "every caller works on the same season";
}

TEST_F(DataLifecycle, CurrentSeasonMissingFromTheFileFallsBackToThisYearsSeason) {
    SetToday(2028, 2, 1);
    CreateLeague([](LeagueWriter& w) {
        w.Season(1, 2027, 2, 2);
        w.Season(2, 2028, 2, 2);
        w.CurrentSeason(9);
    });
    auto service = StartService();
    EXPECT_EQ(service->get_CurrentSeasonID(), 9);
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    EXPECT_EQ(season->get_ID(), 2) << "this year's season, found rather than made again";
    EXPECT_EQ(service->get_CurrentSeasonID(), 2);
    Inspect(service, [&](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select [current season id] from [settings] where [ID] = 1"), 2);
        EXPECT_EQ(Scalar(db, "select count(*) from [season info]"), 2);
    });
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(DataLifecycle, NoCurrentSeasonAndNoConnectionFailsWithoutLooping) {
    CreateLeague();
    auto service = StartService();
    service->CloseDatabase();
    EXPECT_FALSE(service->GetCurrentSeasonInfo());
    EXPECT_FALSE(m_reports.empty());
}

TEST_F(DataLifecycle, ReferenceListsAreReadOnceAndKeyedById) {
    CreateLeague();
    auto service = StartService();
    auto positions = service->GetPlayerPositions();
    ASSERT_TRUE(positions);
    ASSERT_EQ(positions->Count(), 6);
    EXPECT_EQ(positions->ItemAs<IPositionInfo>(1)->get_Abbr(), "QB");
    EXPECT_EQ(positions->ItemAs<IPositionInfo>("K6")->get_Abbr(), "DEF");
    auto teams = service->GetTeams();
    ASSERT_TRUE(teams);
    ASSERT_EQ(teams->Count(), 4);
    auto buffalo = teams->ItemAs<ITeamInfo>("K1");
    EXPECT_EQ(buffalo->get_Nickname(), "Bills");
    EXPECT_TRUE(IsSameObject(buffalo->get_Position(), positions->ItemAs<IPositionInfo>("K6")));
    EXPECT_FALSE(teams->ItemAs<ITeamInfo>("K4")->get_Position()) << "empty position id";
    auto prizes = service->GetPrizeTmpls();
    ASSERT_TRUE(prizes);
    EXPECT_EQ(prizes->ItemAs<IPrizeTmplInfo>("K1")->get_Desc(), "Champion");
    EXPECT_EQ(prizes->ItemAs<IPrizeTmplInfo>("K5")->get_PrizeType()->get_ID(), 2);
    EXPECT_TRUE(IsSameObject(service->GetPrizeTypes()->ItemAs<IPrizeTypeInfo>("K2"),
                             prizes->ItemAs<IPrizeTmplInfo>("K5")->get_PrizeType()));
    EXPECT_EQ(service->GetTeams().get(), teams.get()) << "the cache itself, not a copy";
}

TEST_F(DataLifecycle, CachesSurviveCloseAndGoWithClearCache) {
    CreateLeague([](LeagueWriter& w) { w.Season(1, 2023, 2, 2); });
    auto service = StartService();
    auto teams = service->GetTeams();
    service->CloseDatabase();
    EXPECT_EQ(service->GetTeams().get(), teams.get()) << "caches survive a close";
    std::string message;
    ASSERT_TRUE(service->OpenDatabase(true, message)) << message;
    auto reloaded = service->GetTeams();
    ASSERT_TRUE(reloaded);
    EXPECT_NE(reloaded.get(), teams.get());
    EXPECT_EQ(reloaded->Count(), 4);
}

TEST_F(DataLifecycle, ClearingTheCacheMakesGetAllSeasonsReadEverySeasonAgain) {
    CreateLeague([](LeagueWriter& w) {
        w.Season(1, 2021, 2, 2);
        w.Season(2, 2022, 2, 2);
        w.Season(3, 2023, 2, 2);
        w.CurrentSeason(2);
    });
    auto service = StartService();
    auto first = service->GetCurrentSeasonInfo();
    auto all = service->GetAllSeasons();
    ASSERT_EQ(all->Count(), 3);
    EXPECT_TRUE(IsSameObject(all->ItemAs<ISeasonInfo>(1), first)) << "load order";
    std::string message;
    ASSERT_TRUE(service->OpenDatabase(true, message));
    auto again = service->GetAllSeasons();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Count(), 3);
    EXPECT_TRUE(again->Contains("K1") && again->Contains("K2") && again->Contains("K3"));
    EXPECT_FALSE(IsSameObject(again->ItemAs<ISeasonInfo>("K2"), first));
}

TEST_F(DataLifecycle, ReleasingTheServiceReleasesItsSettingsListener) {
    CreateLeague([](LeagueWriter& w) {
        w.Season(1, 2021, 2, 2);
        w.CurrentSeason(1);
    });
    ComPtr<ISettingInfo> settings;
    {
        auto service = StartService();
        settings = service->GetSettings();
    }
    // The service is gone; telling its old settings object must not reach it.
    settings->let_CurrentSeason(7);
    EXPECT_EQ(settings->get_CurrentSeason(), 7);
    // And the file is free again.
    EXPECT_NO_THROW(OpenLeague());
}

TEST_F(DataLifecycle, LeagueSettingsKeepTextByNameAndAnOlderFileGetsTheirTableOnStore) {
    CreateLeague();
    {
        auto file = OpenLeague();
        file->Execute("drop table [league setting info]");
    }
    auto service = StartService();
    auto settings = service.As<ILeagueSettings>();
    ASSERT_TRUE(settings);
    std::string value = "stale";
    bool found = true;
    ASSERT_TRUE(settings->GetLeagueSetting("site title", value, found));
    EXPECT_FALSE(found);
    EXPECT_EQ(value, "");

    const std::string hostile = "O'Brien's <League> \"2024\"; drop table x; --\n\xc3\xa9";
    ASSERT_TRUE(settings->SetLeagueSetting("site title", "first"));
    ASSERT_TRUE(settings->SetLeagueSetting("pick clock seconds", "90"));
    ASSERT_TRUE(settings->SetLeagueSetting("site title", hostile));
    EXPECT_FALSE(settings->SetLeagueSetting("", "no name"));
    ASSERT_EQ(m_reports.size(), 1U);
    EXPECT_EQ(m_reports[0].rfind("Gridora Service|Error in saving league settings.", 0), 0U);

    std::map<std::string, std::string> all;
    ASSERT_TRUE(settings->GetLeagueSettings(all));
    EXPECT_EQ(all, (std::map<std::string, std::string>{{"pick clock seconds", "90"},
                                                       {"site title", hostile}}));
    Inspect(service, [](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select count(*) from [league setting info]"), 2);
    });
    ASSERT_TRUE(settings->GetLeagueSetting("site title", value, found));
    EXPECT_TRUE(found);
    EXPECT_EQ(value, hostile);
}
