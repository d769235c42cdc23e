// Names compared as a person reads a list, by the league's one caseless order
// (CaselessOrder.h). Every connection (SqlDatabase.cpp) registers:
//   - the collation "caseless", for the result orders of the searches;
//   - the LIKE operator, so that word matching ignores case beyond ASCII as well (SQLite's
//     own LIKE folds A-Z only).
#pragma once

#include <string_view>

struct sqlite3;

namespace gr::db {

// Negative, zero or positive as a comes before, equals or comes after b without regard to
// case. Texts that differ in case only keep their byte order, so the order is total.
int CompareCaseless(std::string_view a, std::string_view b);

// SQL LIKE without regard to case: "%" matches any run of characters, "_" one character,
// and the escape character (none when 0) makes the next character match itself.
bool LikeCaseless(std::string_view pattern, std::string_view text, char32_t escape);

// Registers the collation and the LIKE operator above on the connection.
void RegisterCaselessText(sqlite3* db);

}  // namespace gr::db
