// In-memory domain objects for the unit tests of the kit's helpers (the selection dialog,
// GRUtils) and of the screens' rule classes, where a case needs an item the league files cannot
// hold (no team, hostile names) or a taken mark without a draft. Each fake keeps its state in
// public members; the data service is a GoogleMock so tests state the calls they expect. Screen
// tests run on the real services instead (ShellDatabases in test_shell_support.h).
#pragma once

#include <gmock/gmock.h>

#include <map>
#include <string>

#include "ComObject.h"
#include "GRIData.h"
#include "IDataService.h"

namespace gr::ui::test {

class FakePosition : public ComObject<IPositionInfo, IPickable> {
  public:
    FakePosition(int32_t id, std::string abbr, std::string desc)
        : id(id), abbr(std::move(abbr)), desc(std::move(desc)) {}
    int32_t get_ID() override { return id; }
    std::string get_Abbr() override { return abbr; }
    std::string get_Desc() override { return desc; }
    PickableTypesEnum get_PickType() override { return PickedPosition; }
    std::string get_PickName() override { return desc; }
    int32_t get_PickID() override { return id; }
    int32_t id;
    std::string abbr, desc;
};

class FakeTeam : public ComObject<ITeamInfo, IPickable> {
  public:
    FakeTeam(int32_t id, std::string abbr, std::string name, std::string nickname,
             ComPtr<IPositionInfo> position = {})
        : id(id),
          abbr(std::move(abbr)),
          name(std::move(name)),
          nickname(std::move(nickname)),
          position(std::move(position)) {}
    int32_t get_ID() override { return id; }
    std::string get_Abbr() override { return abbr; }
    std::string get_Name() override { return name; }
    std::string get_Nickname() override { return nickname; }
    ComPtr<IPositionInfo> get_Position() override { return position; }
    PickableTypesEnum get_PickType() override { return PickedTeam; }
    std::string get_PickName() override { return name; }
    int32_t get_PickID() override { return id; }
    int32_t id;
    std::string abbr, name, nickname;
    ComPtr<IPositionInfo> position;
};

class FakePlayer : public ComObject<IPlayerInfo, IPickable> {
  public:
    FakePlayer(int32_t id, std::string first, std::string last, ComPtr<ITeamInfo> team = {},
               ComPtr<IPositionInfo> position = {})
        : id(id),
          first(std::move(first)),
          last(std::move(last)),
          team(std::move(team)),
          position(std::move(position)) {}
    int32_t get_ID() override { return id; }
    std::string get_LastName() override { return last; }
    std::string get_FirstName() override { return first; }
    ComPtr<IPositionInfo> get_Position() override { return position; }
    ComPtr<ITeamInfo> get_Team() override { return team; }
    bool get_IsRetired() override { return retired; }
    PickableTypesEnum get_PickType() override { return PickedPlayer; }
    std::string get_PickName() override { return first + " " + last; }
    int32_t get_PickID() override { return id; }
    int32_t id;
    std::string first, last;
    ComPtr<ITeamInfo> team;
    ComPtr<IPositionInfo> position;
    bool retired = false;
};

class FakeManagerTmpl : public ComObject<IManagerTmplInfo, IPickable> {
  public:
    FakeManagerTmpl(int32_t id, std::string first, std::string last)
        : id(id), first(std::move(first)), last(std::move(last)) {}
    int32_t get_ID() override { return id; }
    std::string get_LastName() override { return last; }
    std::string get_FirstName() override { return first; }
    PickableTypesEnum get_PickType() override { return PickedManager; }
    std::string get_PickName() override { return first + " " + last; }
    int32_t get_PickID() override { return id; }
    int32_t id;
    std::string first, last;
};

class FakeManager : public ComObject<IManagerInfo> {
  public:
    FakeManager(int32_t id, std::string first, std::string last, int32_t rank = 0)
        : id(id), first(std::move(first)), last(std::move(last)), rank(rank) {}
    int32_t get_ID() override { return id; }
    std::string get_LastName() override { return last; }
    std::string get_FirstName() override { return first; }
    int32_t get_Rank() override { return rank; }
    void let_Rank(int32_t v) override { rank = v; }
    bool get_IsFeePaid() override { return feePaid; }
    void let_IsFeePaid(bool v) override { feePaid = v; }
    ComPtr<IManagerTmplInfo> get_ManagerTmpl() override { return tmpl; }
    int32_t id;
    std::string first, last;
    int32_t rank;
    bool feePaid = false;
    ComPtr<IManagerTmplInfo> tmpl;
};

class FakePrizeType : public ComObject<IPrizeTypeInfo> {
  public:
    FakePrizeType(int32_t id, std::string name) : id(id), name(std::move(name)) {}
    int32_t get_ID() override { return id; }
    std::string get_Name() override { return name; }
    int32_t id;
    std::string name;
};

class FakePrizeTmpl : public ComObject<IPrizeTmplInfo, IPickable> {
  public:
    FakePrizeTmpl(int32_t id, std::string desc, ComPtr<IPrizeTypeInfo> type = {})
        : id(id), desc(std::move(desc)), type(std::move(type)) {}
    int32_t get_ID() override { return id; }
    std::string get_Desc() override { return desc; }
    ComPtr<IPrizeTypeInfo> get_PrizeType() override { return type; }
    PickableTypesEnum get_PickType() override { return PickedPrize; }
    std::string get_PickName() override { return desc; }
    int32_t get_PickID() override { return id; }
    int32_t id;
    std::string desc;
    ComPtr<IPrizeTypeInfo> type;
};

class FakePrize : public ComObject<IPrizeInfo> {
  public:
    FakePrize(int32_t id, std::string desc, ComPtr<IPrizeTypeInfo> type, int32_t amount = 0)
        : id(id), desc(std::move(desc)), type(std::move(type)), amount(amount) {}
    int32_t get_ID() override { return id; }
    std::string get_Desc() override { return desc; }
    ComPtr<IPrizeTypeInfo> get_PrizeType() override { return type; }
    int32_t get_Amount() override { return amount; }
    void let_Amount(int32_t v) override { amount = v; }
    ComPtr<IPrizeTmplInfo> get_PrizeTmpl() override { return {}; }
    int32_t id;
    std::string desc;
    ComPtr<IPrizeTypeInfo> type;
    int32_t amount;
};

class FakeWinning : public ComObject<IWinningInfo> {
  public:
    FakeWinning(std::string managerId, std::string prizeId, int32_t week,
                ActionTypeEnum action = ActionTypeNone)
        : managerId(std::move(managerId)),
          prizeId(std::move(prizeId)),
          week(week),
          action(action) {}
    int32_t get_ID() override { return id; }
    std::string get_Key() override { return key; }
    int32_t get_SeasonID() override { return 0; }
    void let_SeasonID(int32_t) override {}
    std::string get_ManagerID() override { return managerId; }
    void let_ManagerID(const std::string& v) override { managerId = v; }
    std::string get_PrizeID() override { return prizeId; }
    void let_PrizeID(const std::string& v) override { prizeId = v; }
    int32_t get_Week() override { return week; }
    void let_Week(int32_t v) override { week = v; }
    void let_Action(ActionTypeEnum v) override { action = v; }
    ActionTypeEnum get_Action() override { return action; }
    std::string managerId, prizeId;
    int32_t week;
    ActionTypeEnum action;
    std::string key;
    int32_t id = 0;
};

class FakeDraft : public ComObject<IDraftInfo> {
  public:
    explicit FakeDraft(int32_t no, ComPtr<IPickable> pick = {}) : no(no), pick(std::move(pick)) {}
    int32_t get_DraftNo() override { return no; }
    void let_DraftNo(int32_t v) override { no = v; }
    ComPtr<IPickable> get_PlayerOrTeam() override { return pick; }
    void set_PlayerOrTeam(const ComPtr<IPickable>& v) override { pick = v; }
    ComPtr<IManagerInfo> get_Manager() override { return manager; }
    void set_Manager(const ComPtr<IManagerInfo>& v) override { manager = v; }
    int32_t no;
    ComPtr<IPickable> pick;
    ComPtr<IManagerInfo> manager;
};

class FakeSeason : public ComObject<ISeasonInfo> {
  public:
    explicit FakeSeason(int32_t year = 2026) : year(year) {}
    int32_t get_ID() override { return id; }
    int32_t get_Year() override { return year; }
    void let_Year(int32_t v) override { year = v; }
    int32_t get_NoOfManagers() override { return noOfManagers; }
    void let_NoOfManagers(int32_t v) override { noOfManagers = v; }
    int32_t get_NoOfRounds() override { return noOfRounds; }
    void let_NoOfRounds(int32_t v) override { noOfRounds = v; }
    int32_t get_MoneyContribution() override { return money; }
    void let_MoneyContribution(int32_t v) override { money = v; }
    ComPtr<Collection> get_Prizes() override { return prizes; }
    void set_Prizes(const ComPtr<Collection>& v) override { prizes = v; }
    int32_t get_NoOfRegularWeeks() override { return regularWeeks; }
    void let_NoOfRegularWeeks(int32_t v) override { regularWeeks = v; }
    int32_t get_TotalNoOfWeeks() override { return totalWeeks; }
    void let_TotalNoOfWeeks(int32_t v) override { totalWeeks = v; }
    bool get_IsRankingLocked() override { return rankingLocked; }
    void let_IsRankingLocked(bool v) override { rankingLocked = v; }
    bool get_IsDraftLocked() override { return draftLocked; }
    void let_IsDraftLocked(bool v) override { draftLocked = v; }
    bool get_IsSeasonLocked() override { return seasonLocked; }
    void let_IsSeasonLocked(bool v) override { seasonLocked = v; }
    bool get_HasSeasonStarted() override { return started; }
    void let_HasSeasonStarted(bool v) override { started = v; }
    ComPtr<Collection> get_Managers() override { return managers; }
    ComPtr<Collection> get_Winnings() override { return winnings; }
    ComPtr<Collection> get_Drafts() override { return drafts; }
    int32_t get_CurrentPick() override { return currentPick; }
    // Taken items are listed in `taken` by object identity, with their picked information.
    bool IsPickableTaken(const ComPtr<IPickable>& pick, std::string& info) override {
        const auto it = taken.find(pick.As<IUnknown>().get());
        if (it == taken.end()) return false;
        info = it->second;
        return true;
    }
    using ISeasonInfo::IsPickableTaken;
    // Picks go into the draft of their number, when the season has one.
    void UpdateDraft(const ComPtr<IPickable>& pick, int32_t no,
                     const ComPtr<IManagerInfo>& by) override {
        if (no < 1 || no > drafts->Count()) return;
        drafts->ItemAs<IDraftInfo>(no)->set_PlayerOrTeam(pick);
        drafts->ItemAs<IDraftInfo>(no)->set_Manager(by);
    }
    void RemoveDraft(int32_t no) override { UpdateDraft(nullptr, no, nullptr); }
    bool AddPrize(const ComPtr<IPrizeTmplInfo>&) override { return false; }
    bool AddManager(const ComPtr<IManagerTmplInfo>&) override { return false; }
    bool RemoveManager(const ComPtr<IManagerInfo>&) override { return false; }

