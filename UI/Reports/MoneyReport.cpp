#include "MoneyReport.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "GRNumbers.h"

namespace gr::reports {

namespace {

std::string KeyOf(int32_t id) {
    return "K" + std::to_string(id);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// First names compared without case (letters outside ASCII by their code).
bool FirstNameBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
    });
}

// The managers by first name; equal names keep the collection's order.
std::vector<ComPtr<IManagerInfo>> ByFirstName(std::vector<ComPtr<IManagerInfo>> managers) {
    std::stable_sort(managers.begin(), managers.end(), [](const auto& a, const auto& b) {
        return FirstNameBefore(a->get_FirstName(), b->get_FirstName());
    });
    return managers;
}

std::vector<ComPtr<IManagerInfo>> ManagersOf(const ComPtr<ISeasonInfo>& season) {
    const ComPtr<Collection> managers = season->get_Managers();
    return managers ? managers->ItemsAs<IManagerInfo>() : std::vector<ComPtr<IManagerInfo>>{};
}

Cents WinningsOf(const ManagerWinnings& table, int32_t managerId) {
    const auto found = table.find(KeyOf(managerId));
    return found == table.end() ? 0 : found->second;
}

ManagerWinnings WinningsOfSeason(const ComPtr<ISeasonInfo>& season) {
    return GetManagerWinnings(season->get_Winnings(), season->get_Prizes());
}

// The manager of the season under "K" + managerId, by name; empty when there is none.
std::string SeasonManagerName(const ComPtr<ISeasonInfo>& season, const std::string& managerId) {
    const ComPtr<Collection> managers = season->get_Managers();
    return managers ? ManagerName(managers->ItemAs<IManagerInfo>("K" + managerId)) : std::string();
}

void AddLeagueRow(std::vector<LeagueMoneyRow>& rows, const LeagueMoneyRow& row,
                  LeagueMoney& money) {
    money.totalFees += row.fees;
    money.totalWinnings += row.winnings;
    money.totalBalance += row.balance;
    rows.push_back(row);
}

}  // namespace

double CentsToAmount(Cents cents) {
    return static_cast<double>(cents) / 100.0;
}

int32_t WeekPart(const ComPtr<IPrizeInfo>& prize, const ComPtr<IWinningInfo>& winning) {
    const ComPtr<IPrizeTypeInfo> type = prize ? prize->get_PrizeType() : nullptr;
    return (type && type->get_ID() == 1) ? 1 : winning->get_Week();
}

std::string PrizeWinnerKey(const std::string& prizeId, int32_t weekPart) {
    return "K" + prizeId + "^" + std::to_string(weekPart);
}

PrizeWinnerCounts CountPrizeWinners(const ComPtr<Collection>& winnings,
                                    const ComPtr<Collection>& prizes) {
    PrizeWinnerCounts counts;
    if (!winnings || !prizes) return counts;
    for (const auto& winning : winnings->ItemsAs<IWinningInfo>()) {
        if (winning->get_Action() == ActionTypeRemove) continue;
        const std::string prizeId = winning->get_PrizeID();
        const auto prize = prizes->ItemAs<IPrizeInfo>("K" + prizeId);
        if (!prize) continue;
        ++counts[PrizeWinnerKey(prizeId, WeekPart(prize, winning))];
    }
    return counts;
}

Cents PrizeShare(int32_t amount, int32_t winners) {
    const double share = ui::RoundHalfEven(static_cast<double>(amount) / std::max(winners, 1), 2);
    return std::llround(share * 100.0);
}

ManagerWinnings GetManagerWinnings(const ComPtr<Collection>& winnings,
                                   const ComPtr<Collection>& prizes) {
    ManagerWinnings table;
    if (!winnings || winnings->Count() == 0 || !prizes) return table;
    const PrizeWinnerCounts counts = CountPrizeWinners(winnings, prizes);
    for (const auto& winning : winnings->ItemsAs<IWinningInfo>()) {
        if (winning->get_Action() == ActionTypeRemove) continue;
        const std::string prizeId = winning->get_PrizeID();
        const auto prize = prizes->ItemAs<IPrizeInfo>("K" + prizeId);
        // A prize the season no longer pays cannot be valued.
        if (!prize) continue;
        const auto count = counts.find(PrizeWinnerKey(prizeId, WeekPart(prize, winning)));
        table["K" + winning->get_ManagerID()] += PrizeShare(prize->get_Amount(), count->second);
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
    money.fee = Cents{season->get_MoneyContribution()} * 100;
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
        const Cents fee = Cents{season->get_MoneyContribution()} * 100;
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
                if (winning->get_PrizeID() == "1") championId = winning->get_ManagerID();
                if (winning->get_PrizeID() == "2") runnerUpId = winning->get_ManagerID();
            }
        rows.push_back({season->get_Year(), SeasonManagerName(season, championId),
                        SeasonManagerName(season, runnerUpId)});
    }
    return rows;
}

}  // namespace gr::reports
