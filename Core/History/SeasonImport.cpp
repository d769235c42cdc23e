#include "SeasonImport.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "CaselessOrder.h"
#include "Money.h"
#include "PrizeKinds.h"

namespace gr::history {

namespace {

struct CaselessLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return core::CaselessBefore(a, b);
    }
};

// Catalogue entries by name, several where names repeat.
using NameIndex = std::multimap<std::string, size_t, CaselessLess>;

template <class Row>
int32_t HighestId(const std::vector<Row>& rows) {
    int32_t highest = 0;
    for (const Row& r : rows) highest = std::max(highest, r.id);
    return highest;
}

std::string Quoted(const std::string& name) {
    return "'" + name + "'";
}

// The first word as the first name, the rest as the last name (just a last name for one word).
std::pair<std::string, std::string> SplitName(const std::string& full) {
    const size_t blank = full.find(' ');
    if (blank == std::string::npos) return {"", full};
    return {full.substr(0, blank), full.substr(blank + 1)};
}

class SeasonPlanner {
  public:
    SeasonPlanner(const SeasonSheet& sheet, const LeagueRows& league, SeasonImportOptions options,
                  SeasonImportPlan& plan)
        : m_sheet(sheet), m_league(league), m_options(options), m_plan(plan), m_rows(plan.rows) {
        for (size_t i = 0; i < league.managers.size(); ++i)
            m_managerIndex.emplace(
                FullName(league.managers[i].firstName, league.managers[i].lastName), i);
        for (size_t i = 0; i < league.players.size(); ++i)
            m_playerIndex.emplace(FullName(league.players[i].firstName, league.players[i].lastName),
                                  i);
        for (size_t i = 0; i < league.teams.size(); ++i) {
            m_teamIndex.emplace(FullName(league.teams[i].name, league.teams[i].nickname), i);
            m_teamIndex.emplace(league.teams[i].abbr, i);
        }
        for (size_t i = 0; i < league.prizes.size(); ++i)
            m_prizeIndex.emplace(league.prizes[i].desc, i);
        m_nextManagerId = HighestId(league.managers) + 1;
        m_nextPlayerId = HighestId(league.players) + 1;
        m_nextPrizeId = HighestId(league.prizes) + 1;
    }

    void Plan() {
        PlanSeason();
        for (const SheetManager& m : m_sheet.managers) PlanManager(m);
        for (const SheetPrize& p : m_sheet.prizes) PlanPrize(p);
        for (const SheetPick& p : m_sheet.picks) PlanPick(p);
        for (const SheetWinning& w : m_sheet.winnings) PlanWinning(w);
        std::stable_sort(
            m_plan.problems.begin(), m_plan.problems.end(),
            [](const LineProblem& a, const LineProblem& b) { return a.line < b.line; });
    }

  private:
    void Fault(int line, std::string reason) {
        m_plan.problems.push_back({line, std::move(reason)});
    }

    void PlanSeason() {
        m_plan.year = m_sheet.year;
        SeasonRow season{0,
                         m_sheet.year,
                         m_sheet.managerCount > 0 ? m_sheet.managerCount
                                                  : static_cast<int32_t>(m_sheet.managers.size()),
                         m_sheet.rounds,
                         m_sheet.fee,
                         m_sheet.regularWeeks,
                         m_sheet.totalWeeks,
                         m_sheet.rankingLocked,
                         m_sheet.draftLocked,
                         m_sheet.seasonLocked,
                         m_sheet.started};
        const auto stored =
            std::find_if(m_league.seasons.begin(), m_league.seasons.end(),
                         [&](const SeasonRow& s) { return s.year == m_sheet.year; });
        if (stored == m_league.seasons.end()) {
            season.id = HighestId(m_league.seasons) + 1;
        } else if (m_options.replace) {
            season.id = stored->id;
            m_plan.replacesSeason = true;
        } else {
            Fault(m_sheet.yearLine,
                  "season " + std::to_string(m_sheet.year) + " is already in the league");
        }
        m_seasonId = season.id;
        m_rows.seasons.push_back(season);
        // The replaced season's winnings give way: a sheet imported again keeps their ids.
        for (const WinningRow& w : m_league.winnings)
            if (w.seasonId != season.id || !m_plan.replacesSeason)
                m_nextWinningId = std::max(m_nextWinningId, w.id + 1);
    }

