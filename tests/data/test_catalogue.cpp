// Catalogue editing through the data service: required values and their messages, links
// that must exist, new ids, changes that every holder of a cached object sees, and Delete
// with its refusals.
#include <string>
#include <vector>

#include "DataKeys.h"
#include "OpsFixture.h"

using namespace gr;
using gr::testing::LeagueWriter;
using gr::testing::OpsFixture;

namespace {

class Catalogue : public OpsFixture {
  protected:
    int64_t Players(const ComPtr<IDataService>& service) {
        return Read(service, "select count(*) from [player info]");
    }
};

// ---- Players ------------------------------------------------------------------------------

TEST_F(Catalogue, RequiredPlayerValuesAreCheckedInOrder) {
    CreateOpsLeague();
    auto service = StartService();
    struct Case {
        std::string last, first;
        int32_t position, team;
        const char* message;
    };
    const std::vector<Case> cases{
        {"", "", 0, 0, "First name is required."},
        {"Smith", " \t ", 1, 1, "First name is required."},
        {"", "John", 0, 0, "Last name is required."},
        {"   ", "John", 1, 1, "Last name is required."},
        {"Smith", "John", 0, 0, "Player position is required."},
        {"Smith", "John", 1, 0, "Player team is required."},
    };
    for (const Case& c : cases) {
        int32_t id = 0;
        ComPtr<IPlayerInfo> player;
        std::string message;
        EXPECT_FALSE(
            service->UpdatePlayer(c.last, c.first, c.position, c.team, false, id, player, message));
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(id, 0);
        EXPECT_FALSE(player);
    }
    EXPECT_EQ(Players(service), 9);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Catalogue, APlayerCannotLinkToAPositionOrTeamThatDoesNotExist) {
    CreateOpsLeague();
    auto service = StartService();
    int32_t id = 0;
    ComPtr<IPlayerInfo> player;
    std::string message;
    EXPECT_FALSE(service->UpdatePlayer("Smith", "John", 99, 1, false, id, player, message));
    EXPECT_EQ(message, "The player's position does not exist.");
    message.clear();
    EXPECT_FALSE(service->UpdatePlayer("Smith", "John", 1, -3, false, id, player, message));
    EXPECT_EQ(message, "The player's team does not exist.");
    EXPECT_EQ(id, 0);
    EXPECT_EQ(Players(service), 9);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Catalogue, ANewPlayerTakesTheHighestIdPlusOneAndIsFoundAtOnce) {
    CreateOpsLeague();
    auto service = StartService();
    int32_t id = 0;
    ComPtr<IPlayerInfo> player;
    std::string message;
    ASSERT_TRUE(service->UpdatePlayer("  O'Neil ", " Zack", 4, 3, false, id, player, message))
        << message;
    EXPECT_EQ(id, 10);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->get_ID(), 10);
    EXPECT_EQ(player->get_LastName(), "O'Neil");
    EXPECT_EQ(player->get_FirstName(), "Zack");
    EXPECT_EQ(player->get_Position()->get_Abbr(), "TE");
    EXPECT_EQ(player->get_Team()->get_Name(), "Dallas");
    auto found = service->Search(TypePlayerOrTeam, "O'N");
    ASSERT_EQ(found->Count(), 1);
    EXPECT_EQ(found->ItemAs<IPlayerInfo>(1).get(), player.get());
    EXPECT_EQ(Read(service,
                   "select count(*) from [player info] where [id] = 10 and [last name] = 'O''Neil' "
                   "and [first name] = 'Zack' and [position id] = 4 and [team id] = 3 "
                   "and [is retired] = 0"),
              1);
}

