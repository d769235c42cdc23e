// Draft night at the board: the room display that follows it, the pick clock, reading picks
// aloud, and the notice that stands in place of a board that cannot take picks yet.
#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <algorithm>
#include <cstdlib>

#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "frmDraftPlayers.h"
#include "frmRoomDisplay.h"

namespace gr::ui {

namespace {

constexpr int kClockTickMs = 250;
constexpr int32_t kMostPickSeconds = 3600;
// The league's settings of draft night.
constexpr const char* kPickSecondsSetting = "pick clock seconds";
constexpr const char* kReadAloudSetting = "read picks aloud";
const QString kPauseCaption = QStringLiteral("Pa&use Clock");
const QString kResumeCaption = QStringLiteral("Res&ume Clock");
const QKeySequence kUndoKeys(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedoKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);

std::string Abbr(const ComPtr<IPositionInfo>& position) {
    return position ? position->get_Abbr() : std::string();
}

std::string NoticeHtml(const std::string& reason, const std::string& remedy) {
    return "<div id=NR style='padding:24px; font-size:13pt; line-height:1.6'>"
           "<b>The draft cannot take picks yet.</b><br>" +
           HtmlEscape(reason) + "<br>" + HtmlEscape(remedy) + "</div>";
}

}  // namespace

void frmDraftPlayers::BuildDraftNightControls() {
    cmdRoomDisplay = new QPushButton(QStringLiteral("R&oom Display"), this);
    cmdRoomDisplay->setObjectName(QStringLiteral("cmdRoomDisplay"));
    cmdRoomDisplay->setToolTip(QStringLiteral("Show the draft full screen for the room (F11)"));
    lblClock = new QLabel(fraCurrentPick);
    lblClock->setObjectName(QStringLiteral("lblClock"));
    QFont clockFont = lblClock->font();
    clockFont.setBold(true);
    clockFont.setPointSizeF(clockFont.pointSizeF() * 1.4);
    lblClock->setFont(clockFont);
    lblPickSeconds = new QLabel(QStringLiteral("Pic&k clock (s):"), fraCurrentPick);
    lblPickSeconds->setObjectName(QStringLiteral("lblPickSeconds"));
    txtPickSeconds = new QSpinBox(fraCurrentPick);
    txtPickSeconds->setObjectName(QStringLiteral("txtPickSeconds"));
    txtPickSeconds->setRange(0, kMostPickSeconds);
    txtPickSeconds->setSpecialValueText(QStringLiteral("off"));
    txtPickSeconds->setToolTip(QStringLiteral("Seconds per pick; 0 turns the clock off"));
    lblPickSeconds->setBuddy(txtPickSeconds);
    cmdPauseClock = new QPushButton(kPauseCaption, fraCurrentPick);
    cmdPauseClock->setObjectName(QStringLiteral("cmdPauseClock"));
    cmdPauseClock->setToolTip(QStringLiteral("Pause or resume the pick clock (P)"));
    chkReadAloud = new QCheckBox(QStringLiteral("Read picks &aloud"), fraCurrentPick);
    chkReadAloud->setObjectName(QStringLiteral("chkReadAloud"));
    // Every button of the board has its own key: Alt+P stays Previous Pick.
    cmdPrint->setText(QStringLiteral("Pr&int..."));
    // Search and add have no caption to carry an access key.
    cmdDBLookup->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    cmdAddPlayer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
}

void frmDraftPlayers::ConnectDraftNight() {
    connect(cmdRoomDisplay, &QPushButton::clicked, this, [this] { cmdRoomDisplay_Click(); });
    connect(cmdPauseClock, &QPushButton::clicked, this, [this] { TogglePause(); });
    connect(txtPickSeconds, &QSpinBox::valueChanged, this,
            [this](int seconds) { txtPickSeconds_Changed(seconds); });
    connect(chkReadAloud, &QCheckBox::toggled, this, [this](bool on) {
        if (m_oRoomDisplay) m_oRoomDisplay->SetSpeaking(on);
        StoreDraftNightSetting(kReadAloudSetting, on ? "1" : "0");
    });
    // The pick field keeps Ctrl+Z for the draft unless a name is being typed in it.
    txtPlayerName->installEventFilter(this);
    for (const bool redo : {false, true}) {
        auto* key = new QShortcut(redo ? kRedoKeys : kUndoKeys, this);
        key->setContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this, [this, redo] { UndoPick(redo); });
    }
    auto* f11 = new QShortcut(QKeySequence(Qt::Key_F11), this);
    f11->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f11, &QShortcut::activated, this, [this] { cmdRoomDisplay_Click(); });
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, [this] { CloseRoomDisplay(); });
    // P while the pick field is not being typed into (there it is a letter).
    auto* pause = new QShortcut(QKeySequence(Qt::Key_P), this);
    pause->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pause, &QShortcut::activated, this, [this] { TogglePause(); });
    connect(&m_clockTimer, &QTimer::timeout, this, [this] { TickClock(); });
    m_clockTimer.setInterval(kClockTickMs);
    TickClock();
}