    // The one catalogue entry of that name; a fault when there are several. Empty: none.
    std::optional<size_t> Unique(const NameIndex& index, const std::string& name,
                                 const std::string& what, int line) {
        const auto [first, last] = index.equal_range(name);
        if (first == last) return std::nullopt;
        if (std::next(first) != last) {
            Fault(line, "the catalogue holds several " + what + "s named " + Quoted(name));
            return std::nullopt;
        }
        return first->second;
    }

    // A name the catalogue lacks: listed as new, and given an id when it may be added.
    int32_t Missing(const std::string& name, const std::string& what, int line,
                    std::vector<std::string>& list, int32_t& nextId) {
        list.push_back(name);
        if (!m_options.addMissing) {
            Fault(line, what + " " + Quoted(name) + " is not in the catalogue");
            return 0;
        }
        return nextId++;
    }

    void PlanManager(const SheetManager& m) {
        const std::string name = FullName(m.firstName, m.lastName);
        if (const auto seen = m_seasonManagers.find(name); seen != m_seasonManagers.end())
            return Fault(m.line, "manager " + Quoted(name) + " is listed twice (line " +
                                     std::to_string(seen->second.line) + ")");
        if (m.rank > 0 && !m_ranks.emplace(m.rank, m.line).second)
            Fault(m.line, "rank " + std::to_string(m.rank) + " is given twice");
        const size_t before = m_plan.problems.size();
        int32_t id = 0;
        if (const auto found = Unique(m_managerIndex, name, "manager", m.line)) {
            id = m_league.managers[*found].id;
        } else if (m_plan.problems.size() == before) {
            id = Missing(name, "manager", m.line, m_plan.newManagers, m_nextManagerId);
            if (id > 0) m_rows.managers.push_back({id, m.firstName, m.lastName});
        }
        m_seasonManagers.emplace(name, Entry{id, m.line});
        m_rows.playing.push_back({m_seasonId, id, m.rank, m.feePaid});
    }

    std::optional<int32_t> PrizeType(const std::string& name) const {
        for (const PrizeTypeRow& type : m_league.prizeTypes)
            if (core::CompareCaseless(type.name, name) == 0) return type.id;
        return std::nullopt;
    }

    void PlanPrize(const SheetPrize& p) {
        if (const auto seen = m_seasonPrizes.find(p.name); seen != m_seasonPrizes.end())
            return Fault(p.line, "prize " + Quoted(p.name) + " is listed twice (line " +
                                     std::to_string(seen->second.line) + ")");
        const auto type = PrizeType(p.type);
        if (!type) return Fault(p.line, "unknown prize type " + Quoted(p.type));
        const size_t before = m_plan.problems.size();
        int32_t id = 0;
        if (const auto found = Unique(m_prizeIndex, p.name, "prize", p.line)) {
            const PrizeRow& prize = m_league.prizes[*found];
            if (prize.typeId != *type)
                return Fault(p.line, "prize " + Quoted(p.name) + " is not of the type " +
                                         Quoted(p.type) + " in the catalogue");
            id = prize.id;
        } else if (m_plan.problems.size() == before) {
            id = Missing(p.name, "prize", p.line, m_plan.newPrizes, m_nextPrizeId);
            if (id > 0) m_rows.prizes.push_back({id, p.name, *type});
        }
        m_seasonPrizes.emplace(p.name, Entry{id, p.line, *type});
        m_rows.money.push_back({m_seasonId, id, p.amount});
    }

    // The season's manager of that name (0 for none named); a fault when he does not play.
    std::optional<int32_t> SeasonManager(const std::string& name, int line) {
        if (name.empty()) return 0;
        const auto found = m_seasonManagers.find(name);
        if (found != m_seasonManagers.end()) return found->second.id;
        Fault(line, "manager " + Quoted(name) + " does not play in the season");
        return std::nullopt;
    }

    std::optional<int32_t> PositionId(const std::string& abbr) const {
        for (const PositionRow& p : m_league.positions)
            if (core::CompareCaseless(p.abbr, abbr) == 0) return p.id;
        return std::nullopt;
    }

    std::optional<int32_t> TeamId(const std::string& abbr) const {
        for (const TeamRow& t : m_league.teams)
            if (core::CompareCaseless(t.abbr, abbr) == 0) return t.id;
        return std::nullopt;
    }

