// The entity objects: pick kinds and names, winning keys and change flags, settings
// events and their listeners.
#include <gtest/gtest.h>

#include "CatalogueInfo.h"
#include "SeasonEntries.h"
#include "SettingInfo.h"
#include "WinningInfo.h"

using namespace gr;
using namespace gr::data;

TEST(Entities, EveryPickableClassAnswersItsFixedKind) {
    auto player = MakeCom<PlayerInfo>();
    auto team = MakeCom<TeamInfo>();
    auto manager = MakeCom<ManagerTmplInfo>();
    auto prize = MakeCom<PrizeTmplInfo>();
    auto position = MakeCom<PositionInfo>();
    EXPECT_EQ(ComPtr<IPickable>(player)->get_PickType(), PickedPlayer);
    EXPECT_EQ(ComPtr<IPickable>(team)->get_PickType(), PickedTeam);
    EXPECT_EQ(ComPtr<IPickable>(manager)->get_PickType(), PickedManager);
    EXPECT_EQ(ComPtr<IPickable>(prize)->get_PickType(), PickedPrize);
    EXPECT_EQ(ComPtr<IPickable>(position)->get_PickType(), PickedPosition);
    player->SetID(5);
    player->SetRetired(true);
    EXPECT_EQ(ComPtr<IPickable>(player)->get_PickType(), PickedPlayer) << "whatever its data";
    EXPECT_EQ(ComPtr<IPickable>(player)->get_PickID(), 5);
}

TEST(Entities, PickNamesFollowTheirKind) {
    auto player = MakeCom<PlayerInfo>();
    player->SetFirstName("Travis");
    player->SetLastName("Kelce");
    auto manager = MakeCom<ManagerTmplInfo>();
    manager->SetFirstName("Ann");
    manager->SetLastName("Lee");
    auto team = MakeCom<TeamInfo>();
    team->SetName("Kansas City");
    team->SetNickname("Chiefs");
    auto position = MakeCom<PositionInfo>();
    position->SetDesc("Tight End");
    position->SetAbbr("TE");
    auto prize = MakeCom<PrizeTmplInfo>();
    prize->SetDesc("Champion");
    EXPECT_EQ(player->get_PickName(), "Travis Kelce");
    EXPECT_EQ(manager->get_PickName(), "Ann Lee");
    EXPECT_EQ(team->get_PickName(), "Kansas City");
    EXPECT_EQ(position->get_PickName(), "Tight End");
    EXPECT_EQ(prize->get_PickName(), "Champion");
}

TEST(Entities, ObjectsAnswerEachOfTheirInterfacesAndRefuseOthers) {
    ComPtr<IPlayerInfo> player = MakeCom<PlayerInfo>();
    auto pickable = player.As<IPickable>();
    ASSERT_TRUE(pickable);
    EXPECT_TRUE(IsSameObject(pickable.As<IPlayerInfo>(), player));
    EXPECT_FALSE(player.As<ITeamInfo>());
    ComPtr<IPrizeTypeInfo> type = MakeCom<PrizeTypeInfo>();
    EXPECT_FALSE(type.As<IPickable>()) << "prize types cannot be picked";
}

TEST(Entities, PrizeInfoTakesIdDescriptionAndTypeFromItsMaster) {
    auto type = MakeCom<PrizeTypeInfo>();
    type->SetID(2);
    type->SetName("Weekly");
    auto master = MakeCom<PrizeTmplInfo>();
    master->SetID(5);
    master->SetDesc("High score");
    master->SetPrizeType(type);
    auto prize = MakeCom<PrizeInfo>(master, 25);
    EXPECT_EQ(prize->get_ID(), 5);
    EXPECT_EQ(prize->get_Desc(), "High score");
    EXPECT_EQ(prize->get_PrizeType()->get_Name(), "Weekly");
    EXPECT_EQ(prize->get_Amount(), 25);
    master->SetDesc("Weekly high score");
    EXPECT_EQ(prize->get_Desc(), "Weekly high score");
}

