// One node of a page's document model: an element, a text node or a comment.
//
// Screens read and change their pages through these objects synchronously. Every change of a
// node that belongs to a document is mirrored to the document's view, in order.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace gr::ui {

class HtmlDocument;
class HtmlElement;
using ElementPtr = std::shared_ptr<HtmlElement>;

enum class HtmlEventType { Click, Change, Focus };

// The event object handed to handlers. A handler sets returnValue to false to cancel the
// default action (a clicked check box or radio button keeps its earlier state) and
// cancelBubble to stop the event from reaching the handlers of enclosing elements.
struct HtmlEvent {
    HtmlEventType type = HtmlEventType::Click;
    ElementPtr srcElement;  // the element the user acted on
    bool returnValue = true;
    bool cancelBubble = false;
};

// The value of an element event property ("onclick", "onchange", "onfocus").
using HtmlEventHandler = std::function<void(const ElementPtr& source, HtmlEvent& event)>;

class HtmlElement : public std::enable_shared_from_this<HtmlElement> {
  public:
    enum class Kind { Element, Text, Comment };
    using Attributes = std::vector<std::pair<std::string, std::string>>;

    static ElementPtr CreateElement(const std::string& tagName);
    static ElementPtr CreateText(std::string text);
    static ElementPtr CreateComment(std::string text);

    HtmlElement(const HtmlElement&) = delete;
    HtmlElement& operator=(const HtmlElement&) = delete;
    ~HtmlElement();

    Kind kind() const { return m_kind; }
    bool isElement() const { return m_kind == Kind::Element; }
    const std::string& tagName() const { return m_tag; }  // lower case
    const std::string& data() const { return m_data; }    // text or comment content
    // A number unique in the process; it names the node in the view.
    int kitId() const { return m_kitId; }

    // Attributes. Names are compared case-insensitively and stored in lower case.
    std::string id() const { return getAttribute("id"); }
    void setId(const std::string& value) { setAttribute("id", value); }
    bool hasAttribute(const std::string& name) const;
    std::string getAttribute(const std::string& name) const;
    void setAttribute(const std::string& name, const std::string& value);
    void removeAttribute(const std::string& name);
    const Attributes& attributes() const { return m_attributes; }

    // Tree.
    HtmlElement* parentElement() const { return m_parent; }
    const std::vector<ElementPtr>& childNodes() const { return m_children; }
    std::vector<ElementPtr> children() const;  // element children only
    HtmlDocument* ownerDocument() const;       // the document this node is part of, or none
    bool isConnected() const { return ownerDocument() != nullptr; }
    bool contains(const HtmlElement* other) const;
    void appendChild(const ElementPtr& child);
    void insertBefore(const ElementPtr& child, const HtmlElement* reference);
    void removeChild(const HtmlElement* child);
    // Elements of the subtree (this one included) in document order.
    void forEachElement(const std::function<void(const ElementPtr&)>& visit);

    // Content. Assigned HTML is parsed as a browser parses innerHTML of this element.
    std::string innerHTML() const;
    void setInnerHTML(const std::string& html);
    std::string outerHTML() const;
    std::string innerText() const;  // the text of all descendant text nodes
    void setInnerText(const std::string& text);

    // Form controls.
    std::string value() const;
    void setValue(const std::string& value);
    bool checked() const { return m_checked; }
    void setChecked(bool checked);
    bool disabled() const { return hasAttribute("disabled"); }
    void setDisabled(bool disabled);
    int selectedIndex() const;
    void setSelectedIndex(int index);
    std::vector<ElementPtr> options() const;  // of a select list
    // For a text box whose typed text the program has just handled as a change itself (a
    // screen's pending-input step when a Qt button is clicked while the text box still has
    // the focus): the browser's late change report of this same text is taken without raising
    // onchange again. Text typed afterwards and a report of other text are raised as usual.
    // Call it before rewriting the value.
    void markValueHandled();

    // Inline style, by the script property name ("display", "backgroundColor").
    std::string style(const std::string& property) const;
    void setStyle(const std::string& property, const std::string& value);

    // Tables: rows of a table or table section, cells of a row.
    std::vector<ElementPtr> rows() const;
    std::vector<ElementPtr> cells() const;
    // Inserts a new row at index (-1 or the row count appends); none when index is out of range.
    ElementPtr insertRow(int index = -1);
    // Removes the row at index (-1 removes the last); false when there is no such row.
    bool deleteRow(int index);
    ElementPtr insertCell(int index = -1);
    int rowIndex() const;  // position among the rows of the enclosing table; -1 when none

    void focus();
    void scrollIntoView();

    // Element event properties; an empty handler clears the property.
    void setEventHandler(HtmlEventType type, HtmlEventHandler handler);
    const HtmlEventHandler* eventHandler(HtmlEventType type) const;

  private:
    friend class HtmlDocument;
    friend class HtmlParser;

    HtmlElement(Kind kind, std::string tagOrData);

    bool isTag(const char* tag) const { return isElement() && m_tag == tag; }
    bool isCheckable() const;
    bool isTextControl() const;
    std::string radioGroupName() const;
    void takeInitialState();
    void parseStyleAttribute();
    void setCheckedState(bool checked, bool mirror);
    void uncheckRadioGroup();  // all other radio buttons of this one's group
    void setSelectedIndexState(int index);
    int initialSelectedIndex() const;
    void replaceChildren(std::vector<ElementPtr> nodes);
    void detach(const ElementPtr& child);
    HtmlElement* enclosingTable() const;
    ElementPtr rowContainerForAppend();
    void mirrorAttribute(const std::string& name);
    template <class Op>
    void mirror(Op&& op) const;

    Kind m_kind;
    std::string m_tag;
    std::string m_data;
    int m_kitId;
    Attributes m_attributes;
    std::map<std::string, std::string> m_style;
    HtmlElement* m_parent = nullptr;
    HtmlDocument* m_rootOf = nullptr;  // set on the root node of a document only
    std::vector<ElementPtr> m_children;

    std::string m_value;
    bool m_valueDirty = false;
    bool m_valueHandled = false;  // m_handledValue was handled by the program
    std::string m_handledValue;
    bool m_checked = false;
    bool m_checkedDirty = false;
    int m_selectedIndex = -1;
    std::map<HtmlEventType, HtmlEventHandler> m_handlers;
};

}  // namespace gr::ui
