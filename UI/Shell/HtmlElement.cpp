#include "HtmlElement.h"

#include <algorithm>
#include <atomic>
#include <cctype>

#include "HtmlDocument.h"
#include "HtmlParser.h"

namespace gr::ui {

namespace {

std::atomic<int> g_nextKitId{1};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n\f");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n\f");
    return s.substr(first, last - first + 1);
}

// "background-color" -> "backgroundColor", as the style object names it.
std::string CssToScriptName(const std::string& css) {
    std::string out;
    bool upper = false;
    for (const char c : Lower(Trim(css))) {
        if (c == '-') {
            upper = !out.empty();
            continue;
        }
        out += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
    }
    return out;
}

std::string ScriptToCssName(const std::string& name) {
    std::string out;
    for (const char c : name) {
        if (std::isupper(static_cast<unsigned char>(c))) {
            out += '-';
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else {
            out += c;
        }
    }
    return out;
}

std::string CollapseWhitespace(const std::string& s) {
    std::string out;
    bool space = false;
    for (const char c : Trim(s)) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') {
            space = true;
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

}  // namespace

HtmlElement::HtmlElement(Kind kind, std::string tagOrData) : m_kind(kind), m_kitId(g_nextKitId++) {
    if (kind == Kind::Element)
        m_tag = Lower(std::move(tagOrData));
    else
        m_data = std::move(tagOrData);
}

HtmlElement::~HtmlElement() {
    for (const ElementPtr& child : m_children) child->m_parent = nullptr;
}

ElementPtr HtmlElement::CreateElement(const std::string& tagName) {
    return ElementPtr(new HtmlElement(Kind::Element, tagName));
}
ElementPtr HtmlElement::CreateText(std::string text) {
    return ElementPtr(new HtmlElement(Kind::Text, std::move(text)));
}
ElementPtr HtmlElement::CreateComment(std::string text) {
    return ElementPtr(new HtmlElement(Kind::Comment, std::move(text)));
}

template <class Op>
void HtmlElement::mirror(Op&& op) const {
    if (const HtmlDocument* doc = ownerDocument()) doc->send(op());
}

// ---- attributes ----

bool HtmlElement::hasAttribute(const std::string& name) const {
    const std::string key = Lower(name);
    return std::any_of(m_attributes.begin(), m_attributes.end(),
                       [&](const auto& a) { return a.first == key; });
}

std::string HtmlElement::getAttribute(const std::string& name) const {
    const std::string key = Lower(name);
    for (const auto& [n, v] : m_attributes)
        if (n == key) return v;
    return {};
}

void HtmlElement::setAttribute(const std::string& name, const std::string& value) {
    if (!isElement()) return;
    const std::string key = Lower(name);
    auto it = std::find_if(m_attributes.begin(), m_attributes.end(),
                           [&](const auto& a) { return a.first == key; });
    if (it == m_attributes.end())
        m_attributes.emplace_back(key, value);
    else
        it->second = value;
    // A control that the user or a script has not changed follows its attribute.
    if (key == "value" && isTextControl() && !m_valueDirty) m_value = value;
    if (key == "checked" && isCheckable() && !m_checkedDirty) setCheckedState(true, false);
    if (key == "style") parseStyleAttribute();
    mirrorAttribute(key);
}

void HtmlElement::removeAttribute(const std::string& name) {
    const std::string key = Lower(name);
    const auto it = std::remove_if(m_attributes.begin(), m_attributes.end(),
                                   [&](const auto& a) { return a.first == key; });
    if (it == m_attributes.end()) return;
    m_attributes.erase(it, m_attributes.end());
    if (key == "checked" && isCheckable() && !m_checkedDirty) setCheckedState(false, false);
    if (key == "style") m_style.clear();
    if (IsMirroredAttribute(key))
        mirror([&] { return MirrorOp::Make(MirrorOp::Kind::RemoveAttr, m_kitId, key); });
}

void HtmlElement::mirrorAttribute(const std::string& name) {
    if (!IsMirroredAttribute(name)) return;
    mirror([&] {
        return MirrorOp::Make(MirrorOp::Kind::Attribute, m_kitId, name, getAttribute(name));
    });
}

// ---- tree ----

std::vector<ElementPtr> HtmlElement::children() const {
    std::vector<ElementPtr> out;
    for (const ElementPtr& c : m_children)
        if (c->isElement()) out.push_back(c);
    return out;
}

HtmlDocument* HtmlElement::ownerDocument() const {
    const HtmlElement* node = this;
    while (node->m_parent) node = node->m_parent;
    return node->m_rootOf;
}

bool HtmlElement::contains(const HtmlElement* other) const {
    for (; other; other = other->m_parent)
        if (other == this) return true;
    return false;
}

void HtmlElement::appendChild(const ElementPtr& child) {
    insertBefore(child, nullptr);
}

void HtmlElement::insertBefore(const ElementPtr& child, const HtmlElement* reference) {
    if (!child || child.get() == this || child->contains(this)) return;
    if (child->m_parent) child->m_parent->removeChild(child.get());
    auto pos = std::find_if(m_children.begin(), m_children.end(),
                            [&](const ElementPtr& c) { return c.get() == reference; });
    m_children.insert(pos, child);
    child->m_parent = this;
    if (isTag("select")) m_selectedIndex = initialSelectedIndex();
    if (HtmlDocument* doc = ownerDocument()) {
        std::string html;
        SerializeNode(*child, html, true);
        doc->send(MirrorOp::Make(MirrorOp::Kind::Insert, m_kitId, {}, std::move(html),
                                 reference ? reference->m_kitId : 0));
        doc->attached({child});
    }
}

void HtmlElement::removeChild(const HtmlElement* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [&](const ElementPtr& c) { return c.get() == child; });
    if (it == m_children.end()) return;
    const ElementPtr keep = *it;
    mirror([&] { return MirrorOp::Make(MirrorOp::Kind::Remove, keep->m_kitId); });
    detach(keep);
    m_children.erase(it);
    if (isTag("select")) m_selectedIndex = initialSelectedIndex();
}

