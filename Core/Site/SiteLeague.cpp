#include "SiteLeague.h"

#include <algorithm>
#include <map>
#include <utility>

#include "GRPickUtils.h"
#include "PrizeKinds.h"
#include "RecordKeys.h"

namespace gr::site {

namespace {

using core::RecordKey;

template <class T>
std::vector<ComPtr<T>> Items(const ComPtr<Collection>& collection) {
    return collection ? collection->ItemsAs<T>() : std::vector<ComPtr<T>>{};
}

std::string Abbr(const ComPtr<IPositionInfo>& position) {
    return position ? position->get_Abbr() : std::string();
}

std::string PositionOf(const ComPtr<IPickable>& pick) {
    if (const auto player = pick.As<IPlayerInfo>()) return Abbr(player->get_Position());
    if (const auto team = pick.As<ITeamInfo>()) return Abbr(team->get_Position());
    return {};
}

std::vector<SiteManager> ManagersOf(const ComPtr<ISeasonInfo>& season,
                                    const reports::SeasonMoney& seasonMoney) {
    std::map<int32_t, const reports::SeasonMoneyRow*> money;
    for (const auto& row : seasonMoney.rows) money[row.managerId] = &row;
    std::vector<SiteManager> managers;
    for (const auto& m : Items<IManagerInfo>(season->get_Managers())) {
        SiteManager manager{m->get_ID(), reports::ManagerName(m), m->get_Rank(),
                            m->get_IsFeePaid()};
        if (const auto found = money.find(manager.id); found != money.end()) {
            manager.winnings = found->second->winnings;
            manager.balance = found->second->balance;
        }
        managers.push_back(std::move(manager));
    }
    std::stable_sort(managers.begin(), managers.end(),
                     [](const auto& a, const auto& b) { return a.rank < b.rank; });
    return managers;
}

std::vector<SitePick> PicksOf(const ComPtr<ISeasonInfo>& season) {
    std::vector<SitePick> picks;
    const int32_t managers = season->get_NoOfManagers();
    int32_t pickNo = 0;
    for (const auto& draft : Items<IDraftInfo>(season->get_Drafts())) {
        ++pickNo;  // the place in the collection is the pick number
        const ComPtr<IPickable> pick = draft->get_PlayerOrTeam();
        if (!pick) continue;
        const ComPtr<IManagerInfo> manager = draft->get_Manager();
        picks.push_back({pickNo, RoundOfPick(pickNo, managers), manager ? manager->get_ID() : 0,
                         pick->get_PickName(), PositionOf(pick)});
    }
    return picks;
}

std::vector<SitePrize> PrizesOf(const ComPtr<ISeasonInfo>& season) {
    std::vector<SitePrize> prizes;
    for (const auto& p : Items<IPrizeInfo>(season->get_Prizes())) {
        const ComPtr<IPrizeTypeInfo> type = p->get_PrizeType();
        prizes.push_back({p->get_Desc(), type ? type->get_Name() : std::string(),
                          core::CentsOf(p->get_Amount())});
    }
    return prizes;
}

// Each winner's share as the money report counts it; a winning whose prize the season does not
// hold cannot be valued and is left out, as the report leaves it out.
std::vector<SiteWinning> WinningsOf(const ComPtr<ISeasonInfo>& season) {
    std::vector<SiteWinning> winnings;
    const ComPtr<Collection> prizes = season->get_Prizes();
    const ComPtr<Collection> managers = season->get_Managers();
    const reports::PrizeWinnerCounts counts =
        reports::CountPrizeWinners(season->get_Winnings(), prizes);
    for (const auto& win : Items<IWinningInfo>(season->get_Winnings())) {
        if (win->get_Action() == ActionTypeRemove) continue;
        const auto prize = prizes ? prizes->ItemAs<IPrizeInfo>(RecordKey(win->get_PrizeID()))
                                  : ComPtr<IPrizeInfo>();
        if (!prize) continue;
        const auto manager = managers
                                 ? managers->ItemAs<IManagerInfo>(RecordKey(win->get_ManagerID()))
                                 : ComPtr<IManagerInfo>();
        const bool wholeSeason = core::PrizeKindOf(prize) == core::PrizeKind::Season;
        winnings.push_back({wholeSeason ? 0 : win->get_Week(), prize->get_Desc(),
                            manager ? manager->get_ID() : 0, reports::ManagerName(manager),
                            reports::WinnerShare(counts, prize, win)});
    }
    // Week by week; the prizes of the whole season after the last week.
    const auto order = [](const SiteWinning& w) { return w.week == 0 ? INT32_MAX : w.week; };
    std::stable_sort(winnings.begin(), winnings.end(),
                     [&](const auto& a, const auto& b) { return order(a) < order(b); });
    return winnings;
}

SiteSeason SeasonOf(const ComPtr<ISeasonInfo>& season) {
    SiteSeason s;
    s.year = season->get_Year();
    s.rounds = season->get_NoOfRounds();
    s.regularWeeks = season->get_NoOfRegularWeeks();
    s.totalWeeks = season->get_TotalNoOfWeeks();
    s.fee = core::CentsOf(season->get_MoneyContribution());
    s.locked = season->get_IsSeasonLocked();
    const reports::SeasonMoney money = reports::SeasonMoneyOf(season);
    s.managers = ManagersOf(season, money);
    s.totalWinnings = money.totalWinnings;
    s.picks = PicksOf(season);
    s.prizes = PrizesOf(season);
    s.winnings = WinningsOf(season);
    return s;
}

}  // namespace

SiteLeague ReadSiteLeague(const ComPtr<IDataService>& dataService, std::string title) {
    SiteLeague league;
    league.title = std::move(title);
    if (!dataService) return league;
    for (const auto& season : Items<ISeasonInfo>(dataService->GetAllSeasons()))
        league.seasons.push_back(SeasonOf(season));
    std::stable_sort(league.seasons.begin(), league.seasons.end(),
                     [](const auto& a, const auto& b) { return a.year < b.year; });
    league.current = reports::CurrentSeasonMoney(dataService);
    league.allSeasons = reports::AllSeasonsMoney(dataService);
    league.pastWinners = reports::PastWinners(dataService);
    return league;
}

}  // namespace gr::site
