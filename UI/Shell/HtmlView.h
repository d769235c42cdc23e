// A browser view of a window (wbDisplay, wbReport, ...): a document model that screens read
// and change synchronously, shown by a back-end that mirrors every change in order.
#pragma once

#include <QWidget>
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

  signals:
    void documentComplete();

  private:
    void onReady();

    std::unique_ptr<IViewBackend> m_backend;
    std::unique_ptr<HtmlDocument> m_document;
    bool m_loaded = false;
};

}  // namespace gr::ui
