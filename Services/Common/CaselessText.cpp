#include "CaselessText.h"

#include <sqlite3.h>

#include "CaselessOrder.h"

namespace gr::db {

namespace {

using core::AsciiLower;
using core::FoldCase;
using core::NextCharacter;

enum class LikeStep { Matched, Percent, Mismatch };

// Matches the pattern's next character at p against the text's at t. Matched moves both past
// them, Percent moves p past a "%", Mismatch moves neither.
LikeStep MatchStep(std::string_view pattern, size_t& p, std::string_view text, size_t& t,
                   char32_t escape) {
    // Most names are ASCII: a plain letter against a plain letter needs no decoding.
    const auto pb = static_cast<unsigned char>(pattern[p]);
    const auto tb = static_cast<unsigned char>(text[t]);
    if (pb < 0x80 && tb < 0x80 && pb != '%' && pb != '_' && pb != escape) {
        if (AsciiLower(pb) != AsciiLower(tb)) return LikeStep::Mismatch;
        ++p;
        ++t;
        return LikeStep::Matched;
    }
    size_t pNext = p;
    char32_t pc = NextCharacter(pattern, pNext);
    bool literal = false;
    if (escape != 0 && pc == escape) {
        if (pNext >= pattern.size()) return LikeStep::Mismatch;  // nothing after the escape
        pc = NextCharacter(pattern, pNext);
        literal = true;
    }
    if (!literal && pc == '%') {
        p = pNext;
        return LikeStep::Percent;
    }
    size_t tNext = t;
    const char32_t tc = NextCharacter(text, tNext);
    if (!(!literal && pc == '_') && FoldCase(pc) != FoldCase(tc)) return LikeStep::Mismatch;
    p = pNext;
    t = tNext;
    return LikeStep::Matched;
}

int Caseless(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return CompareCaseless(
        std::string_view(static_cast<const char*>(a), static_cast<size_t>(lengthA)),
        std::string_view(static_cast<const char*>(b), static_cast<size_t>(lengthB)));
}

// The text of a value; false for null.
bool TextOf(sqlite3_value* value, std::string_view& text) {
    const auto* chars = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (!chars) return false;
    text = std::string_view(chars, static_cast<size_t>(sqlite3_value_bytes(value)));
    return true;
}

// like(pattern, text [, escape]), the function behind "text LIKE pattern [ESCAPE escape]".
// A null operand gives null, as SQLite's own.
void Like(sqlite3_context* context, int argc, sqlite3_value** argv) {
    std::string_view pattern;
    std::string_view text;
    if (!TextOf(argv[0], pattern) || !TextOf(argv[1], text)) return;
    char32_t escape = 0;
    if (argc == 3) {
        std::string_view e;
        if (!TextOf(argv[2], e)) return;
        size_t at = 0;
        if (!e.empty()) escape = NextCharacter(e, at);
        if (e.empty() || at != e.size()) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
    }
    sqlite3_result_int(context, LikeCaseless(pattern, text, escape) ? 1 : 0);
}

}  // namespace

int CompareCaseless(std::string_view a, std::string_view b) {
    const int order = core::CompareCaseless(a, b);
    return order != 0 ? order : a.compare(b);
}

bool LikeCaseless(std::string_view pattern, std::string_view text, char32_t escape) {
    size_t p = 0;
    size_t t = 0;
    // Where the last "%" stood and how much of the text it has taken so far: on a mismatch it
    // takes one character more and matching resumes after it.
    size_t afterPercent = std::string_view::npos;
    size_t percentTook = 0;
    while (t < text.size()) {
        const LikeStep step =
            p < pattern.size() ? MatchStep(pattern, p, text, t, escape) : LikeStep::Mismatch;
        if (step == LikeStep::Matched) continue;
        if (step == LikeStep::Percent) {
            if (p == pattern.size()) return true;  // a final "%" takes the rest
            afterPercent = p;
            percentTook = t;
            continue;
        }
        if (afterPercent == std::string_view::npos) return false;
        NextCharacter(text, percentTook);
        t = percentTook;
        p = afterPercent;
    }
    // The text is used up: only "%" may be left of the pattern.
    while (p < pattern.size())
        if (NextCharacter(pattern, p) != '%') return false;
    return true;
}

void RegisterCaselessText(sqlite3* db) {
    sqlite3_create_collation_v2(db, "caseless", SQLITE_UTF8, nullptr, Caseless, nullptr);
    for (const int arguments : {2, 3})
        sqlite3_create_function_v2(db, "like", arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                   nullptr, Like, nullptr, nullptr, nullptr);
}

}  // namespace gr::db
