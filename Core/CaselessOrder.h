// Names in the order a person reads a list: letters without regard to case, for every
// alphabet the C library's Unicode tables know (É and é, Ω and ω), so "DeAndre", "Deebo",
// "DeeJay" and "DeVante" come in that order. Letters compare by their lower-case code point:
// accented letters sort after the plain alphabet ("Zoe" before "Émile"), not beside their
// base letter. The database's "caseless" collation, the screens' manager lists and the money
// reports all sort by this one rule.
#pragma once

#include <cstddef>
#include <string_view>

namespace gr::core {

// The next character of UTF-8 text at i, moving i past it. A byte that does not start a
// well-formed sequence stands for itself (in the surrogate range, which no character decodes
// to), so any text compares and matches deterministically.
char32_t NextCharacter(std::string_view text, size_t& i);

// A-Z in lower case, every other character as it is: what FoldCase does for ASCII.
constexpr char32_t AsciiLower(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

// The character in lower case by the Unicode tables (A-Z alone without them).
char32_t FoldCase(char32_t c);

// Negative, zero or positive as a comes before, equals or comes after b without regard to
// case; texts that differ in case only compare equal.
int CompareCaseless(std::string_view a, std::string_view b);

// Whether a comes before b without regard to case.
inline bool CaselessBefore(std::string_view a, std::string_view b) {
    return CompareCaseless(a, b) < 0;
}

}  // namespace gr::core
