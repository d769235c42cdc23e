// The pages of the money reports and of past winners, built from the figures of MoneyReport.
// Names are escaped; money is shown as "0.00" and a balance in green (above 0), red (below)
// or black (exactly 0).
#pragma once

#include <string>
#include <vector>

#include "MoneyReport.h"

namespace gr::ui {

std::string BalanceColor(reports::Cents balance);
std::string CurrentSeasonPage(const reports::SeasonMoney& money);
std::string AllSeasonsPage(const reports::LeagueMoney& money);
std::string PastWinnersPage(const std::vector<reports::PastWinnerRow>& rows);

}  // namespace gr::ui
