// Keeps one browser view started ahead for the next window that needs one.
//
// A new browser view needs its own page process and the kit's page script before it can show
// anything, which takes far longer than building a screen's page. While it exists, the pool
// is the factory of every HtmlView: a view asks for its page and gets the one started ahead at
// once; the next one is started a moment later, while the user looks at the window.
#pragma once

#include <memory>

#include "ViewBackend.h"

class QTimer;

namespace gr::ui {

class WarmViewPool {
  public:
    // restartDelayMs: how long after the view started ahead was taken the next one is started,
    // so that starting it does not slow the window that took the last one.
    explicit WarmViewPool(int restartDelayMs = 1000);
    ~WarmViewPool();
    WarmViewPool(const WarmViewPool&) = delete;
    WarmViewPool& operator=(const WarmViewPool&) = delete;

    // Whether a view started ahead has loaded its page and waits to be taken.
    bool SpareReady() const;

  private:
    class StartedView;

    std::unique_ptr<IViewBackend> Take();
    void StartSpare();

    std::unique_ptr<StartedView> m_spare;
    std::unique_ptr<QTimer> m_restart;
};

}  // namespace gr::ui
