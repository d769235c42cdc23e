#include "HtmlParser.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace gr::ui {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string TagName(const GumboElement& element) {
    if (element.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(element.tag);
    GumboStringPiece piece = element.original_tag;
    gumbo_tag_from_original_text(&piece);
    return Lower(std::string(piece.data, piece.length));
}

GumboTag ContextTag(const std::string& tag) {
    const GumboTag t = gumbo_tag_enum(tag.c_str());
    return t == GUMBO_TAG_UNKNOWN ? GUMBO_TAG_DIV : t;
}

struct OutputDeleter {
    void operator()(GumboOutput* output) const {
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
};

class Converter {
  public:
    ElementPtr convert(const GumboNode& node) {
        switch (node.type) {
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_WHITESPACE:
            case GUMBO_NODE_CDATA:
                return HtmlElement::CreateText(node.v.text.text);
            case GUMBO_NODE_COMMENT:
                return HtmlElement::CreateComment(node.v.text.text);
            case GUMBO_NODE_ELEMENT:
            case GUMBO_NODE_TEMPLATE:
                return convertElement(node.v.element);
            case GUMBO_NODE_DOCUMENT:
                break;
        }
        return nullptr;
    }

  private:
    ElementPtr convertElement(const GumboElement& element) {
        ElementPtr out = HtmlElement::CreateElement(TagName(element));
        for (unsigned i = 0; i < element.attributes.length; ++i) {
            const auto* attr = static_cast<const GumboAttribute*>(element.attributes.data[i]);
            if (!out->hasAttribute(attr->name)) out->setAttribute(attr->name, attr->value);
        }
        for (unsigned i = 0; i < element.children.length; ++i) {
            if (ElementPtr child =
                    convert(*static_cast<const GumboNode*>(element.children.data[i])))
                out->appendChild(child);
        }
        return out;
    }
};

bool IsVoid(const std::string& tag) {
    static const char* const kVoid[] = {"area",  "base",   "br",    "col",  "embed",
                                        "hr",    "img",    "input", "link", "meta",
                                        "param", "source", "track", "wbr",  "keygen"};
    return std::any_of(std::begin(kVoid), std::end(kVoid), [&](const char* v) { return tag == v; });
}

bool IsRawText(const std::string& tag) {
    return tag == "style" || tag == "script" || tag == "xmp" || tag == "iframe" ||
           tag == "noembed" || tag == "noframes" || tag == "plaintext";
}

void AppendEscaped(const std::string& text, std::string& out, bool attribute) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') {
            out += "&amp;";
        } else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
            out += "&nbsp;";
            ++i;
        } else if (attribute && c == '"') {
            out += "&quot;";
        } else if (!attribute && c == '<') {
            out += "&lt;";
        } else if (!attribute && c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
    }
}

}  // namespace

bool IsMirroredAttribute(const std::string& name) {
    // Inline event handlers would run script in the view; the kit delivers events itself.
    // data-k is the kit's own name for the node and must not be taken from markup.
    const bool handler = name.size() > 2 && name[0] == 'o' && name[1] == 'n';
    return !handler && name != "data-k";
}

std::vector<ElementPtr> HtmlParser::parseFragment(const std::string& contextTag,
                                                  const std::string& html) {
    GumboOptions options = kGumboDefaultOptions;
    options.fragment_context = ContextTag(contextTag);
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;
    std::unique_ptr<GumboOutput, OutputDeleter> output(
        gumbo_parse_with_options(&options, html.data(), html.size()));
    std::vector<ElementPtr> nodes;
    if (!output || !output->root || output->root->type != GUMBO_NODE_ELEMENT) return nodes;
    // In fragment mode the root html element holds the fragment's nodes.
    const GumboVector& children = output->root->v.element.children;
    Converter converter;
    for (unsigned i = 0; i < children.length; ++i) {
        if (ElementPtr node = converter.convert(*static_cast<const GumboNode*>(children.data[i])))
            nodes.push_back(std::move(node));
    }
    for (const ElementPtr& node : nodes)
        node->forEachElement([](const ElementPtr& e) { e->takeInitialState(); });
    return nodes;
}

void SerializeNode(const HtmlElement& node, std::string& out, bool withKitIds) {
    switch (node.kind()) {
        case HtmlElement::Kind::Text: {
            const HtmlElement* parent = node.parentElement();
            if (parent && IsRawText(parent->tagName()))
                out += node.data();
            else
                AppendEscaped(node.data(), out, false);
            return;
        }
        case HtmlElement::Kind::Comment:
            out += "<!--" + node.data() + "-->";
            return;
        case HtmlElement::Kind::Element:
            break;
    }
    out += '<';
    out += node.tagName();
    for (const auto& [name, value] : node.attributes()) {
        if (withKitIds && !IsMirroredAttribute(name)) continue;
        out += ' ';
        out += name;
        out += "=\"";
        AppendEscaped(value, out, true);
        out += '"';
    }
    if (withKitIds) out += " data-k=\"" + std::to_string(node.kitId()) + "\"";
    out += '>';
    if (IsVoid(node.tagName())) return;
    const std::string& tag = node.tagName();
    if ((tag == "pre" || tag == "textarea" || tag == "listing") && !node.childNodes().empty()) {
        const HtmlElement& first = *node.childNodes().front();
        if (first.kind() == HtmlElement::Kind::Text && !first.data().empty() &&
            first.data()[0] == '\n')
            out += '\n';
    }
    SerializeChildren(node, out, withKitIds);
    out += "</" + tag + ">";
}

void SerializeChildren(const HtmlElement& node, std::string& out, bool withKitIds) {
    for (const ElementPtr& child : node.childNodes()) SerializeNode(*child, out, withKitIds);
}

std::string EscapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace gr::ui
