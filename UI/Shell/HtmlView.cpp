#include "HtmlView.h"

#include <QPointer>
#include <QVBoxLayout>

#include "ModalScope.h"
#include "WebEngineBackend.h"

namespace gr::ui {

namespace {
ViewBackendFactory& Factory() {
    static ViewBackendFactory factory;
    return factory;
}
}  // namespace

void HtmlView::SetBackendFactory(ViewBackendFactory factory) {
    Factory() = std::move(factory);
}

HtmlView::HtmlView(QWidget* parent) : QWidget(parent) {
    m_backend = Factory() ? Factory()() : std::make_unique<WebEngineBackend>();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_backend->widget());
    setContextMenuPolicy(Qt::NoContextMenu);
    m_backend->setCallbacks([this] { onReady(); }, [this](const ViewEvent& e) { onEvent(e); });
    // Queued: held events go once the handler that opened the modal has returned.
    connect(&ModalNotifier::Instance(), &ModalNotifier::modalEnded, this,
            &HtmlView::deliverHeldEvents, Qt::QueuedConnection);
}

HtmlView::~HtmlView() {
    m_backend->setCallbacks({}, {});
    m_document.reset();
}

void HtmlView::navigate() {
    m_loaded = false;
    m_held.clear();  // reports of the page that goes
    m_backend->loadBlank();
    IViewBackend* backend = m_backend.get();
    m_document =
        std::make_unique<HtmlDocument>([backend](const MirrorOp& op) { backend->apply(op); });
}

void HtmlView::onReady() {
    if (!m_document) return;
    m_loaded = true;
    emit documentComplete();
}

bool HtmlView::mustHoldEvents() const {
    return m_delivering || ModalScope::HoldsEventsOf(window());
}

void HtmlView::onEvent(const ViewEvent& event) {
    if (!m_loaded || !m_document) return;
    // Behind earlier held events, so that the order stays the order of the reports.
    m_held.push_back(event);
    deliverHeldEvents();
}

void HtmlView::deliverHeldEvents() {
    const QPointer<HtmlView> alive(this);
    while (!m_held.empty() && !mustHoldEvents() && m_loaded && m_document) {
        const ViewEvent event = m_held.front();
        m_held.pop_front();
        m_delivering = true;
        m_document->deliver(event);
        if (!alive) return;
        m_delivering = false;
    }
}

}  // namespace gr::ui