    template <class T>
    void markTaken(const ComPtr<T>& pick, std::string info) {
        taken[pick.template As<IUnknown>().get()] = std::move(info);
    }

    int32_t id = 1, year, noOfManagers = 0, noOfRounds = 0, money = 0, regularWeeks = 0,
            totalWeeks = 0, currentPick = 1;
    bool rankingLocked = false, draftLocked = false, seasonLocked = false, started = false;
    ComPtr<Collection> prizes = Collection::Create();
    ComPtr<Collection> managers = Collection::Create();
    ComPtr<Collection> winnings = Collection::Create();
    ComPtr<Collection> drafts = Collection::Create();
    std::map<IUnknown*, std::string> taken;
};

class MockDataService : public ComObject<IDataService, ISeasonSave> {
  public:
    MOCK_METHOD(bool, SaveSeasonAndManagers, (), (override));
    MOCK_METHOD(int32_t, get_CurrentSeasonID, (), (override));
    MOCK_METHOD(void, let_CurrentSeasonID, (int32_t), (override));
    MOCK_METHOD(int32_t, get_CurrentSeasonYear, (), (override));
    MOCK_METHOD(void, let_CurrentSeasonYear, (int32_t), (override));
    MOCK_METHOD(ComPtr<ISeasonInfo>, GetCurrentSeasonInfo, (), (override));
    MOCK_METHOD(bool, DiscardCurrentSeasonInfo, (), (override));
    MOCK_METHOD(ComPtr<ISeasonInfo>, AddSeason, (int32_t), (override));
    MOCK_METHOD(bool, SaveCurrentSeasonInfo, (), (override));
    MOCK_METHOD(ComPtr<Collection>, GetAllSeasons, (), (override));
    MOCK_METHOD(bool, Initialize, (DBTypeEnum, std::string&), (override));
    MOCK_METHOD(bool, SaveManagersPlaying, (), (override));
    MOCK_METHOD(bool, SaveRanking, (), (override));
    MOCK_METHOD(bool, DisableRanking, (), (override));
    MOCK_METHOD(ComPtr<Collection>, GetPlayerPositions, (), (override));
    MOCK_METHOD(bool, SaveDrafts, (), (override));
    MOCK_METHOD(bool, DeleteDrafts, (), (override));
    MOCK_METHOD(bool, DisableDrafting, (), (override));
    MOCK_METHOD(ComPtr<Collection>, GetTeams, (), (override));
    MOCK_METHOD(ComPtr<Collection>, Search, (InfoTypeEnum, const std::string&, bool, bool),
                (override));
    MOCK_METHOD(ComPtr<ISettingInfo>, GetSettings, (), (override));
    MOCK_METHOD(bool, SaveSettings, (), (override));
    MOCK_METHOD(bool, UpdatePlayer,
                (const std::string&, const std::string&, int32_t, int32_t, bool, int32_t&,
                 ComPtr<IPlayerInfo>&, std::string&),
                (override));
    MOCK_METHOD(bool, UpdatePosition,
                (const std::string&, const std::string&, int32_t&, ComPtr<IPositionInfo>&,
                 std::string&),
                (override));
    MOCK_METHOD(bool, UpdateManager,
                (const std::string&, const std::string&, int32_t&, ComPtr<IManagerTmplInfo>&,
                 std::string&),
                (override));
    MOCK_METHOD(bool, UpdatePrize,
                (const std::string&, int32_t, int32_t&, ComPtr<IPrizeTmplInfo>&, std::string&),
                (override));
    MOCK_METHOD(ComPtr<Collection>, GetPrizeTmpls, (), (override));
    MOCK_METHOD(ComPtr<Collection>, GetPrizeTypes, (), (override));
    MOCK_METHOD(bool, AddWinning, (ComPtr<IWinningInfo>&), (override));
    MOCK_METHOD(bool, SaveWinnings, (), (override));
    MOCK_METHOD(void, CloseDatabase, (), (override));
    MOCK_METHOD(bool, OpenDatabase, (bool, std::string&), (override));
    MOCK_METHOD(bool, Delete, (InfoTypeEnum, int32_t, std::string&), (override));
};
using NiceDataService = ::testing::NiceMock<MockDataService>;

// A collection of the given items, without keys.
template <class... T>
ComPtr<Collection> Items(const ComPtr<T>&... items) {
    ComPtr<Collection> c = Collection::Create();
    (c->Add(items), ...);
    return c;
}

}  // namespace gr::ui::test
