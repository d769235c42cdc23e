// What every window opened from the main window's menu shares: it lives in the main window's
// child area, hears when it becomes or stops being the active window there, talks back to
// the main window only through its signals, and follows one rule for unsaved work whenever it
// is left.
#pragma once

#include <QWidget>
#include <string>

#include "GRUIUtils.h"
#include "RecoveryFile.h"

namespace gr::ui {

// The question of the windows that ask in words of their own before unsaved work goes.
inline constexpr const char* kSaveChangesQuestion = "Do you want to save changes?";

// How a window is left.
enum class LeaveReason {
    Closed,      // with its own Close button
    Replaced,    // another menu command opens a window in its place
    Exit,        // the program ends: Exit, the main window's close button, the session's end
    Unattended,  // the session ends and nobody may be asked
};

class ChildWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ChildWindow(QWidget* parent = nullptr);

    // The child area made this window the active one (after it was shown, or when the user
    // comes back to it from another child window).
    virtual void Activated() {}
    // Another window of the child area became the active one.
    virtual void Deactivated() {}

    // ---- Unsaved work: what the window's Save would store ----
    virtual bool HasUnsavedChanges() const { return false; }
    // Stores the work; false, after telling the user why, when it could not be stored.
    virtual bool SaveChanges() { return true; }
    // Throws the work away.
    virtual void DiscardChanges() {}
    // Whether the window may be left now, after doing what its rules say. By default unsaved
    // work asks "Save changes to <caption>?" (Yes saves, No discards, Cancel stays), and is
    // saved without a question when nobody may be asked. False keeps the window as it is; a
    // save that fails never lets it go.
    virtual bool MayLeave(LeaveReason reason);
    // The unsaved work as the recovery file keeps it, and such work brought back (unsaved) into
    // the window just opened. Windows whose work the file does not keep leave both alone.
    virtual void CollectUnsavedWork(UnsavedWork& work) const;
    virtual void BringBackWork(const UnsavedWork& work);

  signals:
    void FormClosed();
    void YearChanged();
    void DataChanged();
    // The unsaved work has grown, or has been saved or discarded.
    void UnsavedWorkChanged();

  protected:
    // The window's Close button: hides the window together with the frame that holds it in the
    // child area, then raises FormClosed. The main window unloads it later.
    void HideAndRaiseFormClosed();
    // The Close button of a window that edits: leaves when MayLeave(Closed) allows it.
    void CloseWindow();
    // Asks the question with Yes, No and Cancel: Yes saves, No discards. True when the window
    // may go (not after Cancel, nor after a save that failed).
    bool AskToSave(const std::string& question, MsgAnswer defaultAnswer);
    // The rule of the windows that save without a question when another window takes their
    // place (or nobody may be asked) and otherwise ask kSaveChangesQuestion (Cancel default).
    bool SaveSilentlyUnlessAsked(LeaveReason reason);
    // The save without a question of that rule; the Save button's unless the window differs.
    virtual bool SaveSilently() { return SaveChanges(); }
};

}  // namespace gr::ui
