// What every window opened from the main window's menu shares: it lives in the main window's
// child area, hears when it becomes or stops being the active window there, and talks back to
// the main window only through its three signals.
#pragma once

#include <QWidget>

namespace gr::ui {

class ChildWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ChildWindow(QWidget* parent = nullptr);

    // The child area made this window the active one (after it was shown, or when the user
    // comes back to it from another child window).
    virtual void Activated() {}
    // Another window of the child area became the active one.
    virtual void Deactivated() {}

  signals:
    void FormClosed();
    void YearChanged();
    void DataChanged();

  protected:
    // The window's Close button: hides the window together with the frame that holds it in the
    // child area, then raises FormClosed. The main window unloads it later.
    void HideAndRaiseFormClosed();
};

}  // namespace gr::ui
