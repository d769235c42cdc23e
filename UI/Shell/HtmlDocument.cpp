#include "HtmlDocument.h"

#include <nlohmann/json.hpp>

#include "HtmlParser.h"

namespace gr::ui {

namespace {

void AppendJsonString(const std::string& s, std::string& out) {
    out += nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Text as a string; an element as {"t": tag, "a": {attributes}, "c": [children]} plus its
// control state: "v" value, "x" checked, "s" selected index. The style attribute is left
// out because browsers rewrite its spelling.
void AppendSnapshot(const HtmlElement& node, std::string& out) {
    if (node.kind() == HtmlElement::Kind::Text) {
        AppendJsonString(node.data(), out);
        return;
    }
    out += "{\"t\":";
    AppendJsonString(node.tagName(), out);
    out += ",\"a\":{";
    bool first = true;
    for (const auto& [name, value] : node.attributes()) {
        if (name == "style" || !IsMirroredAttribute(name)) continue;
        if (!first) out += ',';
        first = false;
        AppendJsonString(name, out);
        out += ':';
        AppendJsonString(value, out);
    }
    out += '}';
    const std::string& tag = node.tagName();
    if (tag == "input" || tag == "textarea") {
        out += ",\"v\":";
        AppendJsonString(node.value(), out);
        out += node.checked() ? ",\"x\":true" : ",\"x\":false";
    } else if (tag == "select") {
        out += ",\"s\":" + std::to_string(node.selectedIndex());
    }
    out += ",\"c\":[";
    first = true;
    for (const ElementPtr& child : node.childNodes()) {
        if (child->kind() == HtmlElement::Kind::Comment) continue;
        if (!first) out += ',';
        first = false;
        AppendSnapshot(*child, out);
    }
    out += "]}";
}

}  // namespace

HtmlDocument::HtmlDocument(std::function<void(const MirrorOp&)> mirror)
    : m_mirror(std::move(mirror)),
      m_html(HtmlElement::CreateElement("html")),
      m_head(HtmlElement::CreateElement("head")),
      m_body(HtmlElement::CreateElement("body")) {
    m_html->appendChild(m_head);
    m_html->appendChild(m_body);
    m_html->m_rootOf = this;
    attached({m_html});
    MirrorOp bind = MirrorOp::Make(MirrorOp::Kind::Bind, m_html->kitId());
    bind.n = m_head->kitId();
    bind.n2 = m_body->kitId();
    send(bind);
}

HtmlDocument::~HtmlDocument() {
    m_html->m_rootOf = nullptr;
}

std::vector<ElementPtr> HtmlDocument::parseFragment(const std::string& contextTag,
                                                    const std::string& html) {
    return HtmlParser::parseFragment(contextTag, html);
}

ElementPtr HtmlDocument::getElementById(const std::string& id) const {
    if (id.empty()) return nullptr;
    ElementPtr found;
    // Depth-first in document order; stops descending once found.
    std::vector<HtmlElement*> stack{m_html.get()};
    while (!stack.empty() && !found) {
        HtmlElement* node = stack.back();
        stack.pop_back();
        if (node->isElement() && node->id() == id) {
            found = node->shared_from_this();
            break;
        }
        const auto& kids = node->childNodes();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            if ((*it)->isElement()) stack.push_back(it->get());
    }
    return found;
}

ElementPtr HtmlDocument::elementByKitId(int kitId) const {
    const auto it = m_byKitId.find(kitId);
    if (it == m_byKitId.end()) return nullptr;
    ElementPtr e = it->second.lock();
    return (e && e->ownerDocument() == this) ? e : nullptr;
}

void HtmlDocument::attached(const std::vector<ElementPtr>& nodes) {
    std::vector<ElementPtr> checkedRadios;
    for (const ElementPtr& node : nodes)
        node->forEachElement([&](const ElementPtr& e) {
            m_byKitId[e->kitId()] = e;
            if (e->checked() && !e->radioGroupName().empty()) checkedRadios.push_back(e);
        });
    // Each checked radio button entering the page unchecks the rest of its group, in document
    // order, so the last one of a group stays checked as in a browser.
    for (const ElementPtr& radio : checkedRadios) {
        radio->m_checked = true;
        radio->uncheckRadioGroup();
    }
}

void HtmlDocument::detached(const HtmlElement& node) {
    m_byKitId.erase(node.kitId());
    for (const ElementPtr& c : node.childNodes()) detached(*c);
}

void HtmlDocument::deliver(const ViewEvent& event) {
    const ElementPtr target = elementByKitId(event.k);
    if (!target) return;

    // A check box or radio button changes by its click alone. The view's own input and change
    // reports of it follow a click that a handler may yet cancel, so they are not taken; the
    // model raises the change itself once the click stands, as a browser does.
    const bool checkable = target->isCheckable();
    if (checkable &&
        (event.kind == ViewEvent::Kind::Input || event.kind == ViewEvent::Kind::Change))
        return;

    // Earlier check states, to restore them when a handler cancels the click.
    const CheckStates before =
        event.kind == ViewEvent::Kind::Click && checkable ? checkStates(target) : CheckStates{};
    const bool wasChecked = target->checked();
    if (event.kind != ViewEvent::Kind::Focus) takeReportedState(*target, event);

    switch (event.kind) {
        case ViewEvent::Kind::Input:
            // Typing on after the program handled the text makes it new text again.
            if (target->m_valueHandled && event.value != target->m_handledValue)
                target->m_valueHandled = false;
            return;
        case ViewEvent::Kind::Focus:
            dispatch(target, HtmlEventType::Focus);
            return;
        case ViewEvent::Kind::Change:
            deliverChange(target, event.value);
            return;
        case ViewEvent::Kind::Click:
            deliverClick(target, before, wasChecked);
            return;
    }
}

HtmlDocument::CheckStates HtmlDocument::checkStates(const ElementPtr& target) const {
    CheckStates states;
    const std::string group = target->radioGroupName();
    if (group.empty()) {
        states.emplace_back(target, target->checked());
    } else {
        m_html->forEachElement([&](const ElementPtr& e) {
            if (e->radioGroupName() == group) states.emplace_back(e, e->checked());
        });
    }
    return states;
}

void HtmlDocument::takeReportedState(HtmlElement& target, const ViewEvent& event) {
    if (target.isCheckable()) {
        target.setCheckedState(event.checked, false);
        target.m_checkedDirty = true;
    } else if (target.isTextControl()) {
        target.m_value = event.value;
        target.m_valueDirty = true;
    } else if (target.isTag("select")) {
        target.setSelectedIndexState(event.selectedIndex);
    }
}

void HtmlDocument::deliverChange(const ElementPtr& target, const std::string& value) {
    const bool handled = target->m_valueHandled && value == target->m_handledValue;
    target->m_valueHandled = false;
    if (!handled) dispatch(target, HtmlEventType::Change);
}

void HtmlDocument::deliverClick(const ElementPtr& target, const CheckStates& before,
                                bool wasChecked) {
    if (!dispatch(target, HtmlEventType::Click).returnValue) {
        for (const auto& [element, was] : before)
            if (element->checked() != was) element->setCheckedState(was, true);
        return;
    }
    // Only a checkable target has check states to restore.
    if (!before.empty() && target->isConnected() && target->checked() != wasChecked)
        dispatch(target, HtmlEventType::Change);
}

HtmlEvent HtmlDocument::dispatch(const ElementPtr& target, HtmlEventType type) {
    HtmlEvent e;
    e.type = type;
    e.srcElement = target;
    std::vector<ElementPtr> path{target};
    if (type != HtmlEventType::Focus)
        for (HtmlElement* p = target->parentElement(); p; p = p->parentElement())
            path.push_back(p->shared_from_this());
    for (const ElementPtr& element : path) {
        const HtmlEventHandler* handler = element->eventHandler(type);
        if (!handler) continue;
        const HtmlEventHandler call = *handler;  // the handler may replace itself
        call(element, e);
        if (e.cancelBubble || !target->isConnected()) break;
    }
    return e;
}

std::string HtmlDocument::snapshotJson() const {
    std::string out;
    AppendSnapshot(*m_body, out);
    return out;
}

}  // namespace gr::ui
