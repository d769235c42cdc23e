// Builds document-model nodes from markup with the HTML5 parser (Gumbo), so that elements
// nest and get their initial state exactly as a browser would make them.
#pragma once

#include <string>
#include <vector>

#include "HtmlElement.h"

namespace gr::ui {

class HtmlParser {
  public:
    // The nodes that markup makes as the content of an element named contextTag.
    static std::vector<ElementPtr> parseFragment(const std::string& contextTag,
                                                 const std::string& html);
};

// Markup of nodes as a browser serialises them. With kit ids every element also carries
// data-k, by which the view finds it again.
void SerializeNode(const HtmlElement& node, std::string& out, bool withKitIds);
void SerializeChildren(const HtmlElement& node, std::string& out, bool withKitIds);

// Whether an attribute is sent to the view: never inline event handlers ("on...") nor the
// kit's own node name (data-k).
bool IsMirroredAttribute(const std::string& name);

// Text made safe for HTML content and attribute values.
std::string EscapeHtml(const std::string& text);

}  // namespace gr::ui
