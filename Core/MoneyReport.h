// The league's money: each winner's share of a prize, each manager's winnings, fees and
// balance for one season or for all seasons, and the champions and runners-up of the locked
// seasons. Plain figures from the services' objects, without Qt or any page, so that the
// reports window, the winnings window and the command-line tool show the same numbers.
//
// Money is kept in whole cents (Money.h): a share is rounded to the cent (half to even), so the
// sums of shares and the balances are exact and a balance that prints as 0.00 is exactly zero.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "GRIData.h"
#include "IDataService.h"
#include "Money.h"

namespace gr::reports {

using core::Cents;
using core::CentsToAmount;

// The week part of a winning's count key: 1 for a season prize (its winners of every week
// share it), the winning's week for every other prize.
int32_t WeekPart(const ComPtr<IPrizeInfo>& prize, const ComPtr<IWinningInfo>& winning);

// Winners per prize and week, keyed "K" + prize id + "^" + week part. Removed winnings and
// winnings of prizes that are not in prizes (keyed "K" + prize id) do not count.
using PrizeWinnerCounts = std::map<std::string, int32_t>;
std::string PrizeWinnerKey(const std::string& prizeId, int32_t weekPart);
PrizeWinnerCounts CountPrizeWinners(const ComPtr<Collection>& winnings,
                                    const ComPtr<Collection>& prizes);

// One winner's part of a prize of amount shared by winners, rounded to the cent with a half
// going to the even cent (23 among 40 winners: 0.58 each). Fewer than one winner counts as one.
Cents PrizeShare(int32_t amount, int32_t winners);
// The share of the prize that the winning names, among the winners that counts holds for it.
Cents WinnerShare(const PrizeWinnerCounts& counts, const ComPtr<IPrizeInfo>& prize,
                  const ComPtr<IWinningInfo>& winning);

// Each manager's prize money, keyed "K" + manager id. Empty without winnings; winnings of
// prizes not in prizes are left out.
using ManagerWinnings = std::map<std::string, Cents>;
ManagerWinnings GetManagerWinnings(const ComPtr<Collection>& winnings,
                                   const ComPtr<Collection>& prizes);

// FirstName + " " + LastName; empty for no manager.
std::string ManagerName(const ComPtr<IManagerInfo>& manager);

// ---- One season ---------------------------------------------------------------------------

struct SeasonMoneyRow {
    int32_t managerId = 0;
    std::string name;
    bool feePaid = false;
    Cents winnings = 0;
    Cents balance = 0;  // the winnings, less the fee when it is not paid
};

struct SeasonMoney {
    bool hasSeason = false;
    int32_t year = 0;
    Cents fee = 0;
    std::vector<SeasonMoneyRow> rows;  // by first name
    Cents totalWinnings = 0;
};

SeasonMoney SeasonMoneyOf(const ComPtr<ISeasonInfo>& season);
SeasonMoney CurrentSeasonMoney(const ComPtr<IDataService>& dataService);

// ---- All seasons --------------------------------------------------------------------------

struct LeagueMoneyRow {
    int32_t managerId = 0;
    std::string name;
    int32_t seasons = 0;
    Cents fees = 0;  // the fee of every season played, paid or not
    Cents winnings = 0;
    Cents balance = 0;  // winnings - fees
};

struct LeagueMoney {
    std::vector<LeagueMoneyRow> playing;     // in the current season, by first name
    std::vector<LeagueMoneyRow> nonPlaying;  // all others, by first name
    int32_t seasonCount = 0;
    Cents totalFees = 0;
    Cents totalWinnings = 0;
    Cents totalBalance = 0;
};

LeagueMoney AllSeasonsMoney(const ComPtr<IDataService>& dataService);

// ---- The season's budget -----------------------------------------------------------------

// What a season takes in (every manager's fee) and pays out (each season prize once, every
// other prize each regular week), and the balance between them, as the season window totals it.
struct SeasonBudget {
    Cents contribution = 0;
    Cents distribution = 0;
    Cents balance = 0;  // contribution - distribution
};

SeasonBudget SeasonBudgetOf(int32_t fee, int32_t managers, int32_t regularWeeks,
                            const ComPtr<Collection>& prizes);

// ---- Past winners -------------------------------------------------------------------------

struct PastWinnerRow {
    int32_t year = 0;
    std::string champion;  // empty when nobody won prize 1 or the winner no longer plays
    std::string runnerUp;  // the same for prize 2
};

// The locked seasons from the newest to the oldest.
std::vector<PastWinnerRow> PastWinners(const ComPtr<IDataService>& dataService);

}  // namespace gr::reports
