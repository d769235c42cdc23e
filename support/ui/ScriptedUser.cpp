#include "ScriptedUser.h"

namespace gr::ui::test {

std::shared_ptr<ScriptedUser> ScriptedUser::Install() {
    auto user = std::make_shared<ScriptedUser>();
    SetUserInteraction(user);
    return user;
}

MsgAnswer ScriptedUser::showMessage(const MessageBoxRequest& request) {
    messages.push_back(request);
    if (m_answers.empty()) return request.defaultAnswer;
    const MsgAnswer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

int ScriptedUser::runModal(QDialog& dialog) {
    modalTitles.push_back(dialog.windowTitle().toStdString());
    dialog.setResult(QDialog::Rejected);
    if (m_modal.empty()) return QDialog::Rejected;
    auto action = std::move(m_modal.front());
    m_modal.pop_front();
    dialog.show();
    action(dialog);
    dialog.hide();
    return dialog.result();
}

std::string ScriptedUser::openFileName(const std::string& title, const std::string&,
                                       const std::string&) {
    fileDialogTitles.push_back(title);
    if (m_files.empty()) return {};
    std::string f = std::move(m_files.front());
    m_files.pop_front();
    return f;
}

}  // namespace gr::ui::test