// The seconds per pick and the speech switch are the league's, kept with it.
void frmDraftPlayers::ReadDraftNightSettings() {
    const auto settings = m_oDataService ? m_oDataService.As<ILeagueSettings>() : nullptr;
    std::string seconds;
    std::string aloud;
    bool found = false;
    if (settings) {
        settings->GetLeagueSetting(kPickSecondsSetting, seconds, found);
        settings->GetLeagueSetting(kReadAloudSetting, aloud, found);
    }
    m_readingSettings = true;
    txtPickSeconds->setValue(std::clamp(std::atoi(seconds.c_str()), 0, kMostPickSeconds));
    chkReadAloud->setChecked(aloud == "1");
    m_readingSettings = false;
}

void frmDraftPlayers::StoreDraftNightSetting(const char* name, const std::string& value) {
    if (m_readingSettings || !m_oDataService) return;
    if (const auto settings = m_oDataService.As<ILeagueSettings>())
        settings->SetLeagueSetting(name, value);
}

std::string frmDraftPlayers::NotReadyNotice() const {
    if (m_draftLocked) return {};
    if (!m_oSeason)
        return NoticeHtml("There is no season yet.",
                          "Create it with Setup \xE2\x86\x92 Season, then rank the managers with "
                          "Manager Ranking.");
    if (m_entry.ManagerCount() < 1)
        return NoticeHtml("The season has no managers.",
                          "Enter the number of managers and their names with Setup \xE2\x86\x92 "
                          "Season.");
    if (m_entry.RoundCount() < 1)
        return NoticeHtml("The season has no draft rounds.",
                          "Enter the number of draft rounds with Setup \xE2\x86\x92 Season.");
    if (!m_oSeason->get_IsRankingLocked())
        return NoticeHtml("The draft order is not locked.",
                          "Shuffle the managers and press Save & Lock in Manager Ranking.");
    return {};
}

// ---- The room display ---------------------------------------------------------------------

RoomPick frmDraftPlayers::RoomPickOf(int32_t pick) const {
    RoomPick entry;
    const ComPtr<IDraftInfo> draft = m_entry.Draft(pick);
    const ComPtr<IManagerInfo> manager = m_entry.ManagerOfPick(pick);
    entry.manager = manager ? manager->get_FirstName() : "XYZ";
    const ComPtr<IPickable> picked = draft ? draft->get_PlayerOrTeam() : nullptr;
    if (!picked) return entry;
    entry.name = picked->get_PickName();
    if (const auto player = picked.As<IPlayerInfo>()) {
        entry.position = Abbr(player->get_Position());
        const ComPtr<ITeamInfo> team = player->get_Team();
        entry.team = team ? team->get_Abbr() : std::string();
        entry.teamName = team ? team->get_Name() : std::string();
    } else if (const auto team = picked.As<ITeamInfo>()) {
        entry.position = Abbr(team->get_Position());
        entry.team = team->get_Abbr();
    }
    return entry;
}

