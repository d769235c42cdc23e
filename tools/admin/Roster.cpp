#include "Roster.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "Csv.h"
#include "TextTable.h"

namespace gr::admin {

using csv::CsvCell;
using csv::CsvRecord;
using csv::ParseCsv;
using csv::SpreadsheetLine;
using csv::SpreadsheetText;

namespace {

enum Column { kLastName, kFirstName, kPosition, kTeam, kRetired, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {"last_name", "first_name",
                                                                     "position", "team", "retired"};

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::optional<bool> ParseRetired(std::string_view text) {
    const std::string value = LowerAscii(Trim(text));
    if (value.empty() || value == "0" || value == "false" || value == "no") return false;
    if (value == "1" || value == "true" || value == "yes") return true;
    return std::nullopt;
}

bool IsBlankRecord(const CsvRecord& record) {
    return record.error.empty() && record.fields.size() == 1 && Trim(record.fields[0]).empty();
}

// Abbreviations compare without regard to case; the first of equal ones wins.
class CodeIndex {
  public:
    explicit CodeIndex(const std::vector<CodeEntry>& entries) {
        for (const CodeEntry& e : entries) {
            m_byAbbr.emplace(LowerAscii(Trim(e.abbr)), e.id);
            m_byId.emplace(e.id, e.abbr);
        }
    }
    int32_t IdOf(const std::string& abbr) const {
        const auto it = m_byAbbr.find(LowerAscii(abbr));
        return it == m_byAbbr.end() ? 0 : it->second;
    }
    std::string AbbrOf(int32_t id) const {
        const auto it = m_byId.find(id);
        return it == m_byId.end() ? std::string() : it->second;
    }

  private:
    std::unordered_map<std::string, int32_t> m_byAbbr;
    std::unordered_map<int32_t, std::string> m_byId;
};

// Why a record cannot be read at all: broken quoting, or a field far longer than any name,
// which would only fill the league file (and the terminal). Empty when it can.
std::string UnreadableRecord(const CsvRecord& record) {
    if (!record.error.empty()) return "malformed CSV: " + record.error;
    const bool overlong = std::any_of(
        record.fields.begin(), record.fields.end(),
        [](const std::string& field) { return DisplayWidth(field) > kMaxRosterFieldCharacters; });
    if (overlong)
        return "a field is longer than " + std::to_string(kMaxRosterFieldCharacters) +
               " characters";
    return {};
}

// The column of each field of the header, or the reason the header is unusable.
struct Header {
    std::array<int, kColumnCount> index{-1, -1, -1, -1, -1};
    size_t fieldCount = 0;
    std::vector<std::string> problems;
};

Header ReadHeader(const CsvRecord& record) {
    Header header;
    header.fieldCount = record.fields.size();
    if (std::string unreadable = UnreadableRecord(record); !unreadable.empty()) {
        header.problems.push_back(std::move(unreadable));
        return header;
    }
    for (size_t i = 0; i < record.fields.size(); ++i) {
        const std::string name = LowerAscii(Trim(record.fields[i]));
        const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), name);
        if (known == kColumnNames.end()) {
            header.problems.push_back("unknown column '" + name + "'");
            continue;
        }
        int& slot = header.index[static_cast<size_t>(known - kColumnNames.begin())];
        if (slot >= 0) header.problems.push_back("column '" + name + "' appears twice");
        slot = static_cast<int>(i);
    }
    for (int column = kLastName; column <= kTeam; ++column) {
        if (header.index[static_cast<size_t>(column)] < 0)
            header.problems.push_back("missing column '" +
                                      std::string(kColumnNames[static_cast<size_t>(column)]) +
                                      "' (the header is " + std::string(kRosterHeader) + ")");
    }
    return header;
}

// A player's identity for matching: first name, last name and position.
using PlayerKey = std::tuple<std::string, std::string, int32_t>;

class RosterPlanner {
  public:
    RosterPlanner(const RosterReference& reference, const std::vector<CatalogPlayer>& catalogue)
        : m_positions(reference.positions), m_teams(reference.teams) {
        for (const CatalogPlayer& p : catalogue)
            m_catalogue[{Trim(p.firstName), Trim(p.lastName), p.positionId}].push_back(&p);
    }

    ImportPlan Plan(std::string_view csvText) {
        const std::vector<CsvRecord> records = ParseCsv(csvText);
        auto first = std::find_if_not(records.begin(), records.end(), IsBlankRecord);
        if (first == records.end()) {
            m_plan.problems.push_back(
                {1, "the file is empty (the header is " + std::string(kRosterHeader) + ")"});
            return m_plan;
        }
        const Header header = ReadHeader(*first);
        for (const std::string& problem : header.problems)
            m_plan.problems.push_back({first->line, problem});
        if (!header.problems.empty()) return m_plan;
        for (auto it = first + 1; it != records.end(); ++it) {
            if (!IsBlankRecord(*it)) PlanRow(*it, header);
        }
        if (!m_plan.problems.empty()) m_plan.writes.clear();
        return m_plan;
    }

  private:
    struct Row {
        std::string lastName, firstName, position, team;
        int32_t positionId = 0, teamId = 0;
        std::optional<bool> retired;  // nullopt: no retired column
    };