TEST_F(Catalogue, ChangingAPlayerChangesTheInstanceADraftPickHolds) {
    CreateOpsLeague([](LeagueWriter& w) { w.Draft(1, 1, 1, 1, 0); });
    auto service = StartService();
    auto pick = service->GetCurrentSeasonInfo()->get_Drafts()->ItemAs<IDraftInfo>(1);
    auto held = pick->get_PlayerOrTeam().As<IPlayerInfo>();
    ASSERT_TRUE(held);
    int32_t id = 1;
    ComPtr<IPlayerInfo> player;
    std::string message;
    ASSERT_TRUE(service->UpdatePlayer("Allen", "Joshua", 1, 2, true, id, player, message))
        << message;
    EXPECT_EQ(id, 1);
    EXPECT_EQ(player.get(), held.get());
    EXPECT_EQ(held->get_FirstName(), "Joshua");
    EXPECT_TRUE(held->get_IsRetired());
    EXPECT_EQ(held->get_Team()->get_Name(), "Miami");
    EXPECT_EQ(Players(service), 9);
    EXPECT_EQ(Read(service, "select [team id] from [player info] where [id] = 1"), 2);
    EXPECT_EQ(Read(service, "select [is retired] from [player info] where [id] = 1"), 1);
}

TEST_F(Catalogue, UpdatingAnIdThatDoesNotExistIsRefused) {
    CreateOpsLeague();
    auto service = StartService();
    int32_t id = 77;
    ComPtr<IPlayerInfo> player;
    std::string message;
    EXPECT_FALSE(service->UpdatePlayer("Smith", "John", 1, 1, false, id, player, message));
    EXPECT_EQ(message, "Record not found.");
    EXPECT_EQ(id, 77);
    EXPECT_EQ(Players(service), 9);

    ComPtr<IManagerTmplInfo> manager;
    message.clear();
    id = -1;
    EXPECT_FALSE(service->UpdateManager("Smith", "John", id, manager, message));
    EXPECT_EQ(message, "Record not found.");
    ComPtr<IPositionInfo> position;
    message.clear();
    id = 40;
    EXPECT_FALSE(service->UpdatePosition("Punter", "P", id, position, message));
    EXPECT_EQ(message, "Record not found.");
    ComPtr<IPrizeTmplInfo> prize;
    message.clear();
    id = 40;
    EXPECT_FALSE(service->UpdatePrize("Booby Prize", 1, id, prize, message));
    EXPECT_EQ(message, "Record not found.");
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Catalogue, NamesOf200CharactersAreStoredWhole) {
    CreateOpsLeague();
    auto service = StartService();
    const std::string longFirst(200, 'f');
    const std::string longLast = std::string(199, 'l') + "'";
    int32_t id = 0;
    ComPtr<IPlayerInfo> player;
    std::string message;
    ASSERT_TRUE(service->UpdatePlayer(longLast, longFirst, 2, 1, false, id, player, message))
        << message;
    // A fresh service reads the names back from the store.
    service = nullptr;
    auto reread = StartService();
    auto found = reread->Search(TypePlayerOrTeam, longLast);
    ASSERT_EQ(found->Count(), 1);
    EXPECT_EQ(found->ItemAs<IPlayerInfo>(1)->get_FirstName(), longFirst);
    EXPECT_EQ(found->ItemAs<IPlayerInfo>(1)->get_LastName(), longLast);
}

// ---- Positions, managers, prizes ------------------------------------------------------------

TEST_F(Catalogue, TheFirstPositionOfAnEmptyTableGetsIdOne) {
    CreateOpsLeague();
    Execute("delete from [player info]; delete from [team info]; delete from [position info];");
    auto service = StartService();
    int32_t id = 0;
    ComPtr<IPositionInfo> position;
    std::string message;
    ASSERT_TRUE(service->UpdatePosition("Punter", "P", id, position, message)) << message;
    EXPECT_EQ(id, 1);
    EXPECT_EQ(position->get_ID(), 1);
    auto positions = service->GetPlayerPositions();
    ASSERT_EQ(positions->Count(), 1);
    EXPECT_EQ(positions->ItemAs<IPositionInfo>("K1").get(), position.get());
}

TEST_F(Catalogue, PositionsNeedADescriptionThenAnAbbreviation) {
    CreateOpsLeague();
    auto service = StartService();
    int32_t id = 0;
    ComPtr<IPositionInfo> position;
    std::string message;
    EXPECT_FALSE(service->UpdatePosition(" ", "", id, position, message));
    EXPECT_EQ(message, "Description is required.");
    EXPECT_FALSE(service->UpdatePosition("Punter", "  ", id, position, message));
    EXPECT_EQ(message, "Abbreviation is required.");
    EXPECT_EQ(Read(service, "select count(*) from [position info]"), 6);
}