    // The player the pick names: by name, then by position and team where names repeat.
    std::optional<int32_t> MatchPlayer(const SheetPick& p, const std::optional<int32_t>& position,
                                       const std::optional<int32_t>& team) {
        std::vector<const PlayerRow*> candidates;
        const auto [first, last] = m_playerIndex.equal_range(p.playerOrTeam);
        for (auto it = first; it != last; ++it) candidates.push_back(&m_league.players[it->second]);
        const auto keep = [&](const std::optional<int32_t>& id, int32_t PlayerRow::*column) {
            if (!id || candidates.size() < 2) return;
            std::vector<const PlayerRow*> kept;
            for (const PlayerRow* c : candidates)
                if (c->*column == *id) kept.push_back(c);
            if (!kept.empty()) candidates = kept;
        };
        keep(position, &PlayerRow::positionId);
        keep(team, &PlayerRow::teamId);
        if (candidates.size() == 1) return candidates.front()->id;
        if (candidates.size() > 1)
            Fault(p.line, "the catalogue holds several players named " + Quoted(p.playerOrTeam) +
                              ": give the position and team");
        return std::nullopt;
    }

    // A player the catalogue lacks, added when it may be.
    int32_t NewPlayer(const SheetPick& p, const std::optional<int32_t>& position,
                      const std::optional<int32_t>& team) {
        if (!position) {
            Fault(p.line, "player " + Quoted(p.playerOrTeam) +
                              " is not in the catalogue, and a new player needs a known position");
            return 0;
        }
        const int32_t id =
            Missing(p.playerOrTeam, "player", p.line, m_plan.newPlayers, m_nextPlayerId);
        if (id > 0) {
            auto [firstName, lastName] = SplitName(p.playerOrTeam);
            m_rows.players.push_back({id, firstName, lastName, *position, team.value_or(0), false});
            m_newPlayers.emplace(p.playerOrTeam, id);
        }
        return id;
    }

    // Puts the team or player the pick names into row; the key by which it is taken, or none
    // after a fault.
    std::optional<std::string> PickedThing(const SheetPick& p, DraftRow& row) {
        if (const auto pickedTeam = Unique(m_teamIndex, p.playerOrTeam, "team", p.line)) {
            row.teamId = m_league.teams[*pickedTeam].id;
            return "T" + std::to_string(row.teamId);
        }
        const size_t before = m_plan.problems.size();
        const auto position = p.position.empty() ? std::nullopt : PositionId(p.position);
        const auto team = p.team.empty() ? std::nullopt : TeamId(p.team);
        if (!p.position.empty() && !position)
            Fault(p.line, "unknown position " + Quoted(p.position));
        if (!p.team.empty() && !team) Fault(p.line, "unknown team " + Quoted(p.team));
        const auto player =
            m_plan.problems.size() == before ? MatchPlayer(p, position, team) : std::nullopt;
        if (m_plan.problems.size() != before) return std::nullopt;
        const auto added = m_newPlayers.find(p.playerOrTeam);
        if (player)
            row.playerId = *player;
        else
            row.playerId =
                added != m_newPlayers.end() ? added->second : NewPlayer(p, position, team);
        return row.playerId > 0 ? "P" + std::to_string(row.playerId) : "N" + p.playerOrTeam;
    }

    void PlanPick(const SheetPick& p) {
        const int32_t managers = m_rows.seasons.front().managers;
        if (p.round > m_sheet.rounds)
            return Fault(p.line, "round " + std::to_string(p.round) + " is beyond the season's " +
                                     std::to_string(m_sheet.rounds) + " rounds");
        if (p.pick > managers)
            return Fault(p.line, "pick " + std::to_string(p.pick) + " is beyond the season's " +
                                     std::to_string(managers) + " managers");
        const int32_t draftNo = (p.round - 1) * managers + p.pick;
        if (const auto seen = m_picks.find(draftNo); seen != m_picks.end())
            return Fault(p.line, "pick " + std::to_string(p.pick) + " of round " +
                                     std::to_string(p.round) + " is given twice (line " +
                                     std::to_string(seen->second) + ")");
        m_picks.emplace(draftNo, p.line);
        const auto manager = SeasonManager(p.manager, p.line);
        if (!manager) return;
        DraftRow row{m_seasonId, draftNo, *manager, 0, 0};
        const auto taken = PickedThing(p, row);
        if (!taken) return;
        if (const auto seen = m_taken.find(*taken); seen != m_taken.end())
            return Fault(p.line, Quoted(p.playerOrTeam) + " is already picked on line " +
                                     std::to_string(seen->second));
        m_taken.emplace(*taken, p.line);
        m_rows.drafts.push_back(row);
    }

