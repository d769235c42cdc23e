#include "GRTextBox.h"

#include <QFocusEvent>
#include <QTimer>

#include "GRUIUtils.h"

namespace gr::ui {

bool IsRealFocusOut(const QFocusEvent& event) {
    switch (event.reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            return true;
        default:
            // Popup and ActiveWindow: a menu, a dialog or another program; the focus comes
            // back. MenuBar: Alt into the menu bar; it comes back too. Other is the program
            // itself: a screen putting the focus back into a box whose check failed must not
            // run the check of the box the user had just clicked (two failing boxes would
            // hand the focus and their messages back and forth for ever); clearFocus gives
            // this reason too.
            return false;
    }
}

void GRTextBox::setSelectAllOnFocus(bool on) {
    m_selectAllOnFocus = on;
}

void GRTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!m_selectAllOnFocus) return;
    switch (event->reason()) {
        case Qt::MouseFocusReason:
            // The click's press places the cursor after the focus has arrived; select once
            // it has, or the click would undo the selection.
            QTimer::singleShot(0, this, [this] {
                if (hasFocus()) SelectAllText(this);
            });
            break;
        case Qt::PopupFocusReason:
        case Qt::ActiveWindowFocusReason:
            // Back from a context menu or another window: the user's own selection stays,
            // so that the menu's Cut, Delete or Paste act on what the user selected.
            break;
        default:
            SelectAllText(this);
            break;
    }
}

void GRTextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (IsRealFocusOut(*event)) emit LostFocus();
}

}  // namespace gr::ui
