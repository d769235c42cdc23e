#include "WebEngineBackend.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <optional>

#include "KitPageScript.h"

namespace gr::ui {

// The page of a view: the kit's own, which nothing replaces. Only the load that LoadOwnPage
// starts may navigate; links, scripts, form posts and drops are refused. No window opens, and
// the page can neither read file URLs or remote addresses nor hand a link of another scheme
// (mailto:, ...) to another program.
class KitPage : public QWebEnginePage {
  public:
    explicit KitPage(QObject* parent) : QWebEnginePage(parent) {
        QWebEngineSettings* s = settings();
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
        s->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    }

    void LoadOwnPage(const QString& html) {
        m_ownLoadPending = true;
        setHtml(html, QUrl(QStringLiteral("about:blank")));
    }

  protected:
    bool acceptNavigationRequest(const QUrl& /*url*/, NavigationType type,
                                 bool isMainFrame) override {
        // A typed load is one the program starts; a page cannot start one.
        const bool own = m_ownLoadPending && isMainFrame && type == NavigationTypeTyped;
        if (own) m_ownLoadPending = false;
        return own;
    }
    QWebEnginePage* createWindow(WebWindowType /*type*/) override { return nullptr; }

  private:
    bool m_ownLoadPending = false;
};

namespace {

QString ChannelScript() {
    static const QString script = [] {
        QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return script;
}

// How the page's Content-Security-Policy names a script it lets run: by its digest.
QString ScriptSource(const QString& script) {
    const QByteArray digest =
        QCryptographicHash::hash(script.toUtf8(), QCryptographicHash::Sha256).toBase64();
    return QStringLiteral("'sha256-") + QString::fromLatin1(digest) + QLatin1Char('\'');
}

// The empty page with the kit's style and scripts. Its policy runs those two scripts and
// nothing else (no other inline script, no handler attribute, no script from anywhere) and
// lets the page load nothing at all: no image, frame, font, connection or form target.
// Styles may be inline, as the pages' own are.
QString BlankPage() {
    static const QString page = [] {
        const QString channel = ChannelScript();
        const QString kit = QString::fromUtf8(kKitPageScript);
        const QString policy = QStringLiteral("default-src 'none'; script-src ") +
                               ScriptSource(channel) + QLatin1Char(' ') + ScriptSource(kit) +
                               QStringLiteral(
                                   "; style-src 'unsafe-inline'; base-uri 'none'; "
                                   "form-action 'none'");
        return QStringLiteral(
                   "<!DOCTYPE html><html><head><meta charset='utf-8'>"
                   "<meta http-equiv='Content-Security-Policy' content=\"") +
               policy + QStringLiteral("\"><style>") + QString::fromUtf8(kKitPageStyle) +
               QStringLiteral("</style><script>") + channel + QStringLiteral("</script><script>") +
               kit + QStringLiteral("</script></head><body></body></html>");
    }();
    return page;
}

std::optional<ViewEvent::Kind> EventKind(const QString& kind) {
    if (kind == QLatin1String("click")) return ViewEvent::Kind::Click;
    if (kind == QLatin1String("change")) return ViewEvent::Kind::Change;
    if (kind == QLatin1String("focus")) return ViewEvent::Kind::Focus;
    if (kind == QLatin1String("input")) return ViewEvent::Kind::Input;
    return std::nullopt;
}

}  // namespace

void KitBridge::event(const QString& kind, int k, const QString& value, bool checked,
                      int selectedIndex) {
    if (kind == QLatin1String("ready")) {
        if (onReady) onReady();
        return;
    }
    const std::optional<ViewEvent::Kind> eventKind = EventKind(kind);
    if (!eventKind || !onEvent) return;
    ViewEvent e;
    e.kind = *eventKind;
    e.k = k;
    e.value = value.toStdString();
    e.checked = checked;
    e.selectedIndex = selectedIndex;
    onEvent(e);
}

WebEngineBackend::WebEngineBackend() : m_view(new QWebEngineView) {
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    // Nothing dropped on a view reaches its page: a dropped file or link would replace it.
    m_view->setAcceptDrops(false);
    m_page = new KitPage(m_view);
    m_view->setPage(m_page);
    m_channel = new QWebChannel(m_view);
    m_bridge = new KitBridge(m_view);
    m_bridge->onReady = [this] {
        if (m_ready) return;  // once per page
        m_ready = true;
        flush();
        reportReady();
    };
    m_bridge->onEvent = [this](const ViewEvent& e) { reportEvent(e); };
    m_channel->registerObject(QStringLiteral("kit"), m_bridge);
    m_page->setWebChannel(m_channel);
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
    m_page->LoadOwnPage(BlankPage());
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
    m_page->runJavaScript(QStringLiteral("window.__gr.apply(%1);").arg(json));
}

void WebEngineBackend::runScript(const QString& script, std::function<void(const QVariant&)> done) {
    flush();
    QPointer<QWebEngineView> guard = m_view;
    m_page->runJavaScript(script, [guard, done = std::move(done)](const QVariant& v) {
        if (guard && done) done(v);
    });
}

void WebEngineBackend::requestSnapshot(std::function<void(const QString&)> done) {
    runScript(QStringLiteral("window.__gr.snapshot()"),
              [done = std::move(done)](const QVariant& v) { done(v.toString()); });
}

}  // namespace gr::ui
