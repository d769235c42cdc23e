// A view back-end without a browser: it keeps a log of the changes it was sent and lets tests
// deliver user actions. The screens run exactly the same code as with the real view.
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

#include "ViewBackend.h"

namespace gr::ui {

class HeadlessBackend : public IViewBackend {
  public:
    HeadlessBackend();
    ~HeadlessBackend() override;

    QWidget* widget() override { return m_widget; }
    // Ready on the next turn of the event loop, as a browser finishes loading later.
    void loadBlank() override;
    void apply(const MirrorOp& op) override { m_ops.push_back(op); }

    // A user action, with the element state after the browser's default action.
    void deliver(const ViewEvent& e) { reportEvent(e); }
    const std::vector<MirrorOp>& ops() const { return m_ops; }
    void clearOps() { m_ops.clear(); }

  private:
    QPointer<QWidget> m_widget;
    std::vector<MirrorOp> m_ops;
    int m_generation = 0;
};

}  // namespace gr::ui
