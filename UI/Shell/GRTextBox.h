// A text box of a screen whose loss of the focus runs the screen's checks (txtNoOfManagers,
// txtPlayerName...). Qt also takes the focus away when a popup opens (the box's own context
// menu) or when the window stops being the active one (a message box or dialog the program
// opens, another program): none of these is the user leaving the box, and a check that
// answered them would show its message behind the dialog or twice.
#pragma once

#include <QLineEdit>

class QFocusEvent;

namespace gr::ui {

// Whether the focus left for another control of the same window (a click, Tab, a shortcut
// or the program's setFocus) rather than for a popup or another window.
bool IsRealFocusOut(const QFocusEvent& event);

class GRTextBox : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    // The user left the box for another control of the window (see IsRealFocusOut).
    void LostFocus();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace gr::ui
