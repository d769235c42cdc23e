// The current-pick panel of the draft board: whose turn it is, the entry field, browsing the
// catalogue, and moving from pick to pick.
#include <QTimer>

#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "frmAddNewPopup.h"
#include "frmDraftPlayers.h"

namespace gr::ui {

namespace {

std::string Abbr(const ComPtr<IPositionInfo>& position) {
    return position ? position->get_Abbr() : std::string();
}
std::string Abbr(const ComPtr<ITeamInfo>& team) {
    return team ? team->get_Abbr() : std::string();
}

// The notice for a pick another manager already holds. Players read as the shared format
// gives them; a team gets the same sentence.
std::string TakenNotice(const ComPtr<IPickable>& pick, const std::string& pickedInfo) {
    std::string text = FormatPickedInfo(pick->get_PickType(), pickedInfo, "1");
    if (text.empty())
        text = "Dude, " + GetField(pickedInfo, "\t", 2) + " already took " +
               GetField(pickedInfo, "\t", 3) + " in round #" + GetField(pickedInfo, "\t", 1) + ".";
    return text;
}

}  // namespace

void frmDraftPlayers::EnablePickControls(bool enable) {
    for (QWidget* w : std::initializer_list<QWidget*>{fraCurrentPick, cmdDBLookup, cmdAddPlayer,
                                                      cmdNextPick, cmdPrevPick, cmdLockDrafting,
                                                      txtPlayerName, cmdGotoCurPick})
        w->setEnabled(enable);
    if (!enable && m_managerCount == 0) cmdDispBy->setEnabled(false);
}

void frmDraftPlayers::RefreshNavigation() {
    cmdPrevPick->setEnabled(m_curPick > 1);
    cmdNextPick->setEnabled(m_curPick < TotalPicks());
}

void frmDraftPlayers::ShowCurrentPick() {
    txtPlayerName->clear();
    lblTeamName->clear();
    lblPositionName->clear();
    if (!m_oCurDraft) return;
    if (const ComPtr<IPickable> pick = m_oCurDraft->get_PlayerOrTeam()) {
        txtPlayerName->setText(QString::fromStdString(pick->get_PickName()));
        if (const auto player = pick.As<IPlayerInfo>()) {
            lblTeamName->setText(QString::fromStdString(Abbr(player->get_Team())));
            lblPositionName->setText(QString::fromStdString(Abbr(player->get_Position())));
        } else if (const auto team = pick.As<ITeamInfo>()) {
            lblTeamName->setText(QString::fromStdString(team->get_Abbr()));
            lblPositionName->setText(QString::fromStdString(Abbr(team->get_Position())));
        }
        m_changed = false;
    }
    int32_t position = 0;
    int32_t round = 0;
    int32_t pickInRound = 0;
    GetDraftSlot(m_curPick, m_managerCount, position, round, pickInRound);
    m_oMgrInTurn = ManagerOfPick(m_curPick);
    lblCoach->setText(m_oMgrInTurn ? QString::fromStdString(m_oMgrInTurn->get_FirstName())
                                   : QStringLiteral("XYZ"));
    lblPickInfo->setText(QString::fromStdString("(Round #" + std::to_string(round) + ")(Pick #" +
                                                std::to_string(pickInRound) + ")(Overall Pick #" +
                                                std::to_string(m_curPick) + ")"));
    // Every new pick gets the full time; the room sees who is on the clock now.
    if (m_curPick != m_clockPick) {
        m_clockPick = m_curPick;
        m_clock.Restart();
        TickClock();
    }
    if (!m_room.picks.empty() && !m_draftLocked) m_room.currentPick = m_curPick;
    FollowOnRoomDisplay();
}

void frmDraftPlayers::MoveToPick(int32_t step) {
    DrawCell(m_oCurDraft);
    m_curPick += step;
    m_oCurDraft = m_oDrafts ? m_oDrafts->ItemAs<IDraftInfo>(m_curPick) : nullptr;
    RefreshNavigation();
    ShowCurrentPick();
    ScrollToPick(m_curPick);
}

void frmDraftPlayers::cmdPrevPick_Click() {
    if (m_curPick <= 1) return;
    MoveToPick(-1);
}

void frmDraftPlayers::cmdNextPick_Click() {
    if (m_curPick >= TotalPicks()) return;
    MoveToPick(1);
    txtPlayerName->setFocus();
    // Already in the field (Enter): the next name replaces what the field shows.
    SelectAllText(txtPlayerName);
}

void frmDraftPlayers::cmdGotoCurPick_Click() {
    const int32_t total = TotalPicks();
    m_curPick = total;
    for (int32_t pick = 1; pick <= total; ++pick) {
        const auto draft = m_oDrafts ? m_oDrafts->ItemAs<IDraftInfo>(pick) : nullptr;
        if (draft && !draft->get_PlayerOrTeam()) {
            m_curPick = pick;
            break;
        }
    }
    m_oCurDraft = m_oDrafts && total > 0 ? m_oDrafts->ItemAs<IDraftInfo>(m_curPick) : nullptr;
    RefreshNavigation();
    ShowCurrentPick();
    ScrollToPick(m_curPick);
    if (txtPlayerName->isEnabled()) txtPlayerName->setFocus();
}

// The pick goes into the season, and into its cell at once: the room reads the board.
void frmDraftPlayers::TakePick(const ComPtr<IPickable>& pick) {
    if (!m_oSeason) return;
    m_oSeason->UpdateDraft(pick, m_curPick, m_oMgrInTurn);
    ShowCurrentPick();
    DrawCell(m_oCurDraft);
    MarkUnsaved();
}

bool frmDraftPlayers::RefuseTaken(const ComPtr<IPickable>& pick) {
    std::string pickedInfo;
    if (!m_oSeason->IsPickableTaken(pick, pickedInfo)) return false;
    MsgBox(TakenNotice(pick, pickedInfo), MsgButtons::OK, "Gridora");
    return true;
}

// Looks the typed name up and takes it for the current pick; true when a pick was taken.
bool frmDraftPlayers::txtPlayerName_LostFocus() {
    if (m_busy || !m_changed || !m_oSeason) return false;
    m_busy = true;
    bool took = false;
    const std::string text = txtPlayerName->text().trimmed().toStdString();
    if (text.empty()) {
        m_changed = false;
    } else {
        const bool held = m_oCurDraft && m_oCurDraft->get_PlayerOrTeam();
        m_oSeason->RemoveDraft(m_curPick);
        // The emptied pick shows as empty until a name is taken for it, and the board holds
        // a change the league does not have yet.
        DrawCell(m_oCurDraft);
        if (held) MarkUnsaved();
        ComPtr<IPickable> picked;
        if (!SearchAndPick(TypePlayerOrTeam, text, m_oDataService, m_oSeason, false, picked,
                           true)) {
            // Deferred: the focus may be on its way to another control right now.
            QTimer::singleShot(0, txtPlayerName, [box = txtPlayerName] { box->setFocus(); });
        } else if (!RefuseTaken(picked)) {
            TakePick(picked);
            m_changed = false;
            took = true;
        }
    }
    m_busy = false;
    return took;
}

// Enter does what leaving the field does and, once the pick is taken, moves on to the next.
void frmDraftPlayers::txtPlayerName_Enter() {
    if (txtPlayerName_LostFocus()) cmdNextPick_Click();
}

void frmDraftPlayers::cmdDBLookup_Click() {
    if (!m_oSeason) return;
    if (!txtPlayerName->text().isEmpty() && m_changed) return;
    ComPtr<IPickable> picked;
    if (!SearchAndPick(TypePlayerOrTeam, "", m_oDataService, m_oSeason, false, picked, true))
        return;
    if (!RefuseTaken(picked)) TakePick(picked);
}

// A player made on the spot is new, so nobody can have taken him yet.
void frmDraftPlayers::cmdAddPlayer_Click() {
    if (!m_oSeason) return;
    if (!m_oFrmAddNew) {
        m_oFrmAddNew = std::make_unique<frmAddNewPopup>(this);
        m_oFrmAddNew->Initialize(m_oDataService, TypePlayerOrTeam);
    }
    ShowModal(*m_oFrmAddNew);
    if (m_oFrmAddNew->IsAccepted()) TakePick(m_oFrmAddNew->PickedItem());
}

}  // namespace gr::ui
