// A browser view of a window (wbDisplay, wbReport, ...): a document model that screens read
// and change synchronously, shown by a back-end that mirrors every change in order.
//
// Events the page reports are delivered to the model one at a time, in the order reported.
// An event that arrives while one of this view's handlers runs, or while a message box or
// modal dialog of the program is open over this view's window (ModalScope.h), is held and
// delivered once that handler has returned, so handlers never run inside one another.
#pragma once

#include <QWidget>
#include <deque>
#include <memory>

#include "HtmlDocument.h"
#include "ViewBackend.h"

namespace gr::ui {

class HtmlView : public QWidget {
    Q_OBJECT
  public:
    explicit HtmlView(QWidget* parent = nullptr);
    ~HtmlView() override;

    // The back-end every view created afterwards uses: the Qt WebEngine view by default;
    // tests install the headless one. An empty factory restores the default.
    static void SetBackendFactory(ViewBackendFactory factory);

    // Starts a fresh, empty page ("about:blank"); documentComplete follows once it is ready.
    void navigate();
    // The page once it has finished loading; none before.
    HtmlDocument* document() const { return m_loaded ? m_document.get() : nullptr; }
    bool isLoaded() const { return m_loaded; }
    IViewBackend* backend() const { return m_backend.get(); }
    // Events reported and not delivered yet (see above).
    size_t heldEventCount() const { return m_held.size(); }

  signals:
    void documentComplete();

  private:
    void onReady();
    void onEvent(const ViewEvent& event);
    bool mustHoldEvents() const;
    void deliverHeldEvents();

    std::unique_ptr<IViewBackend> m_backend;
    std::unique_ptr<HtmlDocument> m_document;
    bool m_loaded = false;
    bool m_delivering = false;
    std::deque<ViewEvent> m_held;
};

}  // namespace gr::ui
