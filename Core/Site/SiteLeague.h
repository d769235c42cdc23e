// The league as the published site shows it: every season with its managers, draft, prizes
// and winnings, and the money reports, read once from the data service into plain values so
// that the pages are built from text and numbers alone. Every figure comes from MoneyReport.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "IDataService.h"
#include "MoneyReport.h"

namespace gr::site {

using core::Cents;

struct SiteManager {
    int32_t id = 0;
    std::string name;
    int32_t rank = 0;
    bool feePaid = false;
    Cents winnings = 0;
    Cents balance = 0;  // of the season: the winnings, less the fee when it is not paid
};

struct SitePick {
    int32_t pick = 0;  // from 1, in draft order
    int32_t round = 0;
    int32_t managerId = 0;
    std::string name;      // the player's or team's name
    std::string position;  // its position's abbreviation (a team: its defence's)
};

struct SitePrize {
    std::string name;
    std::string type;
    Cents amount = 0;
};

struct SiteWinning {
    int32_t week = 0;  // 0 for a prize of the whole season
    std::string prize;
    int32_t managerId = 0;  // 0 when the winner is not among the season's managers
    std::string manager;
    Cents share = 0;
};

struct SiteSeason {
    int32_t year = 0;
    int32_t rounds = 0;
    int32_t regularWeeks = 0;
    int32_t totalWeeks = 0;
    Cents fee = 0;
    bool locked = false;
    std::vector<SiteManager> managers;  // in draft order (by rank)
    std::vector<SitePick> picks;        // the picks made, by pick number
    std::vector<SitePrize> prizes;
    std::vector<SiteWinning> winnings;  // by week (season prizes last), then as entered
    Cents totalWinnings = 0;
};

struct SiteLeague {
    std::string title;
    std::vector<SiteSeason> seasons;  // oldest first
    reports::SeasonMoney current;
    reports::LeagueMoney allSeasons;
    std::vector<reports::PastWinnerRow> pastWinners;  // newest first
};

// Reads everything the site shows; the title is given by the caller.
SiteLeague ReadSiteLeague(const ComPtr<IDataService>& dataService, std::string title);

}  // namespace gr::site
