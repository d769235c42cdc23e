// What a page view needs from the engine that shows it. The document model sends every change
// as a MirrorOp, in order; the back-end reports the user's actions as ViewEvents.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace gr::ui {

struct MirrorOp {
    enum class Kind {
        Bind,        // k: html, n: head, n2: body (the fixed nodes of a fresh page)
        InnerHtml,   // k: element, text: markup with kit ids
        Text,        // k: element, text: its only text
        Attribute,   // k, name, text
        RemoveAttr,  // k, name
        Property,    // k, name ("value", "checked", "selectedIndex"), text or n
        Style,       // k, name (script property), text
        Insert,      // k: parent, n: kit id of the node to insert before (0: at the end), text
        Remove,      // k
        Focus,       // k
        ScrollIntoView,
    };
    Kind kind = Kind::Bind;
    int k = 0;
    std::string name;
    std::string text;
    int n = 0;
    int n2 = 0;
    bool isNumber = false;  // a Property whose value is n, not text

    static MirrorOp Make(Kind kind, int k, std::string name = {}, std::string text = {},
                         int n = 0) {
        MirrorOp op;
        op.kind = kind;
        op.k = k;
        op.name = std::move(name);
        op.text = std::move(text);
        op.n = n;
        return op;
    }
};

// A user action in the view, with the state of the element after the browser's default action.
struct ViewEvent {
    enum class Kind { Click, Change, Focus, Input };
    Kind kind = Kind::Click;
    int k = 0;  // kit id of the element acted on
    std::string value;
    bool checked = false;
    int selectedIndex = -1;
};

class IViewBackend {
  public:
    virtual ~IViewBackend() = default;
    virtual QWidget* widget() = 0;
    // Starts an empty page; calls the ready callback once it can take changes and send events.
    virtual void loadBlank() = 0;
    virtual void apply(const MirrorOp& op) = 0;
    void setCallbacks(std::function<void()> onReady,
                      std::function<void(const ViewEvent&)> onEvent) {
        m_onReady = std::move(onReady);
        m_onEvent = std::move(onEvent);
    }

  protected:
    void reportReady() {
        if (m_onReady) m_onReady();
    }
    void reportEvent(const ViewEvent& e) {
        if (m_onEvent) m_onEvent(e);
    }

  private:
    std::function<void()> m_onReady;
    std::function<void(const ViewEvent&)> m_onEvent;
};

using ViewBackendFactory = std::function<std::unique_ptr<IViewBackend>()>;

}  // namespace gr::ui
