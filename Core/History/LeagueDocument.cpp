#include "LeagueDocument.h"

#include <algorithm>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>

namespace gr::history {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "gridora-league";

Json Link(int32_t id) {
    return id > 0 ? Json(id) : Json(nullptr);
}

// ---- Writing -----------------------------------------------------------------------------

void Catalogue(const LeagueRows& l, Json& doc) {
    Json& positions = doc["positions"] = Json::array();
    for (const PositionRow& r : l.positions)
        positions.push_back({{"id", r.id}, {"abbr", r.abbr}, {"desc", r.desc}});
    Json& teams = doc["teams"] = Json::array();
    for (const TeamRow& r : l.teams)
        teams.push_back({{"id", r.id},
                         {"name", r.name},
                         {"nickname", r.nickname},
                         {"abbr", r.abbr},
                         {"position_id", Link(r.positionId)}});
    Json& players = doc["players"] = Json::array();
    for (const PlayerRow& r : l.players)
        players.push_back({{"id", r.id},
                           {"first_name", r.firstName},
                           {"last_name", r.lastName},
                           {"position_id", Link(r.positionId)},
                           {"team_id", Link(r.teamId)},
                           {"retired", r.retired}});
    Json& managers = doc["managers"] = Json::array();
    for (const ManagerRow& r : l.managers)
        managers.push_back({{"id", r.id}, {"first_name", r.firstName}, {"last_name", r.lastName}});
    Json& types = doc["prize_types"] = Json::array();
    for (const PrizeTypeRow& r : l.prizeTypes) types.push_back({{"id", r.id}, {"name", r.name}});
    Json& prizes = doc["prizes"] = Json::array();
    for (const PrizeRow& r : l.prizes)
        prizes.push_back({{"id", r.id}, {"desc", r.desc}, {"type_id", Link(r.typeId)}});
}

Json SeasonJson(const LeagueRows& l, const SeasonRow& s) {
    Json season = {{"id", s.id},
                   {"year", s.year},
                   {"managers_count", s.managers},
                   {"rounds", s.rounds},
                   {"fee", s.fee},
                   {"regular_weeks", s.regularWeeks},
                   {"total_weeks", s.totalWeeks},
                   {"ranking_locked", s.rankingLocked},
                   {"draft_locked", s.draftLocked},
                   {"season_locked", s.seasonLocked},
                   {"season_started", s.started}};
    Json& managers = season["managers"] = Json::array();
    for (const PlayingRow& r : l.playing)
        if (r.seasonId == s.id)
            managers.push_back({{"manager_id", r.managerId},
                                {"ranking", Link(r.ranking)},
                                {"fee_paid", r.feePaid}});
    Json& prizes = season["prizes"] = Json::array();
    for (const MoneyRow& r : l.money)
        if (r.seasonId == s.id) prizes.push_back({{"prize_id", r.prizeId}, {"amount", r.money}});
    Json& draft = season["draft"] = Json::array();
    for (const DraftRow& r : l.drafts)
        if (r.seasonId == s.id)
            draft.push_back({{"pick", r.draftNo},
                             {"manager_id", Link(r.managerId)},
                             {"player_id", Link(r.playerId)},
                             {"team_id", Link(r.teamId)}});
    Json& winnings = season["winnings"] = Json::array();
    for (const WinningRow& r : l.winnings)
        if (r.seasonId == s.id)
            winnings.push_back({{"id", r.id},
                                {"prize_id", r.prizeId},
                                {"manager_id", r.managerId},
                                {"week", Link(r.week)}});
    return season;
}

// ---- Reading -----------------------------------------------------------------------------

// The first fault of the document's form, with where it is.
struct DocumentFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class DocumentReader {
  public:
    explicit DocumentReader(LeagueRows& rows) : m_rows(rows) {}