TEST_F(Catalogue, ChangingAPositionChangesTheCachedInstance) {
    CreateOpsLeague();
    auto service = StartService();
    auto kicker = service->GetPlayerPositions()->ItemAs<IPositionInfo>("K5");
    int32_t id = 5;
    ComPtr<IPositionInfo> position;
    std::string message;
    ASSERT_TRUE(service->UpdatePosition("Place Kicker", "PK", id, position, message)) << message;
    EXPECT_EQ(position.get(), kicker.get());
    EXPECT_EQ(kicker->get_Desc(), "Place Kicker");
    EXPECT_EQ(kicker->get_Abbr(), "PK");
    EXPECT_EQ(service->GetPlayerPositions()->Count(), 6);
    EXPECT_EQ(Read(service, "select count(*) from [position info] where [abbr] = 'PK'"), 1);
}

TEST_F(Catalogue, ManagersAreAddedAndRenamedForEverySeasonThatHoldsThem) {
    CreateOpsLeague();
    auto service = StartService();
    int32_t id = 0;
    ComPtr<IManagerTmplInfo> manager;
    std::string message;
    EXPECT_FALSE(service->UpdateManager("Lee", "", id, manager, message));
    EXPECT_EQ(message, "First name is required.");
    EXPECT_FALSE(service->UpdateManager("", "Ann", id, manager, message));
    EXPECT_EQ(message, "Last name is required.");

    ASSERT_TRUE(service->UpdateManager("Park", "Flo", id, manager, message)) << message;
    EXPECT_EQ(id, 6);
    EXPECT_EQ(service->Search(TypeManager, "Flo")->ItemAs<IManagerTmplInfo>(1).get(),
              manager.get());

    auto ann = SeasonManager(service, 1);
    id = 1;
    ASSERT_TRUE(service->UpdateManager("Lee-Smith", "Anne", id, manager, message)) << message;
    EXPECT_EQ(ann->get_FirstName(), "Anne");
    EXPECT_EQ(ann->get_LastName(), "Lee-Smith");
    EXPECT_EQ(Read(service, "select count(*) from [manager info]"), 6);
}

TEST_F(Catalogue, PrizesNeedADescriptionAndAnExistingType) {
    CreateOpsLeague();
    auto service = StartService();
    int32_t id = 0;
    ComPtr<IPrizeTmplInfo> prize;
    std::string message;
    EXPECT_FALSE(service->UpdatePrize("", 0, id, prize, message));
    EXPECT_EQ(message, "Description is required.");
    EXPECT_FALSE(service->UpdatePrize("Booby Prize", 0, id, prize, message));
    EXPECT_EQ(message, "Type of prize is required.");
    EXPECT_FALSE(service->UpdatePrize("Booby Prize", 3, id, prize, message));
    EXPECT_EQ(message, "The type of prize does not exist.");
    EXPECT_EQ(Read(service, "select count(*) from [prize info]"), 5);

    ASSERT_TRUE(service->UpdatePrize("Booby Prize", 2, id, prize, message)) << message;
    EXPECT_EQ(id, 6);
    EXPECT_EQ(prize->get_PrizeType()->get_Name(), "Weekly");
    EXPECT_EQ(service->GetPrizeTmpls()->ItemAs<IPrizeTmplInfo>("K6").get(), prize.get());
    EXPECT_EQ(service->GetPrizeTmpls()->Count(), 6);
}

TEST_F(Catalogue, ChangingAPrizeChangesWhatTheSeasonShows) {
    CreateOpsLeague();
    auto service = StartService();
    auto champion = service->GetCurrentSeasonInfo()->get_Prizes()->ItemAs<IPrizeInfo>("K1");
    int32_t id = 1;
    ComPtr<IPrizeTmplInfo> prize;
    std::string message;
    ASSERT_TRUE(service->UpdatePrize("League Champion", 1, id, prize, message)) << message;
    EXPECT_EQ(champion->get_Desc(), "League Champion");
    EXPECT_EQ(Read(service, "select count(*) from [prize info] where [desc] = 'League Champion'"),
              1);
}

