// The current-pick panel of the draft board: whose turn it is, the entry field, browsing the
// catalogue, and moving from pick to pick.
#include <QTimer>

#include "GRUIUtils.h"
#include "GRUtils.h"
#include "frmAddNewPopup.h"
#include "frmDraftPlayers.h"

namespace gr::ui {

void frmDraftPlayers::EnablePickControls(bool enable) {
    for (QWidget* w : std::initializer_list<QWidget*>{fraCurrentPick, cmdDBLookup, cmdAddPlayer,
                                                      cmdNextPick, cmdPrevPick, cmdLockDrafting,
                                                      txtPlayerName, cmdGotoCurPick})
        w->setEnabled(enable);
    if (!enable && m_entry.ManagerCount() == 0) cmdDispBy->setEnabled(false);
}

void frmDraftPlayers::RefreshNavigation() {
    cmdPrevPick->setEnabled(m_entry.CanGoBack());
    cmdNextPick->setEnabled(m_entry.CanGoForward());
}

void frmDraftPlayers::ShowCurrentPick() {
    txtPlayerName->clear();
    lblTeamName->clear();
    lblPositionName->clear();
    if (!m_entry.CurrentDraft()) return;
    const PickPanelText panel = m_entry.Panel();
    txtPlayerName->setText(QString::fromStdString(panel.name));
    lblTeamName->setText(QString::fromStdString(panel.team));
    lblPositionName->setText(QString::fromStdString(panel.position));
    lblCoach->setText(QString::fromStdString(panel.coach));
    lblPickInfo->setText(QString::fromStdString(panel.pickInfo));
    // Every new pick gets the full time; the room sees who is on the clock now.
    if (m_entry.CurrentPick() != m_clockPick) {
        m_clockPick = m_entry.CurrentPick();
        m_clock.Restart();
        TickClock();
    }
    if (!m_room.picks.empty() && !m_draftLocked) m_room.currentPick = m_entry.CurrentPick();
    FollowOnRoomDisplay();
}

void frmDraftPlayers::MoveToPick(bool forward) {
    DrawCell(m_entry.CurrentDraft());
    if (forward)
        m_entry.Next();
    else
        m_entry.Previous();
    RefreshNavigation();
    ShowCurrentPick();
    ScrollToPick(m_entry.CurrentPick());
}

void frmDraftPlayers::cmdPrevPick_Click() {
    if (!m_entry.CanGoBack()) return;
    MoveToPick(false);
}

void frmDraftPlayers::cmdNextPick_Click() {
    if (!m_entry.CanGoForward()) return;
    MoveToPick(true);
    txtPlayerName->setFocus();
    // Already in the field (Enter): the next name replaces what the field shows.
    SelectAllText(txtPlayerName);
}

void frmDraftPlayers::cmdGotoCurPick_Click() {
    m_entry.GoToCurrentPick();
    RefreshNavigation();
    ShowCurrentPick();
    ScrollToPick(m_entry.CurrentPick());
    if (txtPlayerName->isEnabled()) txtPlayerName->setFocus();
}

// A pick's content changed: its cell shows it at once (the room reads the board), and the
// board holds a change the league does not have yet.
void frmDraftPlayers::PickChanged(int32_t pick) {
    m_undo.PickChanged(pick);
    DrawCell(m_entry.Draft(pick));
    MarkUnsaved();
}

ComPtr<IPickable> frmDraftPlayers::ChooseResult(const ComPtr<Collection>& results) {
    ComPtr<IPickable> picked;
    if (!PickOneResult(results, "player or team", "Player or a Team", m_oSeason, picked)) return {};
    return picked;
}

void frmDraftPlayers::ShowEntryResult(const EntryResult& result) {
    if (result.outcome == EntryOutcome::Refused)
        MsgBox(result.notice, MsgButtons::OK, "Gridora");
    else if (result.outcome == EntryOutcome::Taken)
        ShowCurrentPick();
}

// Looks the typed name up and takes it for the current pick; true when a pick was taken.
bool frmDraftPlayers::txtPlayerName_LostFocus() {
    const EntryResult result = m_entry.EnterName(
        txtPlayerName->text().toStdString(),
        [this](const ComPtr<Collection>& results) { return ChooseResult(results); });
    if (result.outcome == EntryOutcome::NotFound)
        // Deferred: the focus may be on its way to another control right now.
        QTimer::singleShot(0, txtPlayerName, [box = txtPlayerName] { box->setFocus(); });
    ShowEntryResult(result);
    return result.outcome == EntryOutcome::Taken;
}

// Enter does what leaving the field does and, once the pick is taken, moves on to the next.
void frmDraftPlayers::txtPlayerName_Enter() {
    if (txtPlayerName_LostFocus()) cmdNextPick_Click();
}

void frmDraftPlayers::cmdDBLookup_Click() {
    ShowEntryResult(m_entry.Browse(
        txtPlayerName->text().toStdString(),
        [this](const ComPtr<Collection>& results) { return ChooseResult(results); }));
}

// A player made on the spot is new, so nobody can have taken him yet.
void frmDraftPlayers::cmdAddPlayer_Click() {
    if (!m_oSeason) return;
    if (!m_oFrmAddNew) {
        m_oFrmAddNew = std::make_unique<frmAddNewPopup>(this);
        m_oFrmAddNew->Initialize(m_oDataService, TypePlayerOrTeam);
    }
    ShowModal(*m_oFrmAddNew);
    if (!m_oFrmAddNew->IsAccepted()) return;
    m_entry.Take(m_oFrmAddNew->PickedItem());
    ShowCurrentPick();
}

}  // namespace gr::ui
