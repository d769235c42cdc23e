#include "Csv.h"

namespace gr::csv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Reads records one after another, keeping track of the physical line.
class CsvScanner {
  public:
    explicit CsvScanner(std::string_view text) : m_text(text) {
        if (m_text.starts_with(kByteOrderMark)) m_text.remove_prefix(kByteOrderMark.size());
    }

    bool AtEnd() const { return m_pos >= m_text.size(); }

    CsvRecord Next() {
        CsvRecord record;
        record.line = m_line;
        std::string field;
        while (true) {
            if (AtEnd()) {
                record.fields.push_back(std::move(field));
                return record;
            }
            const char c = m_text[m_pos];
            if (c == '"' && field.empty() && !m_fieldHadText) {
                ++m_pos;
                if (!ReadQuoted(field)) {
                    record.error = "unterminated quoted field";
                    record.fields.push_back(std::move(field));
                    return record;
                }
                m_fieldHadText = true;
                if (!AtEnd() && !IsFieldEnd(m_text[m_pos])) {
                    record.error = "unexpected text after a closing quote";
                    SkipRestOfRecord();
                    return record;
                }
                continue;
            }
            if (c == '"') {
                record.error = "quote inside an unquoted field";
                SkipRestOfRecord();
                return record;
            }
            if (c == ',') {
                ++m_pos;
                record.fields.push_back(std::move(field));
                field.clear();
                m_fieldHadText = false;
                continue;
            }
            if (ConsumeLineEnd()) {
                record.fields.push_back(std::move(field));
                m_fieldHadText = false;
                return record;
            }
            field.push_back(c);
            m_fieldHadText = true;
            ++m_pos;
        }
    }

  private:
    static bool IsFieldEnd(char c) { return c == ',' || c == '\r' || c == '\n'; }

    // A quoted field runs to the quote that is not doubled; false when there is none.
    bool ReadQuoted(std::string& field) {
        while (!AtEnd()) {
            const char c = m_text[m_pos];
            if (c == '"') {
                if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
                    field.push_back('"');
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                return true;
            }
            if (c == '\n') ++m_line;
            field.push_back(c);
            ++m_pos;
        }
        return false;
    }

    bool ConsumeLineEnd() {
        if (m_text[m_pos] == '\n') {
            ++m_pos;
            ++m_line;
            return true;
        }
        if (m_text[m_pos] == '\r') {
            ++m_pos;
            if (!AtEnd() && m_text[m_pos] == '\n') ++m_pos;
            ++m_line;
            return true;
        }
        return false;
    }

    // After a fault the record ends at the next line end, quotes no longer counted.
    void SkipRestOfRecord() {
        while (!AtEnd() && !ConsumeLineEnd()) ++m_pos;
        m_fieldHadText = false;
    }

    std::string_view m_text;
    size_t m_pos = 0;
    int m_line = 1;
    bool m_fieldHadText = false;
};

}  // namespace

std::vector<CsvRecord> ParseCsv(std::string_view text) {
    std::vector<CsvRecord> records;
    CsvScanner scanner(text);
    // An unterminated quote reads to the end of the text, so the loop ends with it.
    while (!scanner.AtEnd()) records.push_back(scanner.Next());
    return records;
}

std::string CsvField(std::string_view value) {
    const bool needsQuotes = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                             (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!needsQuotes) return std::string(value);
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"') quoted.push_back('"');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line.push_back(',');
        line += CsvField(fields[i]);
    }
    line += "\r\n";
    return line;
}

namespace {

bool IsPlainNumber(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return digits(whole) && digits(fraction);
}

bool RunsAsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

// Text behind an apostrophe that reading removes: the guard of a formula, or of such text.
bool IsGuarded(std::string_view text) {
    return text.size() > 1 && text.front() == '\'' &&
           (RunsAsFormula(text.substr(1)) || text[1] == '\'');
}

}  // namespace

std::string SpreadsheetField(const CsvCell& cell) {
    if (cell.number && IsPlainNumber(cell.value)) return cell.value;
    if (RunsAsFormula(cell.value) || IsGuarded(cell.value)) return CsvField("'" + cell.value);
    return CsvField(cell.value);
}

std::string SpreadsheetText(std::string_view field) {
    return std::string(IsGuarded(field) ? field.substr(1) : field);
}

std::string SpreadsheetLine(const std::vector<CsvCell>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line.push_back(',');
        line += SpreadsheetField(cells[i]);
    }
    line += "\r\n";
    return line;
}

}  // namespace gr::csv
