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
    // Focus (unless the driver focused the element already) and typing: the model holds the
    // text, the element keeps the focus and no change is reported yet, as while the user is
    // still typing.
    bool typeWithoutLeaving(const std::string& id, const std::string& text);
    // Leaves an element this driver focused: its change is reported when its text differs
    // from the text it held when it was focused, as a browser does on blur. False when the
    // driver did not focus it.
    bool leave(const std::string& id);

    ElementPtr element(const std::string& id) const;
    HeadlessBackend& backend() const;

  private:
    ElementPtr enabled(const std::string& id) const;
    void send(ViewEvent::Kind kind, const ElementPtr& e) const;

    HtmlView& m_view;
    int m_focusedK = 0;          // the element this driver focused and did not leave yet
    std::string m_valueAtFocus;  // its text when it was focused
};

}  // namespace gr::ui::test
