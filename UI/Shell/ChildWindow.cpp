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

void ChildWindow::CloseWindow() {
    if (MayLeave(LeaveReason::Closed)) HideAndRaiseFormClosed();
}

bool ChildWindow::MayLeave(LeaveReason reason) {
    if (!HasUnsavedChanges()) return true;
    if (reason == LeaveReason::Unattended) return SaveChanges();
    return AskToSave("Save changes to " + windowTitle().toStdString() + "?", MsgAnswer::Yes);
}

bool ChildWindow::SaveSilentlyUnlessAsked(LeaveReason reason) {
    if (!HasUnsavedChanges()) return true;
    if (reason == LeaveReason::Replaced || reason == LeaveReason::Unattended) return SaveSilently();
    return AskToSave(kSaveChangesQuestion, MsgAnswer::Cancel);
}

bool ChildWindow::AskToSave(const std::string& question, MsgAnswer defaultAnswer) {
    switch (MsgBox(question, MsgButtons::YesNoCancel, "Gridora", defaultAnswer)) {
        case MsgAnswer::Yes:
            return SaveChanges();
        case MsgAnswer::No:
            DiscardChanges();
            emit UnsavedWorkChanged();
            return true;
        default:
            return false;
    }
}

void ChildWindow::CollectUnsavedWork(UnsavedWork& /*work*/) const {}

void ChildWindow::BringBackWork(const UnsavedWork& /*work*/) {}

}  // namespace gr::ui
