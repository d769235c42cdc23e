#include "Json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "TextTable.h"

namespace gr::admin {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

void Indent(std::string& out, int depth) {
    out.push_back('\n');
    out.append(static_cast<size_t>(depth) * 2, ' ');
}

std::string FormatDouble(double value) {
    if (!std::isfinite(value)) return "null";  // JSON has no infinities
    // The shortest text that reads back as the same number (17 digits always do).
    char buffer[32];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
        if (std::strtod(buffer, nullptr) == value) break;
    }
    return buffer;
}

}  // namespace

std::string JsonQuote(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
                case '"':
                    out += "\\\"";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                case '\b':
                    out += "\\b";
                    break;
                case '\f':
                    out += "\\f";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\t':
                    out += "\\t";
                    break;
                default:
                    if (c < 0x20 || c == 0x7F) {
                        char escape[8];
                        std::snprintf(escape, sizeof escape, "\\u%04x", c);
                        out += escape;
                    } else {
                        out.push_back(static_cast<char>(c));
                    }
            }
            ++i;
            continue;
        }
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += kReplacementCharacter;
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    out.push_back('"');
    return out;
}

Json& Json::Push(Json value) {
    auto* array = std::get_if<Array>(&m_value);
    if (!array) throw std::logic_error("Json::Push on a value that is not an array");
    array->push_back(std::move(value));
    return *this;
}

Json& Json::Set(std::string key, Json value) {
    auto* object = std::get_if<Object>(&m_value);
    if (!object) throw std::logic_error("Json::Set on a value that is not an object");
    object->emplace_back(std::move(key), std::move(value));
    return *this;
}

std::string Json::Dump() const {
    std::string out;
    Write(out, 0);
    out.push_back('\n');
    return out;
}

void Json::Write(std::string& out, int depth) const {
    if (std::holds_alternative<std::nullptr_t>(m_value)) {
        out += "null";
    } else if (const auto* b = std::get_if<bool>(&m_value)) {
        out += *b ? "true" : "false";
    } else if (const auto* i = std::get_if<int64_t>(&m_value)) {
        out += std::to_string(*i);
    } else if (const auto* d = std::get_if<double>(&m_value)) {
        out += FormatDouble(*d);
    } else if (const auto* s = std::get_if<std::string>(&m_value)) {
        out += JsonQuote(*s);
    } else if (const auto* a = std::get_if<Array>(&m_value)) {
        out.push_back('[');
        for (size_t k = 0; k < a->size(); ++k) {
            if (k > 0) out.push_back(',');
            Indent(out, depth + 1);
            (*a)[k].Write(out, depth + 1);
        }
        if (!a->empty()) Indent(out, depth);
        out.push_back(']');
    } else if (const auto* o = std::get_if<Object>(&m_value)) {
        out.push_back('{');
        for (size_t k = 0; k < o->size(); ++k) {
            if (k > 0) out.push_back(',');
            Indent(out, depth + 1);
            out += JsonQuote((*o)[k].first);
            out += ": ";
            (*o)[k].second.Write(out, depth + 1);
        }
        if (!o->empty()) Indent(out, depth);
        out.push_back('}');
    }
}

}  // namespace gr::admin
