#include "HeadlessBackend.h"

#include <QTimer>

namespace gr::ui {

HeadlessBackend::HeadlessBackend() : m_widget(new QWidget) {}

HeadlessBackend::~HeadlessBackend() {
    // The widget belongs to the view's layout once placed; delete it only when it was not.
    if (m_widget && !m_widget->parent()) delete m_widget;
}

void HeadlessBackend::loadBlank() {
    m_ops.clear();
    const int generation = ++m_generation;
    QTimer::singleShot(0, m_widget, [this, generation] {
        if (generation == m_generation) reportReady();
    });
}

}  // namespace gr::ui
