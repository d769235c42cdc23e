#include "SearchQuery.h"

#include <algorithm>
#include <set>
#include <utility>

namespace gr::data {

namespace {

constexpr const char kSeparators[] = {' ', ',', ';'};

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Splits one entry at the separator; an entry without it (or an empty one) is its only part.
void SplitEntry(const std::string& entry, char separator, std::vector<std::string>& parts) {
    size_t start = 0;
    for (;;) {
        const size_t at = entry.find(separator, start);
        if (at == std::string::npos) {
            parts.push_back(TrimBlanks(entry.substr(start)));
            return;
        }
        parts.push_back(TrimBlanks(entry.substr(start, at - start)));
        start = at + 1;
    }
}

std::string Like(const std::string& column, int parameter) {
    return "([" + column + "] like ?" + std::to_string(parameter) + " escape '\\')";
}

// ORs the terms as a balanced tree, so that a text of many words cannot exceed the engine's
// expression depth.
std::string OrBalanced(const std::vector<std::string>& terms, size_t begin, size_t end) {
    if (end - begin == 1) return terms[begin];
    const size_t middle = begin + (end - begin) / 2;
    return "(" + OrBalanced(terms, begin, middle) + " or " + OrBalanced(terms, middle, end) + ")";
}

}  // namespace

std::vector<std::string> SplitSearchWords(const std::string& text) {
    std::vector<std::string> words{text};
    for (const char separator : kSeparators) {
        std::vector<std::string> parts;
        for (const std::string& entry : words) SplitEntry(entry, separator, parts);
        // The non-empty parts first, in order; the empty ones follow.
        std::stable_partition(parts.begin(), parts.end(),
                              [](const std::string& part) { return !part.empty(); });
        words = std::move(parts);
    }
    return words;
}

std::string EscapeLike(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == kLikeEscape || c == '%' || c == '_') escaped += kLikeEscape;
        escaped += c;
    }
    return escaped;
}

std::string LikePrefix(const std::string& text) {
    return EscapeLike(text) + "%";
}

std::string LikeContains(const std::string& text) {
    return "%" + EscapeLike(text) + "%";
}

PlayerSearchQuery::PlayerSearchQuery(const std::string& text, bool skipRetired) {
    const std::vector<std::string> words = SplitSearchWords(text);
    std::vector<std::string> clauses;
    if (words.size() == 1) {
        const int w = ParameterOf(words[0]);
        clauses.push_back("(" + Like("last name", w) + " or " + Like("first name", w) + ")");
    } else {
        // A pair matches in either order, so a pair seen before (the same two words, in
        // any order) adds nothing: it is tested once.
        std::set<std::pair<int, int>> seen;
        for (size_t i = 0; i < words.size(); ++i) {
            const size_t j = (i + 1 == words.size()) ? 0 : i + 1;
            const int wi = ParameterOf(words[i]);
            const int wj = ParameterOf(words[j]);
            if (!seen.insert({std::min(wi, wj), std::max(wi, wj)}).second) continue;
            clauses.push_back("((" + Like("last name", wi) + " and " + Like("first name", wj) +
                              ") or (" + Like("last name", wj) + " and " + Like("first name", wi) +
                              "))");
        }
    }
    m_clauseCount = clauses.size();
    m_sql =
        "select [id], [first name], [last name], [position id], [team id], [is retired] "
        "from [player info] where (" +
        OrBalanced(clauses, 0, clauses.size()) + ")";
    if (skipRetired) m_sql += " and ([is retired] = 0)";
    m_sql += " order by [first name] collate caseless, [last name] collate caseless, [id]";
}

int PlayerSearchQuery::ParameterOf(const std::string& word) {
    const auto [found, added] =
        m_parameterOfWord.try_emplace(word, static_cast<int>(m_patterns.size()) + 1);
    if (added) m_patterns.push_back(LikePrefix(word));
    return found->second;
}

}  // namespace gr::data
