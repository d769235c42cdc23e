// How the setup database's text columns are read and how dates are written.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace gr::setup {

using Date = std::chrono::year_month_day;

// The date that stands for "never": 30 December 1899.
Date ZeroDate();

// The leading number of a text: leading blanks skipped, an optional sign, digits with
// at most one decimal point; reading stops at the first other character. Empty or
// non-numeric text gives 0.
double LeadingNumber(const std::string& text);

// The leading number rounded to the nearest whole number, halves to the even
// neighbour. A number outside the Long range reads as 0.
int32_t ReadLong(const std::string& text);

// A date column: when the leading number is 0 (empty, non-numeric) or the text is not a
// valid yyyy-mm-dd date, the zero date.
Date ReadDate(const std::string& text);

// "yyyy-mm-dd", the short date format of the setup database.
std::string ShortDate(const Date& date);

// "yyyymmdd", the date part of backup file names.
std::string CompactDate(const Date& date);

// The backup counter: at least two digits, zero-padded ("01", "02", ..., "100").
std::string CounterText(int32_t counter);

}  // namespace gr::setup
