// Search of the catalogue by name or description. Every query reads the columns it needs
// in one pass and hands out the cached objects, so a result list costs one query. Results
// come in reading order, without regard to case (the "caseless" collation, CaselessText.h).
#include <memory>

#include "DataKeys.h"
#include "DataService.h"
#include "SearchQuery.h"
#include "SqlDatabase.h"

namespace gr::data {

namespace {

// Player queries of up to this many word pairs are kept prepared; rarer shapes are
// prepared for the one call, so odd texts cannot grow the statement cache without bound.
constexpr size_t kCachedPlayerClauses = 4;

// Adds the ids a query returns, as the objects that lookup gives, to results.
template <class Lookup>
void AddById(db::Statement& row, Collection& results, Lookup&& lookup) {
    while (row.Step())
        if (auto item = lookup(row.GetLong(0))) results.Add(item);
    row.Reset();
}

}  // namespace

ComPtr<Collection> DataService::Search(InfoTypeEnum SearchType, const std::string& SearchText,
                                       bool CurSeasonOnly, bool SkipRetiredPlayers) {
    switch (SearchType) {
        case TypePlayerOrTeam:
            return Trap("Error in searching players/teams.", ComPtr<Collection>(), [&] {
                ComPtr<Collection> results = Collection::Create();
                SearchPlayers(SearchText, SkipRetiredPlayers, *results);
                SearchTeams(SearchText, *results);
                return results;
            });
        case TypeManager:
            return Trap("Error in searching managers.", ComPtr<Collection>(),
                        [&] { return SearchManagers(SearchText, CurSeasonOnly); });
        case TypePrize:
            return Trap("Error in searching prizes.", ComPtr<Collection>(),
                        [&] { return SearchPrizes(SearchText, CurSeasonOnly); });
        case TypePosition:
            return Trap("Error in searching positions.", ComPtr<Collection>(),
                        [&] { return SearchPositions(SearchText); });
    }
    return {};
}

void DataService::SearchPlayers(const std::string& text, bool skipRetired, Collection& results) {
    const PlayerSearchQuery query(text, skipRetired);
    std::unique_ptr<db::Statement> oneOff;
    db::Statement* row = nullptr;
    if (query.ClauseCount() <= kCachedPlayerClauses) {
        row = &Db().Cached(query.Sql());
    } else {
        oneOff = std::make_unique<db::Statement>(Db(), query.Sql());
        row = oneOff.get();
    }
    int parameter = 0;
    for (const std::string& pattern : query.Patterns()) row->Bind(++parameter, pattern);
    while (row->Step()) {
        results.Add(PlayerFromColumns(row->GetLong(0), row->GetText(1), row->GetText(2),
                                      row->GetLong(3), row->GetLong(4), row->GetLong(5) != 0));
    }
    row->Reset();
}

void DataService::SearchTeams(const std::string& text, Collection& results) {
    Collection& teams = Teams();
    db::Statement& row = Db().Cached(
        "select [id] from [team info] where [name] like ?1 escape '\\' or "
        "[nickname] like ?1 escape '\\' or [abbr] like ?1 escape '\\' "
        "order by [name] collate caseless, [nickname] collate caseless, "
        "[abbr] collate caseless, [id]");
    row.Bind(1, LikePrefix(text));
    AddById(row, results, [&](int32_t id) { return teams.Item(RecordKey(id)); });
}

ComPtr<Collection> DataService::SearchManagers(const std::string& text, bool curSeasonOnly) {
    db::Statement& row =
        curSeasonOnly
            ? Db().Cached(
                  "select m.[id], m.[first name], m.[last name] "
                  "from [playing info] p inner join [manager info] m on p.[manager id] = m.[id] "
                  "where (p.[season id] = ?2) and (m.[last name] like ?1 escape '\\' or "
                  "m.[first name] like ?1 escape '\\') "
                  "order by m.[first name] collate caseless, "
                  "m.[last name] collate caseless, m.[id]")
            : Db().Cached(
                  "select [id], [first name], [last name] from [manager info] "
                  "where [last name] like ?1 escape '\\' or [first name] like ?1 escape '\\' "
                  "order by [first name] collate caseless, [last name] collate caseless, "
                  "[id]");
    row.Bind(1, LikePrefix(text));
    if (curSeasonOnly) row.Bind(2, m_currentSeasonId);
    ComPtr<Collection> results = Collection::Create();
    while (row.Step())
        results->Add(ManagerTmplFromColumns(row.GetLong(0), row.GetText(1), row.GetText(2)));
    row.Reset();
    return results;
}

ComPtr<Collection> DataService::SearchPrizes(const std::string& text, bool curSeasonOnly) {
    Collection& prizes = PrizeTmpls();
    db::Statement& row =
        curSeasonOnly
            ? Db().Cached(
                  "select p.[id] from [money distribution info] m inner join [prize info] p "
                  "on m.[prize id] = p.[id] "
                  "where (m.[season id] = ?2) and (p.[desc] like ?1 escape '\\') "
                  "order by p.[desc] collate caseless, p.[id]")
            : Db().Cached(
                  "select [id] from [prize info] where [desc] like ?1 escape '\\' "
                  "order by [desc] collate caseless, [id]");
    row.Bind(1, LikeContains(text));
    if (curSeasonOnly) row.Bind(2, m_currentSeasonId);
    ComPtr<Collection> results = Collection::Create();
    AddById(row, *results, [&](int32_t id) { return prizes.Item(RecordKey(id)); });
    return results;
}

ComPtr<Collection> DataService::SearchPositions(const std::string& text) {
    Collection& positions = Positions();
    db::Statement& row = Db().Cached(
        "select [id] from [position info] where [desc] like ?1 escape '\\' "
        "order by [desc] collate caseless, [id]");
    row.Bind(1, LikeContains(text));
    ComPtr<Collection> results = Collection::Create();
    AddById(row, *results, [&](int32_t id) { return positions.Item(RecordKey(id)); });
    return results;
}

}  // namespace gr::data
