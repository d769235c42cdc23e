#include "gr-makedb-reference.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace gr::makedb {

namespace {

constexpr int32_t kTeamDefensePosition = 6;

CsvRow SplitLine(const std::string& line) {
    CsvRow fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Maps the text of one column to the id column of a reference table.
std::map<std::string, int32_t> IdsByText(db::Database& database, const std::string& sql) {
    std::map<std::string, int32_t> ids;
    db::Statement query(database, sql);
    while (query.Step()) ids.emplace(query.GetText("abbr"), query.GetLong("id"));
    return ids;
}

int32_t Lookup(const std::map<std::string, int32_t>& ids, const std::string& key,
               const std::string& what) {
    auto it = ids.find(key);
    if (it == ids.end()) throw std::runtime_error("Unknown " + what + " \"" + key + "\"");
    return it->second;
}

}  // namespace

std::vector<CsvRow> ReadCsv(const std::filesystem::path& file, size_t columns) {
    std::istringstream in(ReadFile(file));
    std::vector<CsvRow> rows;
    std::string line;
    bool header = true;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (header || line.empty()) {
            header = false;
            continue;
        }
        CsvRow row = SplitLine(line);
        if (row.size() != columns)
            throw std::runtime_error(file.string() + ":" + std::to_string(lineNo) + ": expected " +
                                     std::to_string(columns) + " fields");
        rows.push_back(std::move(row));
    }
    return rows;
}

void RunScript(db::Database& database, const std::filesystem::path& script) {
    database.Execute(ReadFile(script));
}

void LoadTeams(db::Database& database, const std::filesystem::path& teamsCsv) {
    db::Statement insert(database,
                         "insert into [team info] ([id], [abbr], [name], [nickname], "
                         "[position id]) values (?, ?, ?, ?, ?)");
    int32_t id = 0;
    for (const CsvRow& row : ReadCsv(teamsCsv, 3)) {
        insert.Bind(1, ++id).Bind(2, row[0]).Bind(3, row[1]).Bind(4, row[2]);
        insert.Bind(5, kTeamDefensePosition).Run();
    }
}

void LoadPlayers(db::Database& database, const std::filesystem::path& playersCsv) {
    const auto positions = IdsByText(database, "select [id], [abbr] from [position info]");
    const auto teams = IdsByText(database, "select [id], [abbr] from [team info]");
    db::Statement insert(database,
                         "insert into [player info] ([id], [last name], [first name], "
                         "[position id], [team id], [is retired]) values (?, ?, ?, ?, ?, 0)");
    int32_t id = 0;
    for (const CsvRow& row : ReadCsv(playersCsv, 4)) {
        insert.Bind(1, ++id).Bind(2, row[0]).Bind(3, row[1]);
        insert.Bind(4, Lookup(positions, row[2], "position"));
        insert.Bind(5, Lookup(teams, row[3], "team")).Run();
    }
}

}  // namespace gr::makedb
