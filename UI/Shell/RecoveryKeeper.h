// Keeps the recovery file of the league in use up to date with the unsaved work of the window
// that holds it: written in the event-loop turn after a change (so a taken pick is on disk
// before the next can be typed), removed once the work is saved or discarded.
#pragma once

#include <QObject>
#include <QPointer>
#include <string>

#include "ChildWindow.h"
#include "RecoveryFile.h"

namespace gr::ui {

class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    explicit RecoveryKeeper(const std::string& leagueFile, QObject* parent = nullptr);

    // The window whose work is kept from now on; none keeps nothing.
    void Watch(ChildWindow* window);
    // Writes what the window holds now, or removes the file when it holds nothing.
    void Flush();
    RecoveryFile& File() { return m_file; }

  private:
    void Schedule();

    RecoveryFile m_file;
    QPointer<ChildWindow> m_window;
    QMetaObject::Connection m_changes;
    bool m_pending = false;
    bool m_written = false;  // this keeper has written the file since it was last removed
    bool m_warned = false;
};

}  // namespace gr::ui
