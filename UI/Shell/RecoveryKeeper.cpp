#include "RecoveryKeeper.h"

#include "GRUIUtils.h"

namespace gr::ui {

RecoveryKeeper::RecoveryKeeper(const std::string& leagueFile, QObject* parent)
    : QObject(parent), m_file(leagueFile) {}

void RecoveryKeeper::Watch(ChildWindow* window) {
    if (window == m_window) return;
    disconnect(m_changes);
    m_window = window;
    if (window)
        m_changes = connect(window, &ChildWindow::UnsavedWorkChanged, this, [this] { Schedule(); });
    Schedule();
}

// Changes come in bursts (a rebuilt grid, a pick and its cell); one write takes them all.
void RecoveryKeeper::Schedule() {
    if (m_pending) return;
    m_pending = true;
    QMetaObject::invokeMethod(
        this, [this] { Flush(); }, Qt::QueuedConnection);
}

void RecoveryKeeper::Flush() {
    m_pending = false;
    UnsavedWork work;
    if (m_window && m_window->HasUnsavedChanges()) m_window->CollectUnsavedWork(work);
    if (work.Empty()) {
        if (m_written) m_written = !m_file.Remove();
        return;
    }
    std::string error;
    if (m_file.Write(std::move(work), error)) {
        m_written = true;
        return;
    }
    if (m_warned) return;
    m_warned = true;
    MsgBox("Your unsaved work cannot be kept safe in " + m_file.Path() + ": " + error +
               "\r\nSave it often until this is put right.",
           MsgButtons::OK, "Gridora");
}

}  // namespace gr::ui
