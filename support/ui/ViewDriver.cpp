#include "ViewDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

namespace gr::ui::test {

bool WaitForDocument(HtmlView& view) {
    QElapsedTimer timer;
    timer.start();
    while (!view.isLoaded() && timer.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return view.isLoaded();
}

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

ElementPtr ViewDriver::element(const std::string& id) const {
    HtmlDocument* doc = m_view.document();
    return doc ? doc->getElementById(id) : nullptr;
}

HeadlessBackend& ViewDriver::backend() const {
    return dynamic_cast<HeadlessBackend&>(*m_view.backend());
}

ElementPtr ViewDriver::enabled(const std::string& id) const {
    ElementPtr e = element(id);
    return (e && !e->disabled()) ? e : nullptr;
}

void ViewDriver::send(ViewEvent::Kind kind, const ElementPtr& e) const {
    ViewEvent ev;
    ev.kind = kind;
    ev.k = e->kitId();
    ev.value = e->value();
    ev.checked = e->checked();
    ev.selectedIndex = e->selectedIndex();
    backend().deliver(ev);
}

bool ViewDriver::click(const std::string& id) {
    const ElementPtr e = enabled(id);
    if (!e) return false;
    const std::string type = e->tagName() == "input" ? e->getAttribute("type") : std::string();
    const bool before = e->checked();
    ViewEvent ev;
    ev.kind = ViewEvent::Kind::Click;
    ev.k = e->kitId();
    ev.value = e->value();
    ev.checked = type == "radio" ? true : (type == "checkbox" ? !before : before);
    ev.selectedIndex = e->selectedIndex();
    // The document model raises the change of a box whose click stands.
    backend().deliver(ev);
    return true;
}

bool ViewDriver::type(const std::string& id, const std::string& text) {
    if (!typeWithoutLeaving(id, text)) return false;
    const ElementPtr e = element(id);
    m_focusedK = 0;
    if (e && e->isConnected()) send(ViewEvent::Kind::Change, e);
    return true;
}

bool ViewDriver::typeWithoutLeaving(const std::string& id, const std::string& text) {
    const ElementPtr e = enabled(id);
    if (!e || (m_focusedK != e->kitId() && !focus(id))) return false;
    ViewEvent ev;
    ev.kind = ViewEvent::Kind::Input;
    ev.k = e->kitId();
    ev.value = text;
    backend().deliver(ev);
    return true;
}

bool ViewDriver::leave(const std::string& id) {
    const ElementPtr e = element(id);
    if (!e || e->kitId() != m_focusedK) return false;
    m_focusedK = 0;
    if (e->value() != m_valueAtFocus && e->isConnected() && !e->disabled())
        send(ViewEvent::Kind::Change, e);
    return true;
}

bool ViewDriver::select(const std::string& id, int index) {
    const ElementPtr e = enabled(id);
    if (!e || e->tagName() != "select") return false;
    ViewEvent ev;
    ev.kind = ViewEvent::Kind::Change;
    ev.k = e->kitId();
    ev.selectedIndex = index;
    backend().deliver(ev);
    return true;
}

bool ViewDriver::focus(const std::string& id) {
    const ElementPtr e = enabled(id);
    if (!e) return false;
    m_focusedK = e->kitId();
    m_valueAtFocus = e->value();
    send(ViewEvent::Kind::Focus, e);
    return true;
}

}  // namespace gr::ui::test
