// Search texts turned into SQL with bound LIKE patterns. The user's text never enters the
// SQL itself: it only becomes pattern parameters, escaped so that every character,
// including the quote, "%" and "_", matches itself.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace gr::data {

// The escape character of every pattern built here (written as ESCAPE '\' in the SQL).
inline constexpr char kLikeEscape = '\\';

// The words of a player search text: split at " ", then ",", then ";". Each round splits
// every entry at the separator and trims blanks from the parts; the new list holds the
// non-empty parts in order followed by one empty word for each empty part. An empty text
// gives one empty word.
std::vector<std::string> SplitSearchWords(const std::string& text);

// text with "\", "%" and "_" escaped, so that LIKE matches it literally.
std::string EscapeLike(const std::string& text);
// Matches values that begin with text.
std::string LikePrefix(const std::string& text);
// Matches values that contain text.
std::string LikeContains(const std::string& text);

// The player query of a search text. Every neighbouring pair of words (taken cyclically)
// must match the last name and the first name, in either order; a single word must begin
// either name. Columns: id, first name, last name, position id, team id, is retired.
class PlayerSearchQuery {
  public:
    PlayerSearchQuery(const std::string& text, bool skipRetired);

    const std::string& Sql() const { return m_sql; }
    // The patterns for ?1, ?2, ... in order.
    const std::vector<std::string>& Patterns() const { return m_patterns; }
    // Number of word pairs the query tests (1 for a single word).
    size_t ClauseCount() const { return m_clauseCount; }

  private:
    // The parameter number of a word's pattern, adding the pattern when it is new.
    int ParameterOf(const std::string& word);

    std::vector<std::string> m_patterns;
    std::unordered_map<std::string, int> m_parameterOfWord;
    std::string m_sql;
    size_t m_clauseCount = 0;
};

}  // namespace gr::data