    void Read(const Json& doc) {
        if (!doc.is_object()) throw DocumentFault("the document is no JSON object");
        if (Text(doc, "format", "") != kFormat)
            throw DocumentFault("format: this is no Gridora league file");
        if (Number(doc, "version", "", 0) != kLeagueDocumentVersion)
            throw DocumentFault("version: only version " + std::to_string(kLeagueDocumentVersion) +
                                " can be read");
        m_rows.currentSeasonId = Link(doc, "current_season_id", "");
        const Json& settings = Member(doc, "settings", "");
        if (!settings.is_object()) throw DocumentFault("settings: needs an object of texts");
        for (const auto& [name, value] : settings.items()) {
            if (!value.is_string()) throw DocumentFault("settings." + name + ": needs a text");
            m_rows.settings.push_back({name, value.get<std::string>()});
        }
        ReadCatalogue(doc);
        Each(doc, "seasons", "", [&](const Json& s, const std::string& at) { ReadSeason(s, at); });
    }

  private:
    static std::string Where(const std::string& at, const char* name) {
        return (at.empty() ? "" : at + ".") + name;
    }
    static const Json& Member(const Json& object, const char* name, const std::string& at) {
        const auto it = object.find(name);
        if (it == object.end()) throw DocumentFault(Where(at, name) + ": is missing");
        return *it;
    }
    static int32_t Number(const Json& o, const char* name, const std::string& at, int32_t least) {
        const Json& v = Member(o, name, at);
        if (!v.is_number_integer() || v.get<int64_t>() < least ||
            v.get<int64_t>() > std::numeric_limits<int32_t>::max())
            throw DocumentFault(Where(at, name) + ": needs a whole number from " +
                                std::to_string(least));
        return v.get<int32_t>();
    }
    static int32_t Id(const Json& o, const char* name, const std::string& at) {
        return Number(o, name, at, 1);
    }
    static int32_t Link(const Json& o, const char* name, const std::string& at) {
        return Member(o, name, at).is_null() ? 0 : Id(o, name, at);
    }
    static std::string Text(const Json& o, const char* name, const std::string& at) {
        const Json& v = Member(o, name, at);
        if (!v.is_string()) throw DocumentFault(Where(at, name) + ": needs a text");
        return v.get<std::string>();
    }
    static bool Flag(const Json& o, const char* name, const std::string& at) {
        const Json& v = Member(o, name, at);
        if (!v.is_boolean()) throw DocumentFault(Where(at, name) + ": needs true or false");
        return v.get<bool>();
    }
    template <class Body>
    static void Each(const Json& o, const char* name, const std::string& at, Body&& body) {
        const Json& list = Member(o, name, at);
        const std::string where = Where(at, name);
        if (!list.is_array()) throw DocumentFault(where + ": needs a list");
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string item = where + "[" + std::to_string(i) + "]";
            if (!list[i].is_object()) throw DocumentFault(item + ": needs an object");
            body(list[i], item);
        }
    }

    void ReadCatalogue(const Json& d) {
        LeagueRows& l = m_rows;
        Each(d, "positions", "", [&](const Json& o, const std::string& at) {
            l.positions.push_back({Id(o, "id", at), Text(o, "abbr", at), Text(o, "desc", at)});
        });
        Each(d, "teams", "", [&](const Json& o, const std::string& at) {
            l.teams.push_back({Id(o, "id", at), Text(o, "name", at), Text(o, "nickname", at),
                               Text(o, "abbr", at), Link(o, "position_id", at)});
        });
        Each(d, "players", "", [&](const Json& o, const std::string& at) {
            l.players.push_back({Id(o, "id", at), Text(o, "first_name", at),
                                 Text(o, "last_name", at), Link(o, "position_id", at),
                                 Link(o, "team_id", at), Flag(o, "retired", at)});
        });
        Each(d, "managers", "", [&](const Json& o, const std::string& at) {
            l.managers.push_back(
                {Id(o, "id", at), Text(o, "first_name", at), Text(o, "last_name", at)});
        });
        Each(d, "prize_types", "", [&](const Json& o, const std::string& at) {
            l.prizeTypes.push_back({Id(o, "id", at), Text(o, "name", at)});
        });
        Each(d, "prizes", "", [&](const Json& o, const std::string& at) {
            l.prizes.push_back({Id(o, "id", at), Text(o, "desc", at), Link(o, "type_id", at)});
        });
    }

