// Drives a page of a headless view by element id as a user would: the element takes the state
// the browser's default action gives it, then the same events the browser sends are delivered.
#pragma once

#include <string>

#include "HeadlessBackend.h"
#include "HtmlView.h"

namespace gr::ui::test {

// Runs the event loop until the view has loaded its page (or a second has passed).
bool WaitForDocument(HtmlView& view);
// Runs the event loop briefly (queued loads and deferred deletions).
void Settle();

class ViewDriver {
  public:
    explicit ViewDriver(HtmlView& view) : m_view(view) {}

    // Each returns false (and changes nothing) when the page has no enabled element of that id.
    bool click(const std::string& id);
    bool type(const std::string& id, const std::string& text);  // focus, typing, change
    bool select(const std::string& id, int index);              // a list's choice, then change
    bool focus(const std::string& id);

    ElementPtr element(const std::string& id) const;
    HeadlessBackend& backend() const;

  private:
    ElementPtr enabled(const std::string& id) const;
    void send(ViewEvent::Kind kind, const ElementPtr& e) const;

    HtmlView& m_view;
};

}  // namespace gr::ui::test
