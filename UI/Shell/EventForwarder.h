// Connects the element events of one page to the window that handles them.
//
// A window binds one forwarder per view to the view's document and to itself, assigns it to the
// event properties of the elements it reacts to, and releases it when it unloads. After Release
// the event properties that still hold the forwarder do nothing.
#pragma once

#include <memory>
#include <string>

#include "GRUnknown.h"
#include "HtmlDocument.h"
#include "IActualEventHandler.h"

namespace gr::ui {

class EventForwarder {
  public:
    static constexpr Guid CLSID = MakeGuid("C7E0E2C7-F9D5-4958-A1E4-90285B4D6115");
    static constexpr Guid IID = MakeGuid("3B7D16A3-4A48-4CDD-B8FC-3A5753AE1198");

    EventForwarder();
    ~EventForwarder();
    EventForwarder(const EventForwarder&) = delete;
    EventForwarder& operator=(const EventForwarder&) = delete;

    void Bind(HtmlDocument* document, IActualEventHandler* handler);
    void Release();
    bool IsBound() const;

    // The value to put in an element event property.
    HtmlEventHandler AsEventHandler() const;
    // Puts the forwarder in the element's property for this event; nothing for no element.
    void Attach(const ElementPtr& element, HtmlEventType type) const;

  private:
    struct Target;
    std::shared_ptr<Target> m_target;
};

class HtmlView;

// The start of every window's document-complete handler: the view's page, a fresh forwarder
// bound to it and to the window (kept in forwarder), and the body without a margin, scrolling
// as needed. None, and nothing changed, while the view has no loaded page.
HtmlDocument* BindLoadedPage(HtmlView& view, IActualEventHandler* window,
                             std::unique_ptr<EventForwarder>& forwarder);

// The first step of every HandleEvent: reads the id of the event's element. When there is no
// element or it has no id, the event is cancelled and swallowed, and false is returned.
bool ReadEventId(const ElementPtr& source, HtmlEvent& event, std::string& id);

}  // namespace gr::ui
