// Comma-separated values as RFC 4180 has them: quoted fields with embedded commas,
// quotes and line breaks, CRLF or LF line ends, UTF-8 with or without a byte-order mark.
// Free of Qt, so that the program and gridora-admin write the same files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gr::csv {

struct CsvRecord {
    int line = 0;  // physical line on which the record starts, from 1
    std::vector<std::string> fields;
    std::string error;  // why the record is malformed; empty when it is sound
};

// Splits text into records. A malformed record is kept with its error so that every bad
// line can be reported; an unterminated quote swallows the rest of the text and ends it.
std::vector<CsvRecord> ParseCsv(std::string_view text);

// One field quoted when it must be (comma, quote, line break, or blanks at either end).
std::string CsvField(std::string_view value);
// One record with CRLF at the end.
std::string CsvLine(const std::vector<std::string>& fields);

// A cell of a file meant for a spreadsheet. Text that a spreadsheet would run as a formula
// (it starts with =, +, -, @, a tab or a carriage return) is written with a leading
// apostrophe, so a name such as =HYPERLINK(...) stays a name; so is text that starts with an
// apostrophe before one of those or another apostrophe, so that SpreadsheetText gives every
// text back as it was. A number is written as it is given, and only when it really is one (an
// optional minus, digits, an optional point with digits), so a negative balance stays a
// number; anything else given as a number is text.
struct CsvCell {
    std::string value;
    bool number = false;

    static CsvCell Text(std::string text) { return {std::move(text), false}; }
    static CsvCell Number(std::string figure) { return {std::move(figure), true}; }
};

std::string SpreadsheetField(const CsvCell& cell);
// The text of a field that SpreadsheetField wrote (after ParseCsv): its guarding apostrophe
// removed, so "'=SUM(A1)" reads as "=SUM(A1)" and "'Tank" stays "'Tank".
std::string SpreadsheetText(std::string_view field);
// One record of cells with CRLF at the end.
std::string SpreadsheetLine(const std::vector<CsvCell>& cells);

}  // namespace gr::csv
