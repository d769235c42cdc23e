#include "ChildWindow.h"

#include <QMdiSubWindow>

namespace gr::ui {

ChildWindow::ChildWindow(QWidget* parent) : QWidget(parent) {}

void ChildWindow::HideAndRaiseFormClosed() {
    // Hiding only the window would leave its empty frame covering the welcome window.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->hide();
    else
        hide();
    emit FormClosed();
}

}  // namespace gr::ui