    void PlanWinning(const SheetWinning& w) {
        const auto prize = m_seasonPrizes.find(w.prize);
        if (prize == m_seasonPrizes.end())
            return Fault(w.line, "prize " + Quoted(w.prize) + " is not among the season's prizes");
        const bool weekly =
            static_cast<core::PrizeKind>(prize->second.typeId) == core::PrizeKind::Weekly;
        if (weekly && w.week == 0) return Fault(w.line, "a weekly prize needs its week");
        if (!weekly && w.week != 0)
            return Fault(w.line, "prize " + Quoted(w.prize) +
                                     " is not won week by week: leave its week empty");
        if (w.week > m_sheet.totalWeeks)
            return Fault(w.line, "week " + std::to_string(w.week) + " is beyond the season's " +
                                     std::to_string(m_sheet.totalWeeks) + " weeks");
        const auto manager = SeasonManager(w.manager, w.line);
        if (!manager) return;
        const auto key = std::make_tuple(prize->second.id, w.week, *manager);
        if (*manager > 0 && prize->second.id > 0 && !m_winnings.insert(key).second)
            return Fault(w.line, "the same winning is given twice");
        m_rows.winnings.push_back(
            {m_nextWinningId++, m_seasonId, *manager, prize->second.id, w.week});
    }

    struct Entry {
        int32_t id = 0;
        int line = 0;
        int32_t typeId = 0;
    };

    const SeasonSheet& m_sheet;
    const LeagueRows& m_league;
    SeasonImportOptions m_options;
    SeasonImportPlan& m_plan;
    LeagueRows& m_rows;
    NameIndex m_managerIndex, m_playerIndex, m_teamIndex, m_prizeIndex;
    std::map<std::string, Entry, CaselessLess> m_seasonManagers, m_seasonPrizes;
    std::map<std::string, int, CaselessLess> m_taken;
    std::map<int32_t, int> m_ranks, m_picks;
    std::set<std::tuple<int32_t, int32_t, int32_t>> m_winnings;
    std::map<std::string, int32_t, CaselessLess> m_newPlayers;  // added by this sheet
    int32_t m_seasonId = 0;
    int32_t m_nextManagerId = 1, m_nextPlayerId = 1, m_nextPrizeId = 1, m_nextWinningId = 1;
};

std::string Counted(size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string NewNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

SeasonImportPlan PlanSeasonImport(const SeasonSheet& sheet, const LeagueRows& league,
                                  const SeasonImportOptions& options) {
    SeasonImportPlan plan;
    SeasonPlanner(sheet, league, options, plan).Plan();
    return plan;
}

std::vector<std::string> DescribeSeasonImport(const SeasonImportPlan& plan) {
    std::vector<std::string> lines;
    if (plan.rows.seasons.empty()) return lines;
    const SeasonRow& s = plan.rows.seasons.front();
    lines.push_back("Season " + std::to_string(s.year) +
                    (plan.replacesSeason ? " (replacing the season in the league)" : "") + ": " +
                    Counted(static_cast<size_t>(s.managers), "manager", "managers") + ", " +
                    Counted(static_cast<size_t>(s.rounds), "round", "rounds") + ", fee " +
                    core::MoneyText(core::CentsOf(s.fee)) + ", weeks " +
                    std::to_string(s.regularWeeks) + " regular / " + std::to_string(s.totalWeeks) +
                    " total");
    lines.push_back("Managers playing: " + std::to_string(plan.rows.playing.size()));
    lines.push_back("Prizes: " + std::to_string(plan.rows.money.size()));
    lines.push_back("Draft picks: " + std::to_string(plan.rows.drafts.size()));
    lines.push_back("Winnings: " + std::to_string(plan.rows.winnings.size()));
    const auto listNew = [&](const std::vector<std::string>& names, const std::string& what) {
        if (!names.empty())
            lines.push_back("New " + what + " (" + std::to_string(names.size()) +
                            "): " + NewNames(names));
    };
    listNew(plan.newManagers, "managers");
    listNew(plan.newPlayers, "players");
    listNew(plan.newPrizes, "prizes");
    return lines;
}

}  // namespace gr::history