void HtmlElement::detach(const ElementPtr& child) {
    if (HtmlDocument* doc = ownerDocument()) doc->detached(*child);
    child->m_parent = nullptr;
}

void HtmlElement::replaceChildren(std::vector<ElementPtr> nodes) {
    for (const ElementPtr& old : m_children) detach(old);
    m_children = std::move(nodes);
    for (const ElementPtr& node : m_children) node->m_parent = this;
    if (isTag("select")) m_selectedIndex = initialSelectedIndex();
    if (HtmlDocument* doc = ownerDocument()) doc->attached(m_children);
}

void HtmlElement::forEachElement(const std::function<void(const ElementPtr&)>& visit) {
    if (isElement()) visit(shared_from_this());
    // Copy: a visitor may change the tree.
    const std::vector<ElementPtr> kids = m_children;
    for (const ElementPtr& c : kids) c->forEachElement(visit);
}

// ---- content ----

std::string HtmlElement::innerHTML() const {
    std::string out;
    SerializeChildren(*this, out, false);
    return out;
}

std::string HtmlElement::outerHTML() const {
    std::string out;
    SerializeNode(*this, out, false);
    return out;
}

void HtmlElement::setInnerHTML(const std::string& html) {
    if (!isElement()) return;
    replaceChildren(HtmlParser::parseFragment(m_tag, html));
    mirror([&] {
        std::string marked;
        SerializeChildren(*this, marked, true);
        return MirrorOp::Make(MirrorOp::Kind::InnerHtml, m_kitId, {}, std::move(marked));
    });
}

std::string HtmlElement::innerText() const {
    if (m_kind == Kind::Text) return m_data;
    std::string out;
    for (const ElementPtr& c : m_children)
        if (c->m_kind != Kind::Comment) out += c->innerText();
    return out;
}

void HtmlElement::setInnerText(const std::string& text) {
    if (!isElement()) return;
    std::vector<ElementPtr> nodes;
    if (!text.empty()) nodes.push_back(CreateText(text));
    replaceChildren(std::move(nodes));
    if (isTag("textarea") && !m_valueDirty) m_value = text;
    mirror([&] { return MirrorOp::Make(MirrorOp::Kind::Text, m_kitId, {}, text); });
}

// ---- form controls ----

bool HtmlElement::isCheckable() const {
    if (!isTag("input")) return false;
    const std::string type = Lower(getAttribute("type"));
    return type == "checkbox" || type == "radio";
}

bool HtmlElement::isTextControl() const {
    return (isTag("input") && !isCheckable()) || isTag("textarea");
}

std::string HtmlElement::radioGroupName() const {
    if (!isTag("input") || Lower(getAttribute("type")) != "radio") return {};
    return getAttribute("name");
}

void HtmlElement::takeInitialState() {
    if (isTag("input")) {
        m_value = getAttribute("value");
        m_checked = hasAttribute("checked");
    } else if (isTag("textarea")) {
        m_value = innerText();
    } else if (isTag("select")) {
        m_selectedIndex = initialSelectedIndex();
    }
    parseStyleAttribute();
}

