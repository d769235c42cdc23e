#include "LeagueState.h"

#include <functional>
#include <vector>

#include "GRServiceUtils.h"
#include "SqlDatabase.h"
#include "TempFolder.h"

namespace gr::test {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> TableNames(db::Database& league) {
    std::vector<std::string> names;
    db::Statement tables(league,
                         "select name from sqlite_master where type = 'table' order by name");
    while (tables.Step()) names.push_back(tables.GetText(0));
    return names;
}

// The first row of a check that answers "ok" or nothing when all is well.
std::string FirstRow(db::Database& league, const std::string& check) {
    db::Statement rows(league, check);
    if (!rows.Step()) return {};
    std::string row;
    for (int column = 0; column < rows.ColumnCount(); ++column)
        row += (column ? " " : "") + rows.GetText(column);
    return row == "ok" ? std::string() : check + ": " + row;
}

}  // namespace

std::string LeagueDump(const std::string& path) {
    db::Database league(path, GetDatabaseKey());
    std::string dump;
    for (const std::string& table : TableNames(league)) {
        // Table names come from the file's own catalogue, not from users.
        db::Statement rows(league, "select * from [" + table + "] order by rowid");
        dump += "[" + table + "]\n";
        while (rows.Step()) {
            for (int column = 0; column < rows.ColumnCount(); ++column)
                dump += (rows.IsNull(column) ? "<null>" : rows.GetText(column)) + "|";
            dump += "\n";
        }
    }
    return dump;
}

std::string LeagueFault(const std::string& path) {
    try {
        db::Database league(path, GetDatabaseKey());
        std::string fault = FirstRow(league, "pragma integrity_check");
        if (fault.empty()) fault = FirstRow(league, "pragma foreign_key_check");
        return fault;
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::map<std::string, std::string> FolderBytes(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string& described = entries[entry.path().filename().string()];
        if (entry.is_directory()) {
            described = "<folder>";
            continue;
        }
        const std::string bytes = ReadBytes(entry.path().string());
        described = std::to_string(bytes.size()) + " bytes, hash " +
                    std::to_string(std::hash<std::string>{}(bytes));
    }
    return entries;
}

}  // namespace gr::test