    void PlanRow(const CsvRecord& record, const Header& header) {
        std::vector<std::string> reasons;
        if (std::string unreadable = UnreadableRecord(record); !unreadable.empty()) {
            reasons.push_back(std::move(unreadable));
        } else if (record.fields.size() != header.fieldCount) {
            reasons.push_back("malformed CSV: expected " + std::to_string(header.fieldCount) +
                              " fields, found " + std::to_string(record.fields.size()));
        }
        if (!reasons.empty()) return Reject(record.line, reasons);
        const Row row = ReadRow(record, header, reasons);
        if (!reasons.empty()) return Reject(record.line, reasons);
        PlanMatchedOrNew(record.line, row, reasons);
        if (!reasons.empty()) Reject(record.line, reasons);
    }

    Row ReadRow(const CsvRecord& record, const Header& header, std::vector<std::string>& reasons) {
        // The export guards text that a spreadsheet would run as a formula; it reads back as it
        // was.
        auto field = [&](Column c) {
            return SpreadsheetText(Trim(record.fields[size_t(header.index[c])]));
        };
        Row row;
        row.lastName = field(kLastName);
        row.firstName = field(kFirstName);
        row.position = field(kPosition);
        row.team = field(kTeam);
        if (row.lastName.empty()) reasons.push_back("missing last name");
        if (row.firstName.empty()) reasons.push_back("missing first name");
        if (HasControlCharacter(row.lastName) || HasControlCharacter(row.firstName))
            reasons.push_back("a name holds a line break or another control character");
        // A file saved in a legacy code page would store garbled names.
        if (!IsValidUtf8(row.lastName) || !IsValidUtf8(row.firstName))
            reasons.push_back("a name is not UTF-8 text (save the file as CSV UTF-8)");
        row.positionId = m_positions.IdOf(row.position);
        if (!row.position.empty() && row.positionId == 0)
            reasons.push_back("unknown position '" + row.position + "'");
        row.teamId = m_teams.IdOf(row.team);
        if (!row.team.empty() && row.teamId == 0)
            reasons.push_back("unknown team '" + row.team + "'");
        if (header.index[kRetired] >= 0) {
            row.retired = ParseRetired(field(kRetired));
            if (!row.retired)
                reasons.push_back("retired must be 1 or 0 (or true/false, yes/no), not '" +
                                  field(kRetired) + "'");
        }
        return row;
    }

    void PlanMatchedOrNew(int line, const Row& row, std::vector<std::string>& reasons) {
        const PlayerKey key{row.firstName, row.lastName, row.positionId};
        if (const auto seen = m_seenInFile.find(key); seen != m_seenInFile.end()) {
            reasons.push_back("the same player as line " + std::to_string(seen->second));
            return;
        }
        m_seenInFile.emplace(key, line);
        const auto match = m_catalogue.find(key);
        if (match != m_catalogue.end() && match->second.size() > 1) {
            std::string ids;
            for (const CatalogPlayer* p : match->second)
                ids += (ids.empty() ? "" : ", ") + std::to_string(p->id);
            reasons.push_back("matches several players in the catalogue (ids " + ids + ")");
            return;
        }
        const CatalogPlayer* existing = match == m_catalogue.end() ? nullptr : match->second[0];
        CatalogPlayer after;
        after.lastName = existing ? existing->lastName : row.lastName;
        after.firstName = existing ? existing->firstName : row.firstName;
        after.id = existing ? existing->id : 0;
        after.positionId = row.positionId;
        after.teamId = row.teamId;
        after.retired = row.retired.value_or(existing ? existing->retired : false);
        if (existing && existing->teamId == after.teamId && existing->retired == after.retired) {
            ++m_plan.unchanged;
            return;
        }
        // Every stored player needs a position and a team.
        if (row.position.empty()) reasons.push_back("missing position");
        if (row.team.empty()) reasons.push_back("missing team");
        if (!reasons.empty()) return;
        m_plan.writes.push_back({line, after});
        ++(existing ? m_plan.changed : m_plan.added);
    }

    void Reject(int line, const std::vector<std::string>& reasons) {
        std::string text;
        for (const std::string& r : reasons) text += (text.empty() ? "" : "; ") + r;
        m_plan.problems.push_back({line, text});
    }

    CodeIndex m_positions;
    CodeIndex m_teams;
    std::map<PlayerKey, std::vector<const CatalogPlayer*>> m_catalogue;
    std::map<PlayerKey, int> m_seenInFile;
    ImportPlan m_plan;
};

}  // namespace

ImportPlan PlanRosterImport(std::string_view csvText, const RosterReference& reference,
                            const std::vector<CatalogPlayer>& catalogue) {
    return RosterPlanner(reference, catalogue).Plan(csvText);
}

std::string RosterCsv(std::vector<CatalogPlayer> players, const RosterReference& reference) {
    std::sort(players.begin(), players.end(), [](const CatalogPlayer& a, const CatalogPlayer& b) {
        return std::tie(a.lastName, a.firstName, a.id) < std::tie(b.lastName, b.firstName, b.id);
    });
    const CodeIndex positions(reference.positions);
    const CodeIndex teams(reference.teams);
    std::string text = std::string(kRosterHeader) + "\r\n";
    for (const CatalogPlayer& p : players) {
        text += SpreadsheetLine({CsvCell::Text(p.lastName), CsvCell::Text(p.firstName),
                                 CsvCell::Text(positions.AbbrOf(p.positionId)),
                                 CsvCell::Text(teams.AbbrOf(p.teamId)),
                                 CsvCell::Number(p.retired ? "1" : "0")});
    }
    return text;
}

}  // namespace gr::admin
