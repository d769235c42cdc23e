// The document model of one page: the tree the screens read synchronously, the parser that
// builds it, and the delivery of the user's actions to element event handlers.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "HtmlElement.h"
#include "ViewBackend.h"

namespace gr::ui {

class HtmlDocument {
  public:
    // mirror receives every change of the tree, in order; it may be empty.
    explicit HtmlDocument(std::function<void(const MirrorOp&)> mirror = {});
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    const ElementPtr& documentElement() const { return m_html; }
    const ElementPtr& head() const { return m_head; }
    const ElementPtr& body() const { return m_body; }
    // The first element in document order with this id; none when there is none.
    ElementPtr getElementById(const std::string& id) const;
    ElementPtr elementByKitId(int kitId) const;

    // Applies a user's action: the element takes the state the view reports, then the
    // element event handlers run (click and change bubble to enclosing elements; focus does
    // not). A cancelled click on a check box or radio button restores the earlier state; a
    // click that stands and changed it raises change. A change report of text the program has
    // handled already (HtmlElement::markValueHandled) is taken without raising change.
    void deliver(const ViewEvent& event);

    // A structural snapshot of the body (tags, ids, attributes, text, control state) as
    // JSON, in the same form the browser back-end produces, for comparing model and view.
    std::string snapshotJson() const;

    // Parses markup as the content of an element with the given tag.
    static std::vector<ElementPtr> parseFragment(const std::string& contextTag,
                                                 const std::string& html);

  private:
    friend class HtmlElement;
    // Runs the element event handlers from target outwards (focus stays on target).
    HtmlEvent dispatch(const ElementPtr& target, HtmlEventType type);
    // The steps of deliver: the check states a click may have to restore (the target's, or
    // its whole radio group's), the state the view reports taken into the model, and the
    // handlers a change or a click runs.
    using CheckStates = std::vector<std::pair<ElementPtr, bool>>;
    CheckStates checkStates(const ElementPtr& target) const;
    static void takeReportedState(HtmlElement& target, const ViewEvent& event);
    void deliverChange(const ElementPtr& target, const std::string& value);
    void deliverClick(const ElementPtr& target, const CheckStates& before, bool wasChecked);
    void send(const MirrorOp& op) const {
        if (m_mirror) m_mirror(op);
    }
    // Nodes that have just entered the page, in document order.
    void attached(const std::vector<ElementPtr>& nodes);
    void detached(const HtmlElement& node);

    std::function<void(const MirrorOp&)> m_mirror;
    ElementPtr m_html;
    ElementPtr m_head;
    ElementPtr m_body;
    std::unordered_map<int, std::weak_ptr<HtmlElement>> m_byKitId;
};

}  // namespace gr::ui
