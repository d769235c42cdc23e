// Comma-separated values as RFC 4180 has them: quoted fields with embedded commas,
// quotes and line breaks, CRLF or LF line ends, UTF-8 with or without a byte-order mark.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gr::admin {

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

}  // namespace gr::admin
