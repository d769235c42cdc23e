#include "WebEngineBackend.h"

#include <QFile>
#include <QJsonDocument>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "KitPageScript.h"

namespace gr::ui {

namespace {

QString ChannelScript() {
    static const QString script = [] {
        QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return script;
}

QString BlankPage() {
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset='utf-8'><style>%1</style>"
               "<script>%2</script><script>%3</script></head><body></body></html>")
        .arg(QString::fromUtf8(kKitPageStyle), ChannelScript(), QString::fromUtf8(kKitPageScript));
}

ViewEvent::Kind EventKind(const QString& kind) {
    if (kind == QLatin1String("change")) return ViewEvent::Kind::Change;
    if (kind == QLatin1String("focus")) return ViewEvent::Kind::Focus;
    if (kind == QLatin1String("input")) return ViewEvent::Kind::Input;
    return ViewEvent::Kind::Click;
}

}  // namespace

void KitBridge::ready() {
    if (onReady) onReady();
}

void KitBridge::event(const QString& kind, int k, const QString& value, bool checked,
                      int selectedIndex) {
    if (!onEvent) return;
    ViewEvent e;
    e.kind = EventKind(kind);
    e.k = k;
    e.value = value.toStdString();
    e.checked = checked;
    e.selectedIndex = selectedIndex;
    onEvent(e);
}

WebEngineBackend::WebEngineBackend() : m_view(new QWebEngineView) {
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_channel = new QWebChannel(m_view);
    m_bridge = new KitBridge(m_view);
    m_bridge->onReady = [this] {
        m_ready = true;
        flush();
        reportReady();
    };
    m_bridge->onEvent = [this](const ViewEvent& e) { reportEvent(e); };
    m_channel->registerObject(QStringLiteral("kit"), m_bridge);
    m_view->page()->setWebChannel(m_channel);
}

WebEngineBackend::~WebEngineBackend() {
    if (m_bridge) {
        m_bridge->onReady = nullptr;
        m_bridge->onEvent = nullptr;
    }
    if (m_view && !m_view->parent()) delete m_view;
}

QWidget* WebEngineBackend::widget() {
    return m_view;
}

void WebEngineBackend::loadBlank() {
    m_ready = false;
    m_pending = QJsonArray();
    m_view->setHtml(BlankPage(), QUrl(QStringLiteral("about:blank")));
}

void WebEngineBackend::apply(const MirrorOp& op) {
    QJsonArray entry{static_cast<int>(op.kind),
                     op.k,
                     QString::fromStdString(op.name),
                     QString::fromStdString(op.text),
                     op.n,
                     op.n2,
                     op.isNumber};
    m_pending.append(entry);
    scheduleFlush();
}

void WebEngineBackend::scheduleFlush() {
    if (!m_ready || m_flushScheduled) return;
    m_flushScheduled = true;
    QTimer::singleShot(0, m_view, [this] { flush(); });
}

void WebEngineBackend::flush() {
    m_flushScheduled = false;
    if (!m_ready || m_pending.isEmpty()) return;
    const QString json = QString::fromUtf8(QJsonDocument(m_pending).toJson(QJsonDocument::Compact));
    m_pending = QJsonArray();
    m_view->page()->runJavaScript(QStringLiteral("window.__gr.apply(%1);").arg(json));
}

void WebEngineBackend::runScript(const QString& script, std::function<void(const QVariant&)> done) {
    flush();
    QPointer<QWebEngineView> guard = m_view;
    m_view->page()->runJavaScript(script, [guard, done = std::move(done)](const QVariant& v) {
        if (guard && done) done(v);
    });
}

void WebEngineBackend::requestSnapshot(std::function<void(const QString&)> done) {
    runScript(QStringLiteral("window.__gr.snapshot()"),
              [done = std::move(done)](const QVariant& v) { done(v.toString()); });
}

}  // namespace gr::ui
