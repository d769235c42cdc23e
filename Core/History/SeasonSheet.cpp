#include "SeasonSheet.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "CaselessOrder.h"
#include "Csv.h"
#include "GRPickUtils.h"
#include "Money.h"

namespace gr::history {

namespace {

enum class Section { Figures, Managers, Prizes, Draft, Winnings };

struct SectionForm {
    Section section;
    std::string_view title;
    std::vector<std::string_view> columns;
};

const std::array<SectionForm, 4>& SectionForms() {
    static const std::array<SectionForm, 4> forms = {{
        {Section::Managers, "Managers", {"Rank", "First name", "Last name", "Fee paid"}},
        {Section::Prizes, "Prizes", {"Prize", "Type", "Amount"}},
        {Section::Draft,
         "Draft",
         {"Round", "Pick", "Manager", "Player or team", "Position", "Team"}},
        {Section::Winnings, "Winnings", {"Prize", "Week", "Manager"}},
    }};
    return forms;
}

// The figures of the block at the top, by the name in their first cell.
struct FigureForm {
    std::string_view name;
    int32_t SeasonSheet::*number = nullptr;
    bool SeasonSheet::*flag = nullptr;
    bool required = false;
    bool money = false;
};

constexpr std::array kFigures = {
    FigureForm{"Season", &SeasonSheet::year, nullptr, true},
    FigureForm{"Number of managers", &SeasonSheet::managerCount, nullptr, false},
    FigureForm{"Rounds", &SeasonSheet::rounds, nullptr, true},
    FigureForm{"Fee", &SeasonSheet::fee, nullptr, true, true},
    FigureForm{"Regular weeks", &SeasonSheet::regularWeeks, nullptr, true},
    FigureForm{"Total weeks", &SeasonSheet::totalWeeks, nullptr, true},
    FigureForm{"Ranking locked", nullptr, &SeasonSheet::rankingLocked},
    FigureForm{"Draft locked", nullptr, &SeasonSheet::draftLocked},
    FigureForm{"Season locked", nullptr, &SeasonSheet::seasonLocked},
    FigureForm{"Season started", nullptr, &SeasonSheet::started},
};

bool SameWord(std::string_view a, std::string_view b) {
    return core::CompareCaseless(a, b) == 0;
}

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

// A whole number of at most kMaxFigure, or none.
constexpr int32_t kMaxFigure = 1000000;
std::optional<int32_t> WholeNumber(const std::string& text) {
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > kMaxFigure)
        return std::nullopt;
    return value;
}

// An amount of money as "460" or "460.00", in cents; none when it is not one.
std::optional<core::Cents> Amount(const std::string& text) {
    const size_t point = text.find('.');
    const std::string units = text.substr(0, point);
    const std::string cents = point == std::string::npos ? "00" : text.substr(point + 1);
    const auto whole = WholeNumber(units);
    const bool digits =
        !cents.empty() && cents.size() <= 2 &&
        std::all_of(cents.begin(), cents.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (units.empty() || !whole || !digits) return std::nullopt;
    return core::CentsOf(*whole) + std::stoi(cents.size() == 1 ? cents + "0" : cents);
}

std::optional<bool> YesNo(const std::string& text) {
    for (std::string_view yes : {"yes", "true", "1"})
        if (SameWord(text, yes)) return true;
    for (std::string_view no : {"no", "false", "0", ""})
        if (SameWord(text, no)) return false;
    return std::nullopt;
}

// The cells of a record, trimmed, without the empty cells a spreadsheet pads rows with.
std::vector<std::string> Cells(const csv::CsvRecord& record) {
    std::vector<std::string> cells;
    cells.reserve(record.fields.size());
    for (const std::string& field : record.fields)
        cells.push_back(Trimmed(csv::SpreadsheetText(Trimmed(field))));
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

class SheetReader {
  public:
    explicit SheetReader(SheetReading& reading) : m_reading(reading), m_sheet(reading.sheet) {}

    void Read(const csv::CsvRecord& record) {
        if (!record.error.empty()) return Fault(record.line, record.error);
        const std::vector<std::string> cells = Cells(record);
        if (cells.empty()) return;
        if (const SectionForm* form = SectionTitled(cells)) return Begin(*form, record.line);
        if (m_awaitingHeader) return ReadHeader(cells, record.line);
        m_line = record.line;
        switch (m_section) {
            case Section::Figures:
                return ReadFigure(cells);
            case Section::Managers:
                return ReadManager(cells);
            case Section::Prizes:
                return ReadPrize(cells);
            case Section::Draft:
                return ReadPick(cells);
            case Section::Winnings:
                return ReadWinning(cells);
        }
    }

    void Finish() {
        for (const FigureForm& figure : kFigures)
            if (figure.required && !m_figuresSeen.contains(std::string(figure.name)))
                Fault(0, "the figure " + std::string(figure.name) + " is missing");
        for (const SectionForm& form : SectionForms())
            if (!m_sectionsSeen.contains(form.section))
                Fault(0, "the " + std::string(form.title) + " section is missing");
        if (m_awaitingHeader) Fault(0, "the last section has no column names");
        if (m_sheet.regularWeeks > m_sheet.totalWeeks)
            Fault(m_sheet.totalWeeksLine, "the season has fewer weeks in all than regular weeks");
    }

  private:
    static const SectionForm* SectionTitled(const std::vector<std::string>& cells) {
        if (cells.size() != 1) return nullptr;
        for (const SectionForm& form : SectionForms())
            if (SameWord(cells[0], form.title)) return &form;
        return nullptr;
    }

    void Begin(const SectionForm& form, int line) {
        if (!m_sectionsSeen.emplace(form.section, line).second)
            Fault(line, "the " + std::string(form.title) + " section comes twice");
        if (m_awaitingHeader) Fault(line, "the section before has no column names");
        m_section = form.section;
        m_form = &form;
        m_awaitingHeader = true;
    }

    void ReadHeader(const std::vector<std::string>& cells, int line) {
        m_awaitingHeader = false;
        const auto& columns = m_form->columns;
        bool same = cells.size() == columns.size();
        for (size_t i = 0; same && i < columns.size(); ++i) same = SameWord(cells[i], columns[i]);
        if (same) return;
        std::string names;
        for (std::string_view column : columns)
            names += (names.empty() ? "" : ",") + std::string(column);
        Fault(line, "the " + std::string(m_form->title) + " section needs the columns " + names);
    }

    // The cell at index, empty when the row is shorter.
    static const std::string& Cell(const std::vector<std::string>& cells, size_t index) {
        static const std::string empty;
        return index < cells.size() ? cells[index] : empty;
    }

    bool FitsColumns(const std::vector<std::string>& cells) {
        if (cells.size() <= m_form->columns.size()) return true;
        Fault(m_line, "the row has more cells than the " + std::string(m_form->title) +
                          " section has columns");
        return false;
    }

    void ReadFigure(const std::vector<std::string>& cells) {
        const auto figure =
            std::find_if(kFigures.begin(), kFigures.end(),
                         [&](const FigureForm& f) { return SameWord(cells[0], f.name); });
        if (figure == kFigures.end()) return Fault(m_line, "unknown figure '" + cells[0] + "'");
        if (!m_figuresSeen.insert(std::string(figure->name)).second)
            return Fault(m_line, "the figure " + std::string(figure->name) + " comes twice");
        const std::string& value = Cell(cells, 1);
        if (cells.size() > 2) return Fault(m_line, "a figure has one value");
        if (figure->flag) {
            const auto flag = YesNo(value);
            if (!flag)
                return Fault(m_line,
                             std::string(figure->name) + " is yes or no, not '" + value + "'");
            m_sheet.*(figure->flag) = *flag;
            return;
        }
        const auto number = figure->money ? WholeAmount(value) : WholeNumber(value);
        if (!number) {
            if (!figure->money)
                Fault(m_line,
                      std::string(figure->name) + " needs a whole number, not '" + value + "'");
            return;
        }
        m_sheet.*(figure->number) = *number;
        if (figure->number == &SeasonSheet::year) m_sheet.yearLine = m_line;
        if (figure->number == &SeasonSheet::totalWeeks) m_sheet.totalWeeksLine = m_line;
        if (figure->number == &SeasonSheet::year && *number < 1)
            Fault(m_line, "the season needs a year such as 2023");
    }

    // A whole amount of money in currency units; a fault for anything else.
    std::optional<int32_t> WholeAmount(const std::string& text) {
        const auto cents = Amount(text);
        if (!cents) {
            Fault(m_line, "'" + text + "' is no amount of money");
            return std::nullopt;
        }
        if (*cents % 100 != 0) {
            Fault(m_line, "the league keeps whole amounts, not " + core::MoneyText(*cents));
            return std::nullopt;
        }
        return static_cast<int32_t>(*cents / 100);
    }

    void ReadManager(const std::vector<std::string>& cells) {
        if (!FitsColumns(cells)) return;
        SheetManager manager{m_line, 0, Cell(cells, 1), Cell(cells, 2), false};
        if (!Cell(cells, 0).empty()) {
            const auto rank = WholeNumber(Cell(cells, 0));
            if (!rank || *rank < 1)
                return Fault(m_line, "the rank is a whole number from 1 or empty");
            manager.rank = *rank;
        }
        if (manager.lastName.empty()) return Fault(m_line, "the manager has no last name");
        const auto paid = YesNo(Cell(cells, 3));
        if (!paid) return Fault(m_line, "Fee paid is yes or no, not '" + Cell(cells, 3) + "'");
        manager.feePaid = *paid;
        m_sheet.managers.push_back(std::move(manager));
    }

    void ReadPrize(const std::vector<std::string>& cells) {
        if (!FitsColumns(cells)) return;
        SheetPrize prize{m_line, Cell(cells, 0), Cell(cells, 1), 0};
        if (prize.name.empty()) return Fault(m_line, "the prize has no name");
        if (prize.type.empty()) return Fault(m_line, "the prize has no type");
        const auto amount = WholeAmount(Cell(cells, 2));
        if (!amount) return;
        prize.amount = *amount;
        m_sheet.prizes.push_back(std::move(prize));
    }

    void ReadPick(const std::vector<std::string>& cells) {
        if (!FitsColumns(cells)) return;
        const auto round = WholeNumber(Cell(cells, 0));
        const auto pick = WholeNumber(Cell(cells, 1));
        if (!round || !pick || *round < 1 || *pick < 1)
            return Fault(m_line, "Round and Pick are whole numbers from 1");
        SheetPick entry{m_line,         *round,         *pick,         Cell(cells, 2),
                        Cell(cells, 3), Cell(cells, 4), Cell(cells, 5)};
        if (entry.playerOrTeam.empty()) return Fault(m_line, "the pick names no player or team");
        m_sheet.picks.push_back(std::move(entry));
    }

    void ReadWinning(const std::vector<std::string>& cells) {
        if (!FitsColumns(cells)) return;
        SheetWinning win{m_line, Cell(cells, 0), 0, Cell(cells, 2)};
        if (win.prize.empty()) return Fault(m_line, "the winning names no prize");
        if (win.manager.empty()) return Fault(m_line, "the winning names no manager");
        if (!Cell(cells, 1).empty()) {
            const auto week = WholeNumber(Cell(cells, 1));
            if (!week || *week < 1)
                return Fault(m_line, "the week is a whole number from 1 or empty");
            win.week = *week;
        }
        m_sheet.winnings.push_back(std::move(win));
    }

    void Fault(int line, std::string reason) {
        m_reading.problems.push_back({line, std::move(reason)});
    }

    SheetReading& m_reading;
    SeasonSheet& m_sheet;
    Section m_section = Section::Figures;
    const SectionForm* m_form = nullptr;
    bool m_awaitingHeader = false;
    int m_line = 0;
    std::map<Section, int> m_sectionsSeen;
    std::set<std::string> m_figuresSeen;
};

// ---- Writing -----------------------------------------------------------------------------

using csv::CsvCell;

CsvCell Number(int64_t value) {
    return CsvCell::Number(std::to_string(value));
}
CsvCell Money(int32_t units) {
    return CsvCell::Number(core::MoneyText(core::CentsOf(units)));
}
CsvCell YesNoCell(bool value) {
    return CsvCell::Text(value ? "yes" : "no");
}

template <class Row>
const Row* ById(const std::vector<Row>& rows, int32_t id) {
    const auto it = std::lower_bound(rows.begin(), rows.end(), id,
                                     [](const Row& r, int32_t key) { return r.id < key; });
    return it != rows.end() && it->id == id ? &*it : nullptr;
}

void WriteHeaderRow(std::string& out, const SectionForm& form) {
    out += "\r\n" + csv::SpreadsheetLine({CsvCell::Text(std::string(form.title))});
    std::vector<CsvCell> names;
    for (std::string_view column : form.columns)
        names.push_back(CsvCell::Text(std::string(column)));
    out += csv::SpreadsheetLine(names);
}

std::string ManagerName(const LeagueRows& league, int32_t id) {
    const ManagerRow* m = ById(league.managers, id);
    return m ? FullName(m->firstName, m->lastName) : std::string();
}

std::string Abbr(const std::vector<PositionRow>& positions, int32_t id) {
    const PositionRow* p = ById(positions, id);
    return p ? p->abbr : std::string();
}

void WritePick(std::string& out, const LeagueRows& league, const SeasonRow& season,
               const DraftRow& d) {
    std::string name, position, team;
    if (const PlayerRow* player = d.playerId > 0 ? ById(league.players, d.playerId) : nullptr) {
        name = FullName(player->firstName, player->lastName);
        position = Abbr(league.positions, player->positionId);
        if (const TeamRow* t = ById(league.teams, player->teamId)) team = t->abbr;
    } else if (const TeamRow* t = d.teamId > 0 ? ById(league.teams, d.teamId) : nullptr) {
        name = FullName(t->name, t->nickname);
        position = Abbr(league.positions, t->positionId);
        team = t->abbr;
    } else {
        return;  // an empty pick is no line of the sheet
    }
    const int32_t managers = std::max(season.managers, 1);
    out += csv::SpreadsheetLine(
        {Number(RoundOfPick(d.draftNo, managers)), Number((d.draftNo - 1) % managers + 1),
         CsvCell::Text(ManagerName(league, d.managerId)), CsvCell::Text(name),
         CsvCell::Text(position), CsvCell::Text(team)});
}

std::string FiguresCsv(const SeasonRow& season) {
    const auto figure = [](std::string_view name, CsvCell value) {
        return csv::SpreadsheetLine({CsvCell::Text(std::string(name)), std::move(value)});
    };
    return figure("Season", Number(season.year)) +
           figure("Number of managers", Number(season.managers)) +
           figure("Rounds", Number(season.rounds)) + figure("Fee", Money(season.fee)) +
           figure("Regular weeks", Number(season.regularWeeks)) +
           figure("Total weeks", Number(season.totalWeeks)) +
           figure("Ranking locked", YesNoCell(season.rankingLocked)) +
           figure("Draft locked", YesNoCell(season.draftLocked)) +
           figure("Season locked", YesNoCell(season.seasonLocked)) +
           figure("Season started", YesNoCell(season.started));
}

void WriteManagers(std::string& out, const LeagueRows& league, int32_t seasonId) {
    for (const PlayingRow& p : league.playing) {
        if (p.seasonId != seasonId) continue;
        const ManagerRow* m = ById(league.managers, p.managerId);
        out += csv::SpreadsheetLine({p.ranking > 0 ? Number(p.ranking) : CsvCell::Text(""),
                                     CsvCell::Text(m ? m->firstName : ""),
                                     CsvCell::Text(m ? m->lastName : ""), YesNoCell(p.feePaid)});
    }
}

void WritePrizes(std::string& out, const LeagueRows& league, int32_t seasonId) {
    for (const MoneyRow& money : league.money) {
        if (money.seasonId != seasonId) continue;
        const PrizeRow* prize = ById(league.prizes, money.prizeId);
        const PrizeTypeRow* type = prize ? ById(league.prizeTypes, prize->typeId) : nullptr;
        out += csv::SpreadsheetLine({CsvCell::Text(prize ? prize->desc : ""),
                                     CsvCell::Text(type ? type->name : ""), Money(money.money)});
    }
}

void WriteWinnings(std::string& out, const LeagueRows& league, int32_t seasonId) {
    for (const WinningRow& w : league.winnings) {
        if (w.seasonId != seasonId) continue;
        const PrizeRow* prize = ById(league.prizes, w.prizeId);
        out += csv::SpreadsheetLine({CsvCell::Text(prize ? prize->desc : ""),
                                     w.week > 0 ? Number(w.week) : CsvCell::Text(""),
                                     CsvCell::Text(ManagerName(league, w.managerId))});
    }
}

}  // namespace

std::string FullName(std::string_view firstName, std::string_view lastName) {
    if (firstName.empty()) return std::string(lastName);
    return std::string(firstName) + " " + std::string(lastName);
}

SheetReading ReadSeasonSheet(std::string_view csvText) {
    SheetReading reading;
    SheetReader reader(reading);
    for (const csv::CsvRecord& record : csv::ParseCsv(csvText)) reader.Read(record);
    reader.Finish();
    std::stable_sort(reading.problems.begin(), reading.problems.end(),
                     [](const LineProblem& a, const LineProblem& b) { return a.line < b.line; });
    return reading;
}

std::string SeasonSheetCsv(const LeagueRows& league, int32_t year) {
    const auto season = std::find_if(league.seasons.begin(), league.seasons.end(),
                                     [year](const SeasonRow& s) { return s.year == year; });
    if (season == league.seasons.end()) return {};
    std::string out = FiguresCsv(*season);
    const auto& forms = SectionForms();
    WriteHeaderRow(out, forms[0]);
    WriteManagers(out, league, season->id);
    WriteHeaderRow(out, forms[1]);
    WritePrizes(out, league, season->id);
    WriteHeaderRow(out, forms[2]);
    for (const DraftRow& d : league.drafts)
        if (d.seasonId == season->id) WritePick(out, league, *season, d);
    WriteHeaderRow(out, forms[3]);
    WriteWinnings(out, league, season->id);
    return out;
}

}  // namespace gr::history
