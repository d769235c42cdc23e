// Draft night at the board: the room display that follows it, the pick clock, reading picks
// aloud, and the notice that stands in place of a board that cannot take picks yet.
#include <QApplication>
#include <QHBoxLayout>
#include <QShortcut>

#include "GRStringUtils.h"
#include "frmDraftPlayers.h"
#include "frmRoomDisplay.h"

namespace gr::ui {

namespace {

constexpr int kClockTickMs = 250;
constexpr int32_t kMostPickSeconds = 3600;
const QString kPauseCaption = QStringLiteral("Pa&use Clock");
const QString kResumeCaption = QStringLiteral("Res&ume Clock");

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
    });
    auto* f11 = new QShortcut(QKeySequence(Qt::Key_F11), this);
    f11->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f11, &QShortcut::activated, this, [this] { cmdRoomDisplay_Click(); });
    // P while the pick field is not being typed into (there it is a letter).
    auto* pause = new QShortcut(QKeySequence(Qt::Key_P), this);
    pause->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pause, &QShortcut::activated, this, [this] { TogglePause(); });
    connect(&m_clockTimer, &QTimer::timeout, this, [this] { TickClock(); });
    m_clockTimer.setInterval(kClockTickMs);
    TickClock();
}

std::string frmDraftPlayers::NotReadyNotice() const {
    if (m_draftLocked) return {};
    if (!m_oSeason)
        return NoticeHtml("There is no season yet.",
                          "Create it with Setup \xE2\x86\x92 Season, then rank the managers with "
                          "Manager Ranking.");
    if (m_managerCount < 1)
        return NoticeHtml("The season has no managers.",
                          "Enter the number of managers and their names with Setup \xE2\x86\x92 "
                          "Season.");
    if (m_roundCount < 1)
        return NoticeHtml("The season has no draft rounds.",
                          "Enter the number of draft rounds with Setup \xE2\x86\x92 Season.");
    if (!m_rankingLocked)
        return NoticeHtml("The draft order is not locked.",
                          "Shuffle the managers and press Save & Lock in Manager Ranking.");
    return {};
}

// ---- The room display ---------------------------------------------------------------------

RoomPick frmDraftPlayers::RoomPickOf(const ComPtr<IDraftInfo>& draft) const {
    RoomPick entry;
    const int32_t pick = draft ? draft->get_DraftNo() : 0;
    const ComPtr<IManagerInfo> manager = ManagerOfPick(pick);
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
    if (!NotReadyNotice().empty() || m_managerCount < 1) return;
    for (int32_t p = 1; p <= m_managerCount; ++p) {
        const ComPtr<IManagerInfo> manager = RankedManager(p);
        m_room.managerNames.push_back(manager ? manager->get_FirstName() : "XYZ");
    }
    m_room.rounds = std::max(m_roundCount, 0);
    m_room.picks.resize(static_cast<size_t>(TotalPicks()));
    if (m_oDrafts)
        for (const ComPtr<IDraftInfo>& draft : m_oDrafts->ItemsAs<IDraftInfo>()) {
            const int32_t pick = draft->get_DraftNo();
            if (pick >= 1 && pick <= TotalPicks())
                m_room.picks[static_cast<size_t>(pick - 1)] = RoomPickOf(draft);
        }
    m_room.currentPick = m_draftLocked ? 0 : m_curPick;
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
    connect(m_oRoomDisplay, &frmRoomDisplay::CloseRequested, this, [this] { CloseRoomDisplay(); });
    connect(m_oRoomDisplay, &frmRoomDisplay::PauseRequested, this, [this] { TogglePause(); });
    m_oRoomDisplay->SetSpeaking(chkReadAloud->isChecked());
    m_oRoomDisplay->Follow(m_room);
    m_oRoomDisplay->ShowClock(m_clock.Text(), m_clock.IsRed());
    m_oRoomDisplay->ShowFullScreen(window());
    // The organiser types on in the board's window.
    activateWindow();
}

void frmDraftPlayers::CloseRoomDisplay() {
    if (!m_oRoomDisplay) return;
    m_oRoomDisplay->hide();
    m_oRoomDisplay->deleteLater();
    m_oRoomDisplay = nullptr;
    activateWindow();
}

// ---- The pick clock ----------------------------------------------------------------------

void frmDraftPlayers::txtPickSeconds_Changed(int seconds) {
    m_clock.SetSeconds(seconds);
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
