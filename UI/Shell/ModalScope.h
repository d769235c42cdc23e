// The program's modal moments: a message box, a modal dialog or the file dialog, each running
// its own event loop inside the handler that opened it.
//
// While one is open, the page views of the windows behind it hold the events their browser
// reports (late blur and change reports, clicks that were on their way): HtmlView delivers
// them after the handler that opened the modal has returned to the event loop, so a window's
// HandleEvent never runs inside another of its handlers. The pages of the dialog itself keep
// reporting. GRUIUtils opens every modal inside a ModalScope; nothing else needs one.
//
// (A page handler's own message box stalls the WebEngine view's reports anyway: the handler
// runs inside the browser's delivery task. A Qt button's handler does not, and there the
// browser's blur, change and click reports do arrive while the box is open.)
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace gr::ui {

class ModalScope {
  public:
    // dialog: the modal window whose own pages keep reporting; none for a message box or the
    // file dialog.
    explicit ModalScope(QWidget* dialog = nullptr);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    // Whether a view in this top-level window holds its events now: a modal is open and the
    // window is not the innermost modal dialog.
    static bool HoldsEventsOf(const QWidget* window);
};

// Announces the end of each modal (queued connections run once control is back in an event
// loop, that is, after the handler that opened it has returned).
class ModalNotifier : public QObject {
    Q_OBJECT
  public:
    static ModalNotifier& Instance();

  signals:
    void modalEnded();
};

}  // namespace gr::ui
