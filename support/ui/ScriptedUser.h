// A stand-in for the user at the program's dialog seams: it records every message box and
// answers from a script, runs scripted actions on modal dialogs while they are shown, and
// hands out scripted file names.
#pragma once

#include <QDialog>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GRUIUtils.h"

namespace gr::ui::test {

class ScriptedUser : public IUserInteraction {
  public:
    // Installs a fresh responder for the lifetime of the returned pointer's holder.
    static std::shared_ptr<ScriptedUser> Install();

    std::vector<MessageBoxRequest> messages;    // every message box, in order
    std::vector<std::string> modalTitles;       // window titles of the modal dialogs shown
    std::vector<std::string> fileDialogTitles;  // of the file and folder choosers
    std::vector<std::string> openedFolders;     // shown in the file manager

    // Answers for the next message boxes; without one the box's default answer is given.
    void answer(MsgAnswer a) { m_answers.push_back(a); }
    // What happens to the next modal dialog while it is shown. Without an action the
    // dialog is cancelled (Rejected).
    void onModal(std::function<void(QDialog&)> action) { m_modal.push_back(std::move(action)); }
    void chooseFile(std::string path) { m_files.push_back(std::move(path)); }

    MsgAnswer showMessage(const MessageBoxRequest& request) override;
    int runModal(QDialog& dialog) override;
    std::string openFileName(const std::string& title, const std::string& filter,
                             const std::string& startFolder) override;
    void openFolder(const std::string& path) override { openedFolders.push_back(path); }

  private:
    std::deque<MsgAnswer> m_answers;
    std::deque<std::function<void(QDialog&)>> m_modal;
    std::deque<std::string> m_files;
};

}  // namespace gr::ui::test