void HtmlElement::parseStyleAttribute() {
    m_style.clear();
    const std::string style = getAttribute("style");
    size_t start = 0;
    while (start < style.size()) {
        size_t end = style.find(';', start);
        if (end == std::string::npos) end = style.size();
        const std::string decl = style.substr(start, end - start);
        const size_t colon = decl.find(':');
        if (colon != std::string::npos) {
            const std::string name = CssToScriptName(decl.substr(0, colon));
            if (!name.empty()) m_style[name] = Trim(decl.substr(colon + 1));
        }
        start = end + 1;
    }
}

std::string HtmlElement::value() const {
    if (isTag("input")) {
        if (isCheckable()) return hasAttribute("value") ? getAttribute("value") : "on";
        return m_value;
    }
    if (isTag("textarea")) return m_value;
    if (isTag("select")) {
        const auto opts = options();
        if (m_selectedIndex < 0 || m_selectedIndex >= static_cast<int>(opts.size())) return {};
        return opts[static_cast<size_t>(m_selectedIndex)]->value();
    }
    if (isTag("option"))
        return hasAttribute("value") ? getAttribute("value") : CollapseWhitespace(innerText());
    return getAttribute("value");
}

void HtmlElement::markValueHandled() {
    if (!isTextControl()) return;
    m_valueHandled = true;
    m_handledValue = m_value;
}

void HtmlElement::setValue(const std::string& value) {
    if (isTextControl()) {
        m_value = value;
        m_valueDirty = true;
        mirror([&] { return MirrorOp::Make(MirrorOp::Kind::Property, m_kitId, "value", value); });
        return;
    }
    if (isTag("select")) {
        const auto opts = options();
        int index = -1;
        for (size_t i = 0; i < opts.size() && index < 0; ++i)
            if (opts[i]->value() == value) index = static_cast<int>(i);
        setSelectedIndex(index);
        return;
    }
    setAttribute("value", value);
}

void HtmlElement::setChecked(bool checked) {
    if (!isCheckable()) return;
    m_checkedDirty = true;
    setCheckedState(checked, true);
}

void HtmlElement::setCheckedState(bool checked, bool mirrorIt) {
    m_checked = checked;
    if (mirrorIt) {
        mirror([&] {
            MirrorOp op = MirrorOp::Make(MirrorOp::Kind::Property, m_kitId, "checked");
            op.n = checked ? 1 : 0;
            op.isNumber = true;
            return op;
        });
    }
    // The view unchecks the rest of a radio group by itself; the model follows.
    if (checked && !radioGroupName().empty()) uncheckRadioGroup();
}

void HtmlElement::uncheckRadioGroup() {
    HtmlElement* root = this;
    while (root->m_parent) root = root->m_parent;
    const std::string group = radioGroupName();
    root->forEachElement([&](const ElementPtr& e) {
        if (e.get() != this && e->m_checked && e->radioGroupName() == group) e->m_checked = false;
    });
}

void HtmlElement::setDisabled(bool disabled) {
    if (disabled)
        setAttribute("disabled", "");
    else
        removeAttribute("disabled");
}

std::vector<ElementPtr> HtmlElement::options() const {
    std::vector<ElementPtr> out;
    for (const ElementPtr& c : m_children) {
        if (c->isTag("option")) {
            out.push_back(c);
        } else if (c->isTag("optgroup")) {
            for (const ElementPtr& o : c->m_children)
                if (o->isTag("option")) out.push_back(o);
        }
    }
    return out;
}

int HtmlElement::initialSelectedIndex() const {
    const auto opts = options();
    int selected = -1;
    for (size_t i = 0; i < opts.size(); ++i)
        if (opts[i]->hasAttribute("selected")) selected = static_cast<int>(i);
    if (selected >= 0) return selected;
    const bool listBox = hasAttribute("multiple") || std::atoi(getAttribute("size").c_str()) > 1;
    if (listBox) return -1;
    for (size_t i = 0; i < opts.size(); ++i)
        if (!opts[i]->disabled()) return static_cast<int>(i);
    return -1;
}

int HtmlElement::selectedIndex() const {
    return isTag("select") ? m_selectedIndex : -1;
}

void HtmlElement::setSelectedIndexState(int index) {
    const int count = static_cast<int>(options().size());
    m_selectedIndex = (index >= 0 && index < count) ? index : -1;
}

void HtmlElement::setSelectedIndex(int index) {
    if (!isTag("select")) return;
    setSelectedIndexState(index);
    mirror([&] {
        MirrorOp op = MirrorOp::Make(MirrorOp::Kind::Property, m_kitId, "selectedIndex");
        op.n = m_selectedIndex;
        op.isNumber = true;
        return op;
    });
}

// ---- style ----

std::string HtmlElement::style(const std::string& property) const {
    const auto it = m_style.find(property);
    return it == m_style.end() ? std::string() : it->second;
}