    void ReadSeason(const Json& o, const std::string& at) {
        LeagueRows& l = m_rows;
        const SeasonRow s{Id(o, "id", at),
                          Id(o, "year", at),
                          Number(o, "managers_count", at, 0),
                          Number(o, "rounds", at, 0),
                          Number(o, "fee", at, 0),
                          Number(o, "regular_weeks", at, 0),
                          Number(o, "total_weeks", at, 0),
                          Flag(o, "ranking_locked", at),
                          Flag(o, "draft_locked", at),
                          Flag(o, "season_locked", at),
                          Flag(o, "season_started", at)};
        l.seasons.push_back(s);
        Each(o, "managers", at, [&](const Json& m, const std::string& where) {
            l.playing.push_back({s.id, Id(m, "manager_id", where), Link(m, "ranking", where),
                                 Flag(m, "fee_paid", where)});
        });
        Each(o, "prizes", at, [&](const Json& p, const std::string& where) {
            l.money.push_back({s.id, Id(p, "prize_id", where), Number(p, "amount", where, 0)});
        });
        Each(o, "draft", at, [&](const Json& p, const std::string& where) {
            l.drafts.push_back({s.id, Id(p, "pick", where), Link(p, "manager_id", where),
                                Link(p, "player_id", where), Link(p, "team_id", where)});
        });
        Each(o, "winnings", at, [&](const Json& w, const std::string& where) {
            l.winnings.push_back({Id(w, "id", where), s.id, Id(w, "manager_id", where),
                                  Id(w, "prize_id", where), Link(w, "week", where)});
        });
    }

    LeagueRows& m_rows;
};

// ---- Checking the rows ---------------------------------------------------------------------

class LeagueChecker {
  public:
    LeagueChecker(const LeagueRows& rows, std::vector<std::string>& problems)
        : m_rows(rows), m_problems(problems) {}

    void Check() {
        const auto positions = Ids(m_rows.positions, "position");
        const auto teams = Ids(m_rows.teams, "team");
        const auto players = Ids(m_rows.players, "player");
        const auto managers = Ids(m_rows.managers, "manager");
        const auto types = Ids(m_rows.prizeTypes, "prize type");
        const auto prizes = Ids(m_rows.prizes, "prize");
        const auto seasons = Ids(m_rows.seasons, "season");
        Ids(m_rows.winnings, "winning");
        for (const TeamRow& t : m_rows.teams)
            Linked(positions, t.positionId, "team " + std::to_string(t.id), "position");
        for (const PlayerRow& p : m_rows.players) {
            Linked(positions, p.positionId, "player " + std::to_string(p.id), "position");
            Linked(teams, p.teamId, "player " + std::to_string(p.id), "team");
        }
        for (const PrizeRow& p : m_rows.prizes)
            Linked(types, p.typeId, "prize " + std::to_string(p.id), "prize type");
        std::set<int32_t> years;
        for (const SeasonRow& s : m_rows.seasons)
            if (!years.insert(s.year).second)
                Fault("season " + std::to_string(s.year) + " comes twice");
        if (m_rows.currentSeasonId > 0 && !seasons.contains(m_rows.currentSeasonId))
            Fault("current_season_id names no season of the file");
        CheckSeasons(players, teams, managers, prizes);
    }

  private:
    template <class Row>
    std::set<int32_t> Ids(const std::vector<Row>& rows, const std::string& what) {
        std::set<int32_t> ids;
        for (const Row& r : rows)
            if (!ids.insert(r.id).second)
                Fault(what + " id " + std::to_string(r.id) + " comes twice");
        return ids;
    }
    void Linked(const std::set<int32_t>& ids, int32_t id, const std::string& who,
                const std::string& what) {
        if (id > 0 && !ids.contains(id))
            Fault(who + " names " + what + " " + std::to_string(id) + ", which the file lacks");
    }

