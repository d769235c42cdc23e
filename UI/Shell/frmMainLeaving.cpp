// The main window and unsaved work: leaving the current child window (another command, Exit,
// the window's close button, the session's end) by that window's rules, and the recovery
// file of the league in use, offered back at start-up.
#include <QCloseEvent>
#include <QSessionManager>

#include "GRUIUtils.h"
#include "UnsavedWorkFit.h"
#include "frmMain.h"

namespace gr::ui {

namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\r\n- " + line;
    return text;
}

MenuCommand CommandFor(UnsavedWork::Kind kind) {
    switch (kind) {
        case UnsavedWork::Kind::Winnings:
            return MenuCommand::Winnings;
        case UnsavedWork::Kind::Season:
            return MenuCommand::SeasonInfo;
        case UnsavedWork::Kind::DraftPicks:
        case UnsavedWork::Kind::None:
            break;
    }
    return MenuCommand::Draft;
}

}  // namespace

bool frmMain::LeaveCurrentChild(LeaveReason reason) {
    ChildWindow* child = m_oCurrentChild;
    // A window closed with its Close button has been left already.
    if (!child || Outer(child)->isHidden()) return true;
    m_leaving = reason;
    const bool mayGo = child->MayLeave(reason);
    m_leaving.reset();
    // Saved or discarded, the work leaves the recovery file; kept, it stays there.
    if (m_recovery) m_recovery->Flush();
    return mayGo;
}

void frmMain::mnuExit_Click() {
    if (m_shutDown || !LeaveCurrentChild(LeaveReason::Exit)) return;
    ShutDown();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!m_shutDown && !LeaveCurrentChild(LeaveReason::Exit)) {
        event->ignore();
        return;
    }
    m_closing = true;
    ShutDown();
    m_closing = false;
    event->accept();
}

// The session is ending: the organiser is asked when the session allows it; otherwise the
// work is saved without a question (what cannot be saved stays in the recovery file).
void frmMain::CommitSessionData(QSessionManager& manager) {
    if (m_shutDown) return;
    const bool mayAsk = manager.allowsInteraction();
    const bool mayGo = LeaveCurrentChild(mayAsk ? LeaveReason::Exit : LeaveReason::Unattended);
    if (!mayAsk) return;
    manager.release();
    if (!mayGo) manager.cancel();
}

std::string frmMain::LeagueFilePath() const {
    if (!m_oSetupInfo) return {};
    return m_oSetupInfo->get_DefaultDBPath() + "/Gridora - " + m_oSetupInfo->get_DBTypeDesc() +
           ".mdb";
}

// Unsaved work left by a program that ended without saving it is offered back, unsaved, in
// its window; what no longer fits the league is named and left out, never applied.
void frmMain::OfferRecoveredWork() {
    if (!m_recovery || !m_recovery->File().Exists()) return;
    RecoveryFile& file = m_recovery->File();
    std::string error;
    const std::optional<UnsavedWork> found = file.Read(error);
    if (!found) {
        file.SetAside();
        MsgBox("Unsaved work was found in " + file.Path() + ", but it cannot be read. " + error +
                   "\r\nIt has been set aside as " + file.SetAsidePath() + ".",
               MsgButtons::OK, "Gridora");
        return;
    }
    // Saved since: the league holds everything the file could bring back.
    if (!file.IsNewerThanLeague()) {
        file.Remove();
        return;
    }
    const WorkFit fit = FitToLeague(*found, m_oDataService);
    const std::string what = "Unsaved work from " + DescribeTime(found->writtenAt) +
                             " was found: " + DescribeWork(*found) + ".";
    if (fit.fits.Empty()) {
        file.SetAside();
        MsgBox(what + " None of it fits the league any more:" + Lines(fit.leftOut) +
                   "\r\n\r\nIt has been set aside as " + file.SetAsidePath() + ".",
               MsgButtons::OK, "Gridora");
        return;
    }
    const std::string question =
        fit.leftOut.empty()
            ? what + " Bring it back?"
            : what + " Some of it no longer fits the league and would be left out (the file " +
                  "as found is kept as " + file.SetAsidePath() + "):" + Lines(fit.leftOut) +
                  "\r\n\r\nBring back the rest?";
    if (MsgBox(question, MsgButtons::YesNo, "Gridora", MsgAnswer::Yes) != MsgAnswer::Yes) {
        file.Remove();
        return;
    }
    if (!fit.leftOut.empty()) file.SetAside();
    const MenuCommand command = CommandFor(fit.fits.WhatKind());
    OpenCommand(command);
    if (ChildWindow* window = CommandWindow(command)) window->BringBackWork(fit.fits);
    m_recovery->Flush();
}

}  // namespace gr::ui
