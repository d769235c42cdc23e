#include "EventForwarder.h"

#include "HtmlView.h"

namespace gr::ui {

struct EventForwarder::Target {
    HtmlDocument* document = nullptr;
    IActualEventHandler* handler = nullptr;
};

EventForwarder::EventForwarder() : m_target(std::make_shared<Target>()) {}

EventForwarder::~EventForwarder() {
    Release();
}

void EventForwarder::Bind(HtmlDocument* document, IActualEventHandler* handler) {
    m_target->document = document;
    m_target->handler = handler;
}

void EventForwarder::Release() {
    m_target->document = nullptr;
    m_target->handler = nullptr;
}

bool EventForwarder::IsBound() const {
    return m_target->handler != nullptr;
}

HtmlEventHandler EventForwarder::AsEventHandler() const {
    std::weak_ptr<Target> weak = m_target;
    return [weak](const ElementPtr& source, HtmlEvent& event) {
        const auto target = weak.lock();
        if (!target || !target->handler) return;
        // Events of another page (an element kept across a re-navigation) are not ours.
        if (source && source->ownerDocument() != target->document) return;
        target->handler->HandleEvent(source, event);
    };
}

void EventForwarder::Attach(const ElementPtr& element, HtmlEventType type) const {
    if (element) element->setEventHandler(type, AsEventHandler());
}

HtmlDocument* BindLoadedPage(HtmlView& view, IActualEventHandler* window,
                             std::unique_ptr<EventForwarder>& forwarder) {
    HtmlDocument* document = view.document();
    if (!document || !document->body()) return nullptr;
    forwarder = std::make_unique<EventForwarder>();
    forwarder->Bind(document, window);
    document->body()->setStyle("margin", "0");
    document->body()->setStyle("overflow", "auto");
    return document;
}

bool ReadEventId(const ElementPtr& source, HtmlEvent& event, std::string& id) {
    id = source ? source->id() : std::string();
    if (!id.empty()) return true;
    event.returnValue = false;
    event.cancelBubble = true;
    return false;
}

}  // namespace gr::ui