    void CheckSeasons(const std::set<int32_t>& players, const std::set<int32_t>& teams,
                      const std::set<int32_t>& managers, const std::set<int32_t>& prizes) {
        std::map<int32_t, const SeasonRow*> seasons;
        for (const SeasonRow& s : m_rows.seasons) seasons.emplace(s.id, &s);
        std::set<std::pair<int32_t, int32_t>> playing, money, picks, taken;
        const auto name = [&](int32_t seasonId) {
            return "season " + std::to_string(seasons[seasonId]->year);
        };
        for (const PlayingRow& p : m_rows.playing) {
            Linked(managers, p.managerId, name(p.seasonId), "manager");
            if (!playing.emplace(p.seasonId, p.managerId).second)
                Fault(name(p.seasonId) + " lists manager " + std::to_string(p.managerId) +
                      " twice");
        }
        for (const MoneyRow& m : m_rows.money) {
            Linked(prizes, m.prizeId, name(m.seasonId), "prize");
            if (!money.emplace(m.seasonId, m.prizeId).second)
                Fault(name(m.seasonId) + " lists prize " + std::to_string(m.prizeId) + " twice");
        }
        for (const DraftRow& d : m_rows.drafts) {
            const SeasonRow& s = *seasons[d.seasonId];
            const std::string pick = name(d.seasonId) + " pick " + std::to_string(d.draftNo);
            if (int64_t{d.draftNo} > int64_t{s.managers} * s.rounds)
                Fault(pick + " is beyond its draft");
            if (!picks.emplace(d.seasonId, d.draftNo).second) Fault(pick + " comes twice");
            if (d.managerId > 0 && !playing.contains({d.seasonId, d.managerId}))
                Fault(pick + " names manager " + std::to_string(d.managerId) +
                      ", who does not play in the season");
            Linked(players, d.playerId, pick, "player");
            Linked(teams, d.teamId, pick, "team");
            const int32_t thing = d.playerId > 0 ? d.playerId : -d.teamId;
            if (thing != 0 && !taken.emplace(d.seasonId, thing).second)
                Fault(pick + " takes a player or team picked before in the season");
        }
        for (const WinningRow& w : m_rows.winnings) {
            const std::string who = name(w.seasonId) + " winning " + std::to_string(w.id);
            if (!playing.contains({w.seasonId, w.managerId}))
                Fault(who + " names manager " + std::to_string(w.managerId) +
                      ", who does not play in the season");
            if (!money.contains({w.seasonId, w.prizeId}))
                Fault(who + " names prize " + std::to_string(w.prizeId) +
                      ", which is not among the season's prizes");
        }
    }

    void Fault(std::string reason) { m_problems.push_back(std::move(reason)); }

    const LeagueRows& m_rows;
    std::vector<std::string>& m_problems;
};

// The line of a byte offset of the text, from 1.
int LineOf(std::string_view text, size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(std::count(
                   text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

}  // namespace

std::string LeagueJson(const LeagueRows& league) {
    Json doc = {{"format", kFormat},
                {"version", kLeagueDocumentVersion},
                {"current_season_id", Link(league.currentSeasonId)}};
    std::vector<SettingRow> settings = league.settings;
    std::sort(settings.begin(), settings.end(),
              [](const SettingRow& a, const SettingRow& b) { return a.name < b.name; });
    Json& named = doc["settings"] = Json::object();
    for (const SettingRow& s : settings) named[s.name] = s.value;
    Catalogue(league, doc);
    Json& seasons = doc["seasons"] = Json::array();
    for (const SeasonRow& s : league.seasons) seasons.push_back(SeasonJson(league, s));
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

LeagueReading ReadLeagueJson(std::string_view text) {
    LeagueReading reading;
    try {
        const Json doc = Json::parse(text);
        DocumentReader(reading.rows).Read(doc);
    } catch (const Json::parse_error& e) {
        reading.problems.push_back("line " + std::to_string(LineOf(text, e.byte)) +
                                   ": this is no JSON document");
        return reading;
    } catch (const DocumentFault& e) {
        reading.problems.emplace_back(e.what());
        return reading;
    }
    LeagueChecker(reading.rows, reading.problems).Check();
    return reading;
}

}  // namespace gr::history