// The whole draft as the room reads it, taken afresh from the season.
void frmDraftPlayers::TakeRoomBoard() {
    m_room = RoomBoard();
    if (!NotReadyNotice().empty() || m_entry.ManagerCount() < 1) return;
    for (int32_t p = 1; p <= m_entry.ManagerCount(); ++p) {
        const ComPtr<IManagerInfo> manager = m_entry.RankedManager(p);
        m_room.managerNames.push_back(manager ? manager->get_FirstName() : "XYZ");
    }
    m_room.rounds = std::max(m_entry.RoundCount(), 0);
    for (int32_t pick = 1; pick <= m_entry.TotalPicks(); ++pick)
        m_room.picks.push_back(RoomPickOf(pick));
    m_room.currentPick = m_draftLocked ? 0 : m_entry.CurrentPick();
}

void frmDraftPlayers::FollowOnRoomDisplay() {
    if (m_oRoomDisplay) m_oRoomDisplay->Follow(m_room);
}

void frmDraftPlayers::cmdRoomDisplay_Click() {
    if (m_oRoomDisplay) {
        CloseRoomDisplay();
        return;
    }
    m_oRoomDisplay = new frmRoomDisplay(this);
    m_oRoomDisplay->SetSpeaking(chkReadAloud->isChecked());
    m_oRoomDisplay->Follow(m_room);
    m_oRoomDisplay->ShowClock(m_clock.Text(), m_clock.IsRed());
    m_oRoomDisplay->ShowFullScreen(window());
    // The organiser types on in the board's window.
    ReturnToBoard();
}

void frmDraftPlayers::ReturnToBoard() {
    activateWindow();
    if (txtPlayerName->isEnabled() && txtPlayerName->isVisible()) txtPlayerName->setFocus();
}

void frmDraftPlayers::CloseRoomDisplay() {
    if (!m_oRoomDisplay) return;
    m_oRoomDisplay->hide();
    m_oRoomDisplay->deleteLater();
    m_oRoomDisplay = nullptr;
    ReturnToBoard();
}

// ---- The pick clock ----------------------------------------------------------------------

void frmDraftPlayers::txtPickSeconds_Changed(int seconds) {
    m_clock.SetSeconds(seconds);
    StoreDraftNightSetting(kPickSecondsSetting, std::to_string(seconds));
    cmdPauseClock->setText(kPauseCaption);
    TickClock();
}

void frmDraftPlayers::TogglePause() {
    if (!m_clock.IsOn()) return;
    m_clock.TogglePause();
    cmdPauseClock->setText(m_clock.IsPaused() ? kResumeCaption : kPauseCaption);
    TickClock();
}

// The clock never takes a pick: at 0 it sounds once and waits for the organiser.
void frmDraftPlayers::TickClock() {
    const bool on = m_clock.IsOn() && !m_draftLocked;
    if (on && !m_clockTimer.isActive()) m_clockTimer.start();
    if (!on) m_clockTimer.stop();
    const std::string text = on ? m_clock.Text() : std::string();
    const bool red = on && m_clock.IsRed();
    lblClock->setText(QString::fromStdString(text));
    lblClock->setStyleSheet(red ? QStringLiteral("color:#d00000") : QString());
    cmdPauseClock->setEnabled(on);
    if (m_oRoomDisplay) m_oRoomDisplay->ShowClock(text, red);
    if (on && m_clock.TakeTimeUp()) QApplication::beep();
}

}  // namespace gr::ui

namespace gr::ui {

// ---- Undo ----------------------------------------------------------------------------------

void frmDraftPlayers::UndoPick(bool redo) {
    if (m_draftLocked || !m_entry.IsReady()) return;
    if (!(redo ? m_undo.Redo() : m_undo.Undo())) return;
    RefreshNavigation();
    ShowCurrentPick();
    ScrollToPick(m_entry.CurrentPick());
    if (txtPlayerName->isEnabled()) {
        txtPlayerName->setFocus();
        SelectAllText(txtPlayerName);
    }
}

// While a name is being typed, Ctrl+Z and Ctrl+Shift+Z undo the typing; otherwise the picks.
bool frmDraftPlayers::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPlayerName && event->type() == QEvent::ShortcutOverride &&
        !m_entry.IsTyped()) {
        const QKeyCombination keys = static_cast<QKeyEvent*>(event)->keyCombination();
        if (keys == kUndoKeys[0] || keys == kRedoKeys[0]) return true;
    }
    return ChildWindow::eventFilter(watched, event);
}

}  // namespace gr::ui