TEST(Winnings, LoadedRecordIsKeyedByIdStoredAndUnchanged) {
    auto win = WinningInfo::CreateLoaded(41, 3, "7", "5", 0);
    EXPECT_EQ(win->get_Key(), "K41");
    EXPECT_EQ(win->get_ID(), 41);
    EXPECT_EQ(win->get_ManagerID(), "7");
    EXPECT_EQ(win->get_PrizeID(), "5");
    EXPECT_EQ(win->get_Week(), 0);
    EXPECT_EQ(win->get_Action(), ActionTypeNone);
    EXPECT_TRUE(win->IsStored());
    EXPECT_FALSE(win->IsChanged());
}

TEST(Winnings, NewRecordKeyStaysAfterItGetsItsId) {
    auto win = WinningInfo::CreateNew(3);
    EXPECT_EQ(win->get_Key(), "KNEW3");
    EXPECT_EQ(win->get_ID(), 0);
    EXPECT_FALSE(win->IsStored());
    win->SetID(88);
    win->SetStored(true);
    EXPECT_EQ(win->get_ID(), 88);
    EXPECT_EQ(win->get_Key(), "KNEW3");
}

TEST(Winnings, OnlyADifferentValueMarksTheRecordChanged) {
    auto win = WinningInfo::CreateLoaded(1, 3, "7", "5", 2);
    win->let_SeasonID(3);
    win->let_ManagerID("7");
    win->let_PrizeID("5");
    win->let_Week(2);
    win->let_Action(ActionTypeNone);
    EXPECT_FALSE(win->IsChanged());
    win->let_Week(3);
    EXPECT_TRUE(win->IsChanged());
    win->SetChanged(false);
    win->let_Action(ActionTypeRemove);
    EXPECT_TRUE(win->IsChanged());
    win->SetChanged(false);
    win->let_ManagerID("8");
    EXPECT_TRUE(win->IsChanged());
    EXPECT_EQ(win->get_ManagerID(), "8");
}

namespace {
struct Listener : ISettingInfoEvents {
    int calls = 0;
    void SettingsChanged() override { ++calls; }
};

// A listener that holds the settings object, as the data service does.
class HoldingListener : public ISettingInfoEvents {
  public:
    explicit HoldingListener(ComPtr<SettingInfo> settings) : m_settings(std::move(settings)) {
        m_settings->Advise(this);
    }
    ~HoldingListener() { m_settings->Unadvise(this); }
    void SettingsChanged() override { seen = m_settings->get_CurrentSeason(); }
    int32_t seen = 0;

  private:
    ComPtr<SettingInfo> m_settings;
};
}  // namespace

TEST(Settings, ADifferentSeasonRaisesSettingsChangedOnce) {
    auto settings = MakeCom<SettingInfo>();
    Listener listener;
    settings->Advise(&listener);
    settings->Advise(&listener);  // advising twice listens once
    settings->let_CurrentSeason(0);
    EXPECT_EQ(listener.calls, 0);
    EXPECT_FALSE(settings->IsChanged());
    settings->let_CurrentSeason(4);
    EXPECT_EQ(listener.calls, 1);
    EXPECT_TRUE(settings->IsChanged());
    EXPECT_EQ(settings->get_CurrentSeason(), 4);
    settings->let_CurrentSeason(4);
    EXPECT_EQ(listener.calls, 1);
    settings->Unadvise(&listener);
    settings->let_CurrentSeason(5);
    EXPECT_EQ(listener.calls, 1);
}

TEST(Settings, AListenerHoldingTheSettingsMakesNoCycle) {
    ComPtr<SettingInfo> settings = MakeCom<SettingInfo>();
    ISettingInfo* raw = settings.get();
    raw->AddRef();
    {
        HoldingListener listener(settings);
        settings->let_CurrentSeason(9);
        EXPECT_EQ(listener.seen, 9);
        settings = nullptr;
    }
    // Only our own extra reference is left: the listener let go and took none of its own.
    EXPECT_EQ(raw->Release(), 0u);
}
