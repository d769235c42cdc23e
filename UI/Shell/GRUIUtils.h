// The program's seams to the user and the clock: message boxes, modal dialogs, the file-open
// dialog, today's date and the random seed. The program answers with Qt dialogs; tests install
// a responder of their own (see support/ui/ScriptedUser.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QDialog;
class QLineEdit;

namespace gr::ui {

enum class MsgButtons { OK, YesNo, YesNoCancel };
// Extra: the request's extra button was chosen.
enum class MsgAnswer { OK, Yes, No, Cancel, Extra };

struct MessageBoxRequest {
    std::string text;
    std::string title;
    MsgButtons buttons = MsgButtons::OK;
    MsgAnswer defaultAnswer = MsgAnswer::OK;
    std::string extraButton;  // the caption of one more button beside OK; empty: none
};

class IUserInteraction {
  public:
    virtual ~IUserInteraction() = default;
    virtual MsgAnswer showMessage(const MessageBoxRequest& request) = 0;
    // Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog& dialog) = 0;
    // The chosen file, or empty text when the user cancelled. filter is "Name (*.ext) | *.ext".
    virtual std::string openFileName(const std::string& title, const std::string& filter,
                                     const std::string& startFolder) = 0;
    // The file to write, or empty text when the user cancelled; proposedPath is the folder and
    // name offered. A responder that tells the two dialogs apart overrides this; one that does
    // not (a test's script of files) answers both from the same list.
    virtual std::string saveFileName(const std::string& title, const std::string& filter,
                                     const std::string& proposedPath) {
        return openFileName(title, filter, proposedPath);
    }
    // The chosen folder, or empty text when the user cancelled. By default answered as a file
    // name without a filter.
    virtual std::string folderName(const std::string& title, const std::string& startFolder) {
        return openFileName(title, std::string(), startFolder);
    }
    // Shows the folder in the desktop's file manager.
    virtual void openFolder(const std::string& path);
};

// Installs the responder for everything below; empty restores the Qt dialogs. While a message
// box, modal dialog or file dialog is open, the pages behind it hold their events
// (ModalScope.h).
void SetUserInteraction(std::shared_ptr<IUserInteraction> interaction);

// A message box. Questions default to No (Yes/No) or Cancel (Yes/No/Cancel).
MsgAnswer MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OK,
                 const std::string& title = "Gridora");
// A question with the answer that Enter gives.
MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                 MsgAnswer defaultAnswer);
// A notice with OK and one more button captioned extraButton; MsgAnswer::Extra when the user
// chose that button.
MsgAnswer MsgBoxWithButton(const std::string& text, const std::string& extraButton,
                           const std::string& title = "Gridora");
int ShowModal(QDialog& dialog);
std::string OpenFileDialog(const std::string& title, const std::string& filter,
                           const std::string& startFolder);
// The save-file dialog, asking before it replaces an existing file.
std::string SaveFileDialog(const std::string& title, const std::string& filter,
                           const std::string& proposedPath);

// The folder chooser; empty text when the user cancelled.
std::string FolderDialog(const std::string& title, const std::string& startFolder);
// Opens the folder in the desktop's file manager.
void OpenFolder(const std::string& path);

// Today's date (the same clock the services use).
std::chrono::year_month_day Today();
// A seed for the pseudo-random numbers, from the clock unless a test installed a source.
uint32_t RandomSeed();
void SetRandomSeedSource(std::function<uint32_t()> source);

// Selects all text of the box when it holds any.
void SelectAllText(QLineEdit* box);

}  // namespace gr::ui
