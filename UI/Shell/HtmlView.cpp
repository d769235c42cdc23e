#include "HtmlView.h"

#include <QVBoxLayout>

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
    m_backend->setCallbacks([this] { onReady(); },
                            [this](const ViewEvent& e) {
                                if (m_loaded && m_document) m_document->deliver(e);
                            });
}

HtmlView::~HtmlView() {
    m_backend->setCallbacks({}, {});
    m_document.reset();
}

void HtmlView::navigate() {
    m_loaded = false;
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

}  // namespace gr::ui
