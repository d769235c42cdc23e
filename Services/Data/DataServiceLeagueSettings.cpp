// ILeagueSettings: the league's named text settings in [league setting info].
#include <map>
#include <stdexcept>
#include <string>

#include "DataService.h"
#include "SqlDatabase.h"

namespace gr::data {

namespace {

constexpr const char* kCreateTable =
    "create table if not exists [league setting info] ("
    "[name] text primary key not null check ([name] <> ''), [value] text not null)";

// League files made before the settings had a table read as holding none.
bool HasSettingsTable(db::Database& db) {
    db::Statement& query = db.Cached(
        "select count(*) from sqlite_master where type = 'table' and name = 'league setting "
        "info'");
    query.Step();
    const bool exists = query.GetLong(0) > 0;
    query.Reset();
    return exists;
}

}  // namespace

bool DataService::GetLeagueSetting(const std::string& Name, std::string& Value, bool& Found) {
    Value.clear();
    Found = false;
    return Trap("Error in reading league settings.", false, [&] {
        db::Database& db = Db();
        if (!HasSettingsTable(db)) return true;
        db::Statement& query =
            db.Cached("select [value] from [league setting info] where [name] = ?1");
        query.Bind(1, Name);
        Found = query.Step();
        if (Found) Value = query.GetText("value");
        query.Reset();
        return true;
    });
}

bool DataService::SetLeagueSetting(const std::string& Name, const std::string& Value) {
    return Trap("Error in saving league settings.", false, [&] {
        if (Name.empty()) throw std::invalid_argument("A setting needs a name.");
        db::Database& db = Db();
        db::Transaction transaction(db);
        db.Execute(kCreateTable);
        db.Cached("insert or replace into [league setting info] ([name], [value]) values (?1, ?2)")
            .Bind(1, Name)
            .Bind(2, Value)
            .Run();
        transaction.Commit();
        return true;
    });
}

bool DataService::GetLeagueSettings(std::map<std::string, std::string>& Values) {
    Values.clear();
    return Trap("Error in reading league settings.", false, [&] {
        db::Database& db = Db();
        if (!HasSettingsTable(db)) return true;
        db::Statement& query = db.Cached("select [name], [value] from [league setting info]");
        while (query.Step()) Values[query.GetText("name")] = query.GetText("value");
        query.Reset();
        return true;
    });
}

}  // namespace gr::data