void HtmlElement::setStyle(const std::string& property, const std::string& value) {
    if (!isElement()) return;
    if (value.empty())
        m_style.erase(property);
    else
        m_style[property] = value;
    // Keep the attribute in step, as the browser does, without sending it twice.
    std::string text;
    for (const auto& [name, v] : m_style) text += ScriptToCssName(name) + ": " + v + "; ";
    if (!text.empty()) text.pop_back();
    auto it = std::find_if(m_attributes.begin(), m_attributes.end(),
                           [](const auto& a) { return a.first == "style"; });
    if (it != m_attributes.end())
        it->second = text;
    else if (!text.empty())
        m_attributes.emplace_back("style", text);
    mirror([&] { return MirrorOp::Make(MirrorOp::Kind::Style, m_kitId, property, value); });
}

// ---- tables ----

std::vector<ElementPtr> HtmlElement::rows() const {
    std::vector<ElementPtr> out;
    if (isTag("table")) {
        for (const ElementPtr& c : m_children) {
            if (c->isTag("tr")) {
                out.push_back(c);
            } else if (c->isTag("thead") || c->isTag("tbody") || c->isTag("tfoot")) {
                for (const ElementPtr& r : c->m_children)
                    if (r->isTag("tr")) out.push_back(r);
            }
        }
    } else if (isTag("thead") || isTag("tbody") || isTag("tfoot")) {
        for (const ElementPtr& r : m_children)
            if (r->isTag("tr")) out.push_back(r);
    }
    return out;
}

std::vector<ElementPtr> HtmlElement::cells() const {
    std::vector<ElementPtr> out;
    if (!isTag("tr")) return out;
    for (const ElementPtr& c : m_children)
        if (c->isTag("td") || c->isTag("th")) out.push_back(c);
    return out;
}

ElementPtr HtmlElement::rowContainerForAppend() {
    if (!isTag("table")) return shared_from_this();
    const auto all = rows();
    if (!all.empty()) return all.back()->m_parent->shared_from_this();
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
        if ((*it)->isTag("tbody")) return *it;
    ElementPtr body = CreateElement("tbody");
    appendChild(body);
    return body;
}

ElementPtr HtmlElement::insertRow(int index) {
    const bool container = isTag("table") || isTag("thead") || isTag("tbody") || isTag("tfoot");
    if (!container) return nullptr;
    const auto all = rows();
    const int count = static_cast<int>(all.size());
    if (index < -1 || index > count) return nullptr;
    ElementPtr row = CreateElement("tr");
    if (index == -1 || index == count) {
        rowContainerForAppend()->appendChild(row);
    } else {
        const ElementPtr& before = all[static_cast<size_t>(index)];
        before->m_parent->insertBefore(row, before.get());
    }
    return row;
}

bool HtmlElement::deleteRow(int index) {
    const auto all = rows();
    const int count = static_cast<int>(all.size());
    if (index == -1) index = count - 1;
    if (index < 0 || index >= count) return false;
    const ElementPtr& row = all[static_cast<size_t>(index)];
    row->m_parent->removeChild(row.get());
    return true;
}

ElementPtr HtmlElement::insertCell(int index) {
    if (!isTag("tr")) return nullptr;
    const auto all = cells();
    const int count = static_cast<int>(all.size());
    if (index < -1 || index > count) return nullptr;
    ElementPtr cell = CreateElement("td");
    if (index == -1 || index == count)
        appendChild(cell);
    else
        insertBefore(cell, all[static_cast<size_t>(index)].get());
    return cell;
}

HtmlElement* HtmlElement::enclosingTable() const {
    for (HtmlElement* p = m_parent; p; p = p->m_parent)
        if (p->isTag("table")) return p;
    return nullptr;
}

int HtmlElement::rowIndex() const {
    if (!isTag("tr")) return -1;
    const HtmlElement* table = enclosingTable();
    if (!table) return -1;
    const auto all = table->rows();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == this) return static_cast<int>(i);
    return -1;
}

// ---- view actions and events ----

void HtmlElement::focus() {
    mirror([&] { return MirrorOp::Make(MirrorOp::Kind::Focus, m_kitId); });
}

void HtmlElement::scrollIntoView() {
    mirror([&] { return MirrorOp::Make(MirrorOp::Kind::ScrollIntoView, m_kitId); });
}

void HtmlElement::setEventHandler(HtmlEventType type, HtmlEventHandler handler) {
    if (handler)
        m_handlers[type] = std::move(handler);
    else
        m_handlers.erase(type);
}

const HtmlEventHandler* HtmlElement::eventHandler(HtmlEventType type) const {
    const auto it = m_handlers.find(type);
    return it == m_handlers.end() ? nullptr : &it->second;
}

}  // namespace gr::ui
