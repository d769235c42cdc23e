// The view back-end of the program: a Qt WebEngine view whose page talks to the document
// model over a WebChannel. Changes are batched and sent in order on the next turn of the
// event loop; the page reports clicks, changes, focus and typing with the element's state.
//
// A view shows the kit's own page and nothing else: once it is loading, every navigation is
// refused (links, scripts, form posts, drops), no window opens, the page cannot read files or
// remote addresses, and its Content-Security-Policy runs no script but the kit's own. So no
// other page can reach the channel and send the program events the user never made.
#pragma once

#include <QJsonArray>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QWebEngineView>
#include <functional>

#include "ViewBackend.h"
class QWebChannel;

namespace gr::ui {

class KitPage;

// The object the page sees as "kit". Its one call is all the channel offers the page: no
// properties, signals or slots of its own (the channel refuses deleteLater on an object it
// was given, and QObject's objectName changes nothing here).
class KitBridge : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    std::function<void()> onReady;
    std::function<void(const ViewEvent&)> onEvent;

    using QObject::event;  // the page's reports below do not hide Qt's own events

    // kind "ready" once the page's script has started, then "click", "change", "focus" or
    // "input" with the element's kit id and state; any other kind is ignored.
    Q_INVOKABLE void event(const QString& kind, int k, const QString& value, bool checked,
                           int selectedIndex);
};

class WebEngineBackend : public IViewBackend {
  public:
    WebEngineBackend();
    ~WebEngineBackend() override;

    QWidget* widget() override;
    void loadBlank() override;
    void apply(const MirrorOp& op) override;

    // Runs script in the page after every change sent so far; the result goes to done.
    void runScript(const QString& script, std::function<void(const QVariant&)> done);
    // The browser's own structural snapshot of the body (see HtmlDocument::snapshotJson).
    void requestSnapshot(std::function<void(const QString&)> done);
    QWebEngineView* view() const { return m_view; }
    bool isReady() const { return m_ready; }

  private:
    void scheduleFlush();
    void flush();

    QPointer<QWebEngineView> m_view;
    QPointer<KitPage> m_page;
    QPointer<QWebChannel> m_channel;
    QPointer<KitBridge> m_bridge;
    QJsonArray m_pending;
    bool m_ready = false;
    bool m_flushScheduled = false;
};

}  // namespace gr::ui
