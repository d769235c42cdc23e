#include "MiniJson.h"

#include <cstdlib>

namespace gr::admin::test {

const JsonNode* JsonNode::Find(std::string_view key) const {
    for (const auto& [name, value] : members)
        if (name == key) return &value;
    return nullptr;
}

namespace {

class Parser {
  public:
    explicit Parser(std::string_view text) : m_text(text) {}

    bool ParseDocument(JsonNode& out, std::string& error) {
        SkipBlanks();
        bool ok = ParseValue(out, 0) && (SkipBlanks(), m_pos == m_text.size());
        if (ok) return true;
        if (m_error.empty()) m_error = "text after the document";
        error = m_error + " at offset " + std::to_string(m_pos);
        return false;
    }

  private:
    static constexpr int kMaxDepth = 200;

    bool Fail(const char* why) {
        if (m_error.empty()) m_error = why;
        return false;
    }
    char Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    bool Eat(char c) {
        if (Peek() != c || m_pos >= m_text.size()) return false;
        ++m_pos;
        return true;
    }
    void SkipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }
    bool Literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) return Fail("unknown literal");
        m_pos += word.size();
        return true;
    }

    bool ParseValue(JsonNode& out, int depth) {
        if (depth > kMaxDepth) return Fail("nested too deeply");
        switch (Peek()) {
            case '{':
                return ParseObject(out, depth);
            case '[':
                return ParseArray(out, depth);
            case '"':
                out.kind = JsonNode::Kind::String;
                return ParseString(out.text);
            case 't':
                out.kind = JsonNode::Kind::Bool;
                out.boolean = true;
                return Literal("true");
            case 'f':
                out.kind = JsonNode::Kind::Bool;
                return Literal("false");
            case 'n':
                out.kind = JsonNode::Kind::Null;
                return Literal("null");
            default:
                return ParseNumber(out);
        }
    }

    bool ParseObject(JsonNode& out, int depth) {
        out.kind = JsonNode::Kind::Object;
        ++m_pos;
        SkipBlanks();
        if (Eat('}')) return true;
        while (true) {
            SkipBlanks();
            std::string key;
            if (Peek() != '"' || !ParseString(key)) return Fail("expected a member name");
            SkipBlanks();
            if (!Eat(':')) return Fail("expected ':'");
            SkipBlanks();
            JsonNode value;
            if (!ParseValue(value, depth + 1)) return false;
            out.members.push_back({std::move(key), std::move(value)});
            SkipBlanks();
            if (Eat('}')) return true;
            if (!Eat(',')) return Fail("expected ',' or '}'");
        }
    }

    bool ParseArray(JsonNode& out, int depth) {
        out.kind = JsonNode::Kind::Array;
        ++m_pos;
        SkipBlanks();
        if (Eat(']')) return true;
        while (true) {
            SkipBlanks();
            JsonNode value;
            if (!ParseValue(value, depth + 1)) return false;
            out.items.push_back(std::move(value));
            SkipBlanks();
            if (Eat(']')) return true;
            if (!Eat(',')) return Fail("expected ',' or ']'");
        }
    }

    bool Digits() {
        const size_t start = m_pos;
        while (Peek() >= '0' && Peek() <= '9') ++m_pos;
        return m_pos > start;
    }

    bool ParseNumber(JsonNode& out) {
        const size_t start = m_pos;
        Eat('-');
        if (Eat('0')) {
            if (Peek() >= '0' && Peek() <= '9') return Fail("leading zero");
        } else if (!Digits()) {
            return Fail("expected a value");
        }
        if (Eat('.') && !Digits()) return Fail("expected digits after '.'");
        if (Peek() == 'e' || Peek() == 'E') {
            ++m_pos;
            if (!Eat('+')) Eat('-');
            if (!Digits()) return Fail("expected exponent digits");
        }
        out.kind = JsonNode::Kind::Number;
        out.number = std::strtod(std::string(m_text.substr(start, m_pos - start)).c_str(), nullptr);
        return true;
    }

    bool Hex4(unsigned& value) {
        if (m_pos + 4 > m_text.size()) return Fail("short \\u escape");
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_pos++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= unsigned(c - 'A' + 10);
            else
                return Fail("bad \\u escape");
        }
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }

    bool Escape(std::string& out) {
        const char c = m_pos < m_text.size() ? m_text[m_pos++] : '\0';
        switch (c) {
            case '"':
                out.push_back('"');
                return true;
            case '\\':
                out.push_back('\\');
                return true;
            case '/':
                out.push_back('/');
                return true;
            case 'b':
                out.push_back('\b');
                return true;
            case 'f':
                out.push_back('\f');
                return true;
            case 'n':
                out.push_back('\n');
                return true;
            case 'r':
                out.push_back('\r');
                return true;
            case 't':
                out.push_back('\t');
                return true;
            case 'u':
                break;
            default:
                return Fail("bad escape");
        }
        unsigned cp = 0;
        if (!Hex4(cp)) return false;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            unsigned low = 0;
            if (!Eat('\\') || !Eat('u') || !Hex4(low) || low < 0xDC00 || low > 0xDFFF)
                return Fail("lone surrogate");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return Fail("lone surrogate");
        }
        AppendUtf8(out, cp);
        return true;
    }

    bool ParseString(std::string& out) {
        ++m_pos;  // opening quote
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in string");
            if (c == '\\') {
                if (!Escape(out)) return false;
            } else {
                out.push_back(c);
            }
        }
        return Fail("unterminated string");
    }

    std::string_view m_text;
    size_t m_pos = 0;
    std::string m_error;
};

}  // namespace

bool ParseJson(std::string_view text, JsonNode& out, std::string& error) {
    out = JsonNode{};
    return Parser(text).ParseDocument(out, error);
}

}  // namespace gr::admin::test
