#include "GRTextBox.h"

#include <QFocusEvent>

namespace gr::ui {

bool IsRealFocusOut(const QFocusEvent& event) {
    switch (event.reason()) {
        case Qt::PopupFocusReason:         // a menu or popup over the box; it comes back
        case Qt::ActiveWindowFocusReason:  // a dialog or another program; it comes back
            return false;
        default:
            return true;
    }
}

void GRTextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (IsRealFocusOut(*event)) emit LostFocus();
}

}  // namespace gr::ui
