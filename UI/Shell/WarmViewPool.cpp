#include "WarmViewPool.h"

#include <QTimer>

#include "HtmlView.h"
#include "WebEngineBackend.h"

namespace gr::ui {

// A browser view that loads its empty page as soon as it is created. Its first page request
// finds that page ready and is answered without loading it again.
class WarmViewPool::StartedView : public WebEngineBackend {
  public:
    StartedView() { WebEngineBackend::loadBlank(); }

    void loadBlank() override {
        const bool first = !m_used;
        m_used = true;
        if (!first) {
            WebEngineBackend::loadBlank();
            return;
        }
        // The empty page still loading reports ready when it is; one already loaded does so on
        // a later turn of the event loop, as after a load.
        if (isReady()) QTimer::singleShot(0, widget(), [this] { reportReady(); });
    }

  private:
    bool m_used = false;
};

WarmViewPool::WarmViewPool(int restartDelayMs) : m_restart(std::make_unique<QTimer>()) {
    m_restart->setSingleShot(true);
    m_restart->setInterval(restartDelayMs);
    QObject::connect(m_restart.get(), &QTimer::timeout, [this] { StartSpare(); });
    HtmlView::SetBackendFactory([this] { return Take(); });
    // Not at once: the program's start-up should not wait for it.
    m_restart->start();
}

WarmViewPool::~WarmViewPool() {
    HtmlView::SetBackendFactory({});
    m_restart->stop();
    m_spare.reset();
}

bool WarmViewPool::SpareReady() const {
    return m_spare && m_spare->isReady();
}

std::unique_ptr<IViewBackend> WarmViewPool::Take() {
    std::unique_ptr<IViewBackend> view =
        m_spare ? std::move(m_spare) : std::make_unique<StartedView>();
    m_restart->start();
    return view;
}

void WarmViewPool::StartSpare() {
    if (!m_spare) m_spare = std::make_unique<StartedView>();
}

}  // namespace gr::ui