TEST_F(Catalogue, AnEngineErrorComesBackAsTheMessageWithoutABox) {
    CreateOpsLeague();
    auto service = StartService();
    service->CloseDatabase();
    int32_t id = 0;
    ComPtr<IManagerTmplInfo> manager;
    std::string message;
    EXPECT_FALSE(service->UpdateManager("Park", "Flo", id, manager, message));
    EXPECT_EQ(message, "Error in saving manager info.\nThe database is not open.");
    EXPECT_EQ(id, 0);
    EXPECT_TRUE(m_reports.empty());
}

// ---- Delete -------------------------------------------------------------------------------

TEST_F(Catalogue, DeleteNeedsAnIdAndAnExistingRecord) {
    CreateOpsLeague();
    auto service = StartService();
    std::string message;
    EXPECT_FALSE(service->Delete(TypeManager, 0, message));
    EXPECT_EQ(message, "ID is required.");
    for (InfoTypeEnum kind : {TypePlayerOrTeam, TypeManager, TypePrize, TypePosition}) {
        message.clear();
        EXPECT_FALSE(service->Delete(kind, 404, message));
        EXPECT_EQ(message, "Record not found.") << kind;
    }
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Catalogue, AManagerWhoPlaysCannotBeDeletedAndStaysCached) {
    CreateOpsLeague();
    auto service = StartService();
    auto before = service->Search(TypeManager, "Ann")->ItemAs<IManagerTmplInfo>(1);
    std::string message;
    EXPECT_FALSE(service->Delete(TypeManager, 1, message));
    EXPECT_EQ(message,
              "The record cannot be deleted because it is included in other related records.");
    EXPECT_EQ(service->Search(TypeManager, "Ann")->ItemAs<IManagerTmplInfo>(1).get(), before.get());
    EXPECT_EQ(Read(service, "select count(*) from [manager info] where [id] = 1"), 1);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Catalogue, RecordsThatOthersReferToAreRefused) {
    CreateOpsLeague([](LeagueWriter& w) { w.Draft(1, 1, 1, 2, 0); });
    auto service = StartService();
    const std::string related =
        "The record cannot be deleted because it is included in other related records.";
    std::string message;
    EXPECT_FALSE(service->Delete(TypePlayerOrTeam, 2, message));  // drafted
    EXPECT_EQ(message, related);
    EXPECT_FALSE(service->Delete(TypePosition, 6, message));  // the teams' position
    EXPECT_EQ(message, related);
    EXPECT_FALSE(service->Delete(TypePrize, 5, message));  // awarded this season
    EXPECT_EQ(message, related);
    EXPECT_EQ(Read(service, "select count(*) from [player info] where [id] = 2"), 1);
}

TEST_F(Catalogue, AnUnusedRecordIsDeletedAndLeavesTheCache) {
    CreateOpsLeague();
    auto service = StartService();
    std::string message;
    ASSERT_TRUE(service->Search(TypePlayerOrTeam, "Diggs")->Count() == 1);
    ASSERT_TRUE(service->Delete(TypePlayerOrTeam, 6, message)) << message;
    EXPECT_EQ(service->Search(TypePlayerOrTeam, "Diggs")->Count(), 0);
    EXPECT_FALSE(service->GetPrizeTmpls()->ItemAs<IPrizeTmplInfo>("K3") == nullptr);
    ASSERT_TRUE(service->Delete(TypePrize, 3, message)) << message;
    EXPECT_FALSE(service->GetPrizeTmpls()->Contains("K3"));
    ASSERT_TRUE(service->Delete(TypeManager, 5, message)) << message;
    EXPECT_EQ(service->Search(TypeManager, "Ed")->Count(), 0);
    ASSERT_TRUE(service->Delete(TypePosition, 4, message)) << message;
    EXPECT_FALSE(service->GetPlayerPositions()->Contains("K4"));
    EXPECT_EQ(Read(service, "select count(*) from [player info] where [id] = 6"), 0);
    EXPECT_EQ(Read(service, "select count(*) from [prize info] where [id] = 3"), 0);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Catalogue, ADeleteThatCannotReachTheStoreSaysWhy) {
    CreateOpsLeague();
    auto service = StartService();
    service->CloseDatabase();
    std::string message;
    EXPECT_FALSE(service->Delete(TypePlayerOrTeam, 6, message));
    EXPECT_EQ(message, "Error in deleting record.\nThe database is not open.");
    EXPECT_TRUE(m_reports.empty());
}

}  // namespace
