// A text box of a screen whose loss of the focus runs the screen's checks (txtNoOfManagers,
// txtPlayerName...). Qt also takes the focus away when a popup opens (the box's own context
// menu), when the window stops being the active one (a message box or dialog the program
// opens, another program) and when the program itself moves the focus: none of these is the
// user leaving the box, and a check that answered them would show its message behind the
// dialog, twice, or for a box the user never left.
#pragma once

#include <QLineEdit>

class QFocusEvent;

namespace gr::ui {

// Whether the user moved the focus from the box to another control: a click, Tab, Backtab or
// a shortcut.
bool IsRealFocusOut(const QFocusEvent& event);

class GRTextBox : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

    // When on, the box takes its whole text when the user or the program puts the focus in
    // it, so that typing replaces the value; coming back from a popup or another window keeps
    // the user's selection. Off by default.
    void setSelectAllOnFocus(bool on);

  signals:
    // The user left the box for another control of the window (see IsRealFocusOut).
    void LostFocus();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool m_selectAllOnFocus = false;
};

}  // namespace gr::ui
