#include "MoneyReport.h"

#include <algorithm>
#include <set>

#include "CaselessOrder.h"
#include "PrizeKinds.h"
#include "RecordKeys.h"

namespace gr::reports {

namespace {

using core::RecordKey;

// The managers by first name without regard to case; equal names keep the collection's order.
std::vector<ComPtr<IManagerInfo>> ByFirstName(std::vector<ComPtr<IManagerInfo>> managers) {
    std::stable_sort(managers.begin(), managers.end(), [](const auto& a, const auto& b) {
        return core::CaselessBefore(a->get_FirstName(), b->get_FirstName());
    });
    return managers;
}

std::vector<ComPtr<IManagerInfo>> ManagersOf(const ComPtr<ISeasonInfo>& season) {
    const ComPtr<Collection> managers = season->get_Managers();
    return managers ? managers->ItemsAs<IManagerInfo>() : std::vector<ComPtr<IManagerInfo>>{};
}

Cents WinningsOf(const ManagerWinnings& table, int32_t managerId) {
    const auto found = table.find(RecordKey(managerId));
    return found == table.end() ? 0 : found->second;
}

ManagerWinnings WinningsOfSeason(const ComPtr<ISeasonInfo>& season) {
    return GetManagerWinnings(season->get_Winnings(), season->get_Prizes());
}

// The season's manager of that id, by name; empty when there is none.
std::string SeasonManagerName(const ComPtr<ISeasonInfo>& season, const std::string& managerId) {
    const ComPtr<Collection> managers = season->get_Managers();
    return managers ? ManagerName(managers->ItemAs<IManagerInfo>(RecordKey(managerId)))
                    : std::string();
}

void AddLeagueRow(std::vector<LeagueMoneyRow>& rows, const LeagueMoneyRow& row,
                  LeagueMoney& money) {
    money.totalFees += row.fees;
    money.totalWinnings += row.winnings;
    money.totalBalance += row.balance;
    rows.push_back(row);
}

}  // namespace

int32_t WeekPart(const ComPtr<IPrizeInfo>& prize, const ComPtr<IWinningInfo>& winning) {
    return core::PrizeKindOf(prize) == core::PrizeKind::Season ? 1 : winning->get_Week();
}

std::string PrizeWinnerKey(const std::string& prizeId, int32_t weekPart) {
    return RecordKey(prizeId) + "^" + std::to_string(weekPart);
}

PrizeWinnerCounts CountPrizeWinners(const ComPtr<Collection>& winnings,
                                    const ComPtr<Collection>& prizes) {
    PrizeWinnerCounts counts;
    if (!winnings || !prizes) return counts;
    for (const auto& winning : winnings->ItemsAs<IWinningInfo>()) {
        if (winning->get_Action() == ActionTypeRemove) continue;
        const std::string prizeId = winning->get_PrizeID();
        const auto prize = prizes->ItemAs<IPrizeInfo>(RecordKey(prizeId));
        if (!prize) continue;
        ++counts[PrizeWinnerKey(prizeId, WeekPart(prize, winning))];
    }
    return counts;
}

Cents PrizeShare(int32_t amount, int32_t winners) {
    return core::DivideHalfEven(core::CentsOf(amount), winners);
}

Cents WinnerShare(const PrizeWinnerCounts& counts, const ComPtr<IPrizeInfo>& prize,
                  const ComPtr<IWinningInfo>& winning) {
    const auto count =
        counts.find(PrizeWinnerKey(winning->get_PrizeID(), WeekPart(prize, winning)));
    return PrizeShare(prize->get_Amount(), count == counts.end() ? 1 : count->second);
}

ManagerWinnings GetManagerWinnings(const ComPtr<Collection>& winnings,
                                   const ComPtr<Collection>& prizes) {
    ManagerWinnings table;
    if (!winnings || winnings->Count() == 0 || !prizes) return table;
    const PrizeWinnerCounts counts = CountPrizeWinners(winnings, prizes);
    for (const auto& winning : winnings->ItemsAs<IWinningInfo>()) {
        if (winning->get_Action() == ActionTypeRemove) continue;
        const auto prize = prizes->ItemAs<IPrizeInfo>(RecordKey(winning->get_PrizeID()));
        // A prize the season no longer pays cannot be valued.
        if (!prize) continue;
        table[RecordKey(winning->get_ManagerID())] += WinnerShare(counts, prize, winning);
    }
    return table;
}

std::string ManagerName(const ComPtr<IManagerInfo>& manager) {
    if (!manager) return {};
    return manager->get_FirstName() + " " + manager->get_LastName();
}

SeasonMoney SeasonMoneyOf(const ComPtr<ISeasonInfo>& season) {
    SeasonMoney money;
    if (!season) return money;
    money.hasSeason = true;
    money.year = season->get_Year();
    money.fee = core::CentsOf(season->get_MoneyContribution());
    const ManagerWinnings table = WinningsOfSeason(season);
    for (const auto& manager : ByFirstName(ManagersOf(season))) {
        SeasonMoneyRow row;
        row.managerId = manager->get_ID();
        row.name = ManagerName(manager);
        row.feePaid = manager->get_IsFeePaid();
        row.winnings = WinningsOf(table, row.managerId);
        row.balance = row.feePaid ? row.winnings : row.winnings - money.fee;
        money.totalWinnings += row.winnings;
        money.rows.push_back(std::move(row));
    }
    return money;
}

SeasonMoney CurrentSeasonMoney(const ComPtr<IDataService>& dataService) {
    return dataService ? SeasonMoneyOf(dataService->GetCurrentSeasonInfo()) : SeasonMoney{};
}

LeagueMoney AllSeasonsMoney(const ComPtr<IDataService>& dataService) {
    LeagueMoney money;
    if (!dataService) return money;
    const ComPtr<Collection> seasons = dataService->GetAllSeasons();
    if (!seasons) return money;
    money.seasonCount = seasons->Count();

    // The first manager object met names each manager.
    std::vector<ComPtr<IManagerInfo>> kept;
    std::map<int32_t, LeagueMoneyRow> totals;
    for (const auto& season : seasons->ItemsAs<ISeasonInfo>()) {
        const Cents fee = core::CentsOf(season->get_MoneyContribution());
        const ManagerWinnings table = WinningsOfSeason(season);
        for (const auto& manager : ManagersOf(season)) {
            const int32_t id = manager->get_ID();
            LeagueMoneyRow& row = totals[id];
            if (row.seasons == 0) {
                kept.push_back(manager);
                row.managerId = id;
                row.name = ManagerName(manager);
            }
            row.fees += fee;
            row.winnings += WinningsOf(table, id);
            row.seasons += 1;
        }
    }

    std::set<int32_t> playing;
    if (const ComPtr<ISeasonInfo> current = dataService->GetCurrentSeasonInfo())
        for (const auto& manager : ManagersOf(current)) playing.insert(manager->get_ID());

    for (const auto& manager : ByFirstName(kept)) {
        LeagueMoneyRow row = totals[manager->get_ID()];
        row.balance = row.winnings - row.fees;
        AddLeagueRow(playing.count(row.managerId) ? money.playing : money.nonPlaying, row, money);
    }
    return money;
}

SeasonBudget SeasonBudgetOf(int32_t fee, int32_t managers, int32_t regularWeeks,
                            const ComPtr<Collection>& prizes) {
    SeasonBudget budget;
    budget.contribution = core::CentsOf(int64_t{fee} * managers);
    if (prizes)
        for (const auto& prize : prizes->ItemsAs<IPrizeInfo>()) {
            const int64_t times =
                core::PrizeKindOf(prize) == core::PrizeKind::Season ? 1 : regularWeeks;
            budget.distribution += core::CentsOf(prize->get_Amount() * times);
        }
    budget.balance = budget.contribution - budget.distribution;
    return budget;
}

std::vector<PastWinnerRow> PastWinners(const ComPtr<IDataService>& dataService) {
    std::vector<PastWinnerRow> rows;
    const ComPtr<Collection> all = dataService ? dataService->GetAllSeasons() : nullptr;
    if (!all) return rows;
    std::vector<ComPtr<ISeasonInfo>> seasons = all->ItemsAs<ISeasonInfo>();
    std::stable_sort(seasons.begin(), seasons.end(),
                     [](const auto& a, const auto& b) { return a->get_Year() > b->get_Year(); });
    for (const auto& season : seasons) {
        if (!season->get_IsSeasonLocked()) continue;
        std::string championId;
        std::string runnerUpId;
        if (const ComPtr<Collection> winnings = season->get_Winnings())
            for (const auto& winning : winnings->ItemsAs<IWinningInfo>()) {
                if (winning->get_Action() == ActionTypeRemove) continue;
                // A later winning of the same prize replaces an earlier one.
                if (winning->get_PrizeID() == core::kChampionPrizeId)
                    championId = winning->get_ManagerID();
                if (winning->get_PrizeID() == core::kRunnerUpPrizeId)
                    runnerUpId = winning->get_ManagerID();
            }
        rows.push_back({season->get_Year(), SeasonManagerName(season, championId),
                        SeasonManagerName(season, runnerUpId)});
    }
    return rows;
}

}  // namespace gr::reports
