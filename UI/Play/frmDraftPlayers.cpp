#include "frmDraftPlayers.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <chrono>
#include <exception>

#include "ExportButtons.h"
#include "ExportCommands.h"
#include "GRIcons.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "UnsavedWorkFit.h"
#include "frmAddNewPopup.h"
#include "frmRoomDisplay.h"

namespace gr::ui {

namespace {

constexpr const char* kActivationFailed = "Error in activating draft form.";
const QString kByManagerCaption = QStringLiteral("Display By &Manager");
const QString kByRoundCaption = QStringLiteral("Display By &Round");

template <class T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

frmDraftPlayers::frmDraftPlayers(QWidget* parent) : ChildWindow(parent), m_clock(SteadyMs) {
    setObjectName(QStringLiteral("frmDraftPlayers"));
    setWindowTitle(QStringLiteral("Draft Players"));
    BuildLayout();
    ConnectCommands();
    m_entry.OnPickChanged([this](int32_t pick) { PickChanged(pick); });
    wbReport->navigate();
}

frmDraftPlayers::~frmDraftPlayers() {
    // The entry field may lose the focus while the window goes; nothing may run then.
    txtPlayerName->removeEventFilter(this);
    disconnect(txtPlayerName, nullptr, this, nullptr);
    m_oFrmAddNew.reset();
    m_oRoomDisplay = nullptr;  // a child: it goes with the board
    m_oDocument = nullptr;
    m_entry = DraftEntry();
    m_oSeason = nullptr;
    m_oDataService = nullptr;
}

void frmDraftPlayers::BuildLayout() {
    wbReport = Named(new HtmlView(this), "wbReport");
    cmdDispBy = Named(new QPushButton(kByManagerCaption, this), "cmdDispBy");
    cmdGotoCurPick =
        Named(new QPushButton(QStringLiteral("&Go to Current Pick"), this), "cmdGotoCurPick");
    cmdLockDrafting =
        Named(new QPushButton(QStringLiteral("&Lock Drafting"), this), "cmdLockDrafting");
    cmdSave = Named(new QPushButton(QStringLiteral("&Save"), this), "cmdSave");
    cmdClose = Named(new QPushButton(QStringLiteral("&Close"), this), "cmdClose");
    cmdSave->setEnabled(false);
    const ExportButtons exports = MakeExportButtons(*this, *wbReport, false);
    cmdPrint = exports.cmdPrint;
    cmdSavePdf = exports.cmdSavePdf;

    fraCurrentPick = Named(new QGroupBox(QStringLiteral("Current Pick"), this), "fraCurrentPick");
    lblCoach = Named(new QLabel(QStringLiteral("Coach"), fraCurrentPick), "lblCoach");
    lblPickInfo = Named(new QLabel(QStringLiteral("Pick Info"), fraCurrentPick), "lblPickInfo");
    lblPlayer = Named(new QLabel(QStringLiteral("Player: "), fraCurrentPick), "lblPlayer");
    txtPlayerName = Named(new GRTextBox(fraCurrentPick), "txtPlayerName");
    cmdDBLookup = Named(new QToolButton(fraCurrentPick), "cmdDBLookup");
    cmdAddPlayer = Named(new QToolButton(fraCurrentPick), "cmdAddPlayer");
    SetIconButton(cmdDBLookup, 'N', "Search players");
    SetIconButton(cmdAddPlayer, 'l', "Add a new player");
    lblPosition = Named(new QLabel(QStringLiteral("Position:"), fraCurrentPick), "lblPosition");
    lblPositionName = Named(new QLabel(fraCurrentPick), "lblPositionName");
    lblTeam = Named(new QLabel(QStringLiteral("Team:"), fraCurrentPick), "lblTeam");
    lblTeamName = Named(new QLabel(fraCurrentPick), "lblTeamName");
    cmdPrevPick =
        Named(new QPushButton(QStringLiteral("&Previous Pick"), fraCurrentPick), "cmdPrevPick");
    cmdNextPick =
        Named(new QPushButton(QStringLiteral("&Next Pick"), fraCurrentPick), "cmdNextPick");
    // Names and abbreviations come from the league: shown as they are, never as markup.
    for (QLabel* label : {lblCoach, lblPickInfo, lblPositionName, lblTeamName})
        label->setTextFormat(Qt::PlainText);
    QFont coachFont = lblCoach->font();
    coachFont.setBold(true);
    lblCoach->setFont(coachFont);
    lblPositionName->setMinimumWidth(40);
    lblTeamName->setMinimumWidth(40);
    txtPlayerName->setMinimumWidth(220);
    BuildDraftNightControls();

    auto* turn = new QHBoxLayout;
    turn->addWidget(lblCoach);
    turn->addWidget(lblPickInfo);
    turn->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{lblClock, lblPickSeconds, txtPickSeconds,
                                                      cmdPauseClock, chkReadAloud})
        turn->addWidget(w);
    auto* entry = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblPlayer, txtPlayerName, cmdDBLookup, cmdAddPlayer,
                                         lblPosition, lblPositionName, lblTeam, lblTeamName})
        entry->addWidget(w);
    entry->addStretch(1);
    entry->addWidget(cmdPrevPick);
    entry->addWidget(cmdNextPick);
    auto* frame = new QVBoxLayout(fraCurrentPick);
    frame->addLayout(turn);
    frame->addLayout(entry);

    // Two rows, so that every button stays on an 800 x 600 screen.
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdDispBy, cmdGotoCurPick, cmdLockDrafting, cmdRoomDisplay})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdSavePdf);
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    closing->addWidget(cmdSave);
    closing->addWidget(cmdClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(fraCurrentPick);
    column->addWidget(wbReport, 1);
    column->addLayout(buttons);
    column->addLayout(closing);
}

void frmDraftPlayers::ConnectCommands() {
    connect(wbReport, &HtmlView::documentComplete, this, [this] { wbReport_DocumentComplete(); });
    connect(cmdDispBy, &QPushButton::clicked, this, [this] { cmdDispBy_Click(); });
    connect(cmdGotoCurPick, &QPushButton::clicked, this, [this] { cmdGotoCurPick_Click(); });
    connect(cmdLockDrafting, &QPushButton::clicked, this, [this] { cmdLockDrafting_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdSavePdf, &QPushButton::clicked, this, [this] { cmdSavePdf_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdPrevPick, &QPushButton::clicked, this, [this] { cmdPrevPick_Click(); });
    connect(cmdNextPick, &QPushButton::clicked, this, [this] { cmdNextPick_Click(); });
    connect(cmdDBLookup, &QToolButton::clicked, this, [this] { cmdDBLookup_Click(); });
    connect(cmdAddPlayer, &QToolButton::clicked, this, [this] { cmdAddPlayer_Click(); });
    connect(txtPlayerName, &QLineEdit::textEdited, this, [this] { m_entry.NoteTyped(); });
    connect(txtPlayerName, &QLineEdit::returnPressed, this, [this] { txtPlayerName_Enter(); });
    connect(txtPlayerName, &GRTextBox::LostFocus, this, [this] { txtPlayerName_LostFocus(); });
    txtPlayerName->setSelectAllOnFocus(true);
    ConnectDraftNight();
}

bool frmDraftPlayers::Initialize(const ComPtr<IDataService>& oGRService) {
    m_oDataService = oGRService;
    return true;
}

// ---- Activation ---------------------------------------------------------------------------

void frmDraftPlayers::Activated() {
    try {
        ActivateBoard();
    } catch (const std::exception& error) {
        MsgBox(std::string(kActivationFailed) + "\r\n" + error.what(), MsgButtons::OK, "Gridora");
    }
}

void frmDraftPlayers::ActivateBoard() {
    m_oSeason = m_oDataService ? m_oDataService->GetCurrentSeasonInfo() : nullptr;
    ComPtr<Collection> rankList;
    if (m_oSeason) {
        m_draftLocked = m_oSeason->get_IsDraftLocked();
        const bool byName = IsDraftEmpty(m_oSeason) && !m_oSeason->get_IsRankingLocked();
        rankList = SortManagers(m_oSeason->get_Managers(), byName ? SortByName : SortByRank);
    }
    m_entry.Load(m_oDataService, m_oSeason, rankList);
    m_undo.Start();
    ReadDraftNightSettings();
    m_view = m_draftLocked ? DraftView::ByManager : DraftView::ByRound;
    cmdDispBy->setText(m_draftLocked ? kByRoundCaption : kByManagerCaption);
    RedrawGrid();
    if (m_draftLocked) {
        EnablePickControls(false);
        for (QWidget* w :
             std::initializer_list<QWidget*>{fraCurrentPick, cmdGotoCurPick, cmdLockDrafting})
            w->hide();
    } else {
        for (QWidget* w :
             std::initializer_list<QWidget*>{fraCurrentPick, cmdGotoCurPick, cmdLockDrafting})
            w->show();
        EnablePickControls(m_entry.IsReady());
        cmdGotoCurPick_Click();
    }
    if (layout()) layout()->activate();
}

// ---- Unsaved picks ------------------------------------------------------------------------

void frmDraftPlayers::MarkUnsaved() {
    cmdSave->setEnabled(true);
    emit UnsavedWorkChanged();
}

void frmDraftPlayers::DiscardChanges() {
    if (m_oDataService) m_oDataService->DiscardCurrentSeasonInfo();
    m_entry.Discarded();
    cmdSave->setEnabled(false);
}

void frmDraftPlayers::CollectUnsavedWork(UnsavedWork& work) const {
    if (!m_oSeason) return;
    work.seasonYear = m_oSeason->get_Year();
    work.picks = m_entry.ChangedPicks();
}

// The picks go back into the season as they were typed; the board shows them unsaved.
void frmDraftPlayers::BringBackWork(const UnsavedWork& work) {
    if (!m_oSeason || work.picks.empty()) return;
    const PickableIndex catalogue = PickablesById(m_oDataService);
    for (const RecoveredPick& pick : work.picks) {
        const auto found = catalogue.find({pick.type, pick.id});
        m_entry.SetPick(pick.pick, found != catalogue.end() ? found->second : nullptr);
    }
    RedrawGrid();
    cmdGotoCurPick_Click();
    MarkUnsaved();
    // Undo goes back to what was brought back, not beyond.
    m_undo.Start();
}

// ---- The grid ------------------------------------------------------------------------------

void frmDraftPlayers::wbReport_DocumentComplete() {
    HtmlDocument* document = wbReport->document();
    if (!document || !document->body()) return;
    m_oDocument = document;
    m_oDocument->body()->setStyle("margin", "0");
    m_oDocument->body()->setStyle("overflow", "auto");
    RedrawGrid();
}

// The layout and every pick's cell go to the page in one piece.
void frmDraftPlayers::RedrawGrid() {
    TakeRoomBoard();
    FollowOnRoomDisplay();
    if (!m_oDocument) return;
    m_drawnCells.clear();
    if (const std::string notice = NotReadyNotice(); !notice.empty()) {
        m_oDocument->body()->setInnerHTML(notice);
        return;
    }
    DraftGridShape shape;
    shape.view = m_view;
    shape.managers = std::max(m_entry.ManagerCount(), 0);
    shape.rounds = std::max(m_entry.RoundCount(), 0);
    for (int32_t p = 1; p <= shape.managers; ++p) {
        const ComPtr<IManagerInfo> manager = m_entry.RankedManager(p);
        shape.managerNames.push_back(manager ? manager->get_FirstName() : "XYZ");
    }
    const int32_t rows = shape.Rows();
    const int32_t columns = shape.Columns();
    std::vector<std::string> cells(static_cast<size_t>(rows) * static_cast<size_t>(columns));
    const ComPtr<Collection> drafts = m_oSeason ? m_oSeason->get_Drafts() : nullptr;
    if (drafts)
        for (const ComPtr<IDraftInfo>& draft : drafts->ItemsAs<IDraftInfo>()) {
            int32_t row = 0;
            int32_t column = 0;
            const int32_t pick = draft->get_DraftNo();
            if (!DraftCellOf(m_view, pick, m_entry.ManagerCount(), row, column)) continue;
            if (row > rows || column > columns) continue;
            std::string html = DraftCellHtml(pick, draft->get_PlayerOrTeam());
            cells[static_cast<size_t>((row - 1) * columns + column - 1)] = html;
            m_drawnCells[pick] = std::move(html);
        }
    m_oDocument->body()->setInnerHTML(DraftGridHtml(shape, cells));
}

void frmDraftPlayers::DrawCell(const ComPtr<IDraftInfo>& draft) {
    if (!draft) return;
    const int32_t pick = draft->get_DraftNo();
    if (pick >= 1 && static_cast<size_t>(pick) <= m_room.picks.size()) {
        m_room.picks[static_cast<size_t>(pick - 1)] = RoomPickOf(pick);
        FollowOnRoomDisplay();
    }
    if (!m_oDocument) return;
    int32_t row = 0;
    int32_t column = 0;
    if (!DraftCellOf(m_view, pick, m_entry.ManagerCount(), row, column)) return;
    std::string html = DraftCellHtml(pick, draft->get_PlayerOrTeam());
    const auto drawn = m_drawnCells.find(pick);
    if (drawn != m_drawnCells.end() && drawn->second == html) return;
    if (const ElementPtr cell = m_oDocument->getElementById(DraftCellId(row, column))) {
        cell->setInnerHTML(html);
        m_drawnCells[pick] = std::move(html);
    }
}

void frmDraftPlayers::ScrollToPick(int32_t pick) {
    if (!m_oDocument) return;
    int32_t row = 0;
    int32_t column = 0;
    if (!DraftCellOf(m_view, pick, m_entry.ManagerCount(), row, column)) return;
    if (const ElementPtr anchor = m_oDocument->getElementById(DraftAnchorId(column)))
        anchor->scrollIntoView();
}

// ---- Commands of the board -----------------------------------------------------------------

void frmDraftPlayers::cmdDispBy_Click() {
    const bool toManager = m_view == DraftView::ByRound;
    m_view = toManager ? DraftView::ByManager : DraftView::ByRound;
    cmdDispBy->setText(toManager ? kByRoundCaption : kByManagerCaption);
    RedrawGrid();
    ScrollToPick(m_entry.CurrentPick());
}

// False when the picks could not be stored (the data service has said why): they stay unsaved.
bool frmDraftPlayers::Save() {
    DrawCell(m_entry.CurrentDraft());
    if (!m_oDataService || !m_oDataService->SaveDrafts()) return false;
    cmdSave->setEnabled(false);
    m_entry.Saved();
    emit UnsavedWorkChanged();
    return true;
}

void frmDraftPlayers::cmdPrint_Click() {
    PrintCommand(*wbReport, this);
}

void frmDraftPlayers::cmdSavePdf_Click() {
    const std::string year = m_oSeason ? " " + std::to_string(m_oSeason->get_Year()) : "";
    SavePdfCommand(*wbReport, "Gridora - Draft" + year + ".pdf");
}

void frmDraftPlayers::cmdSave_Click() {
    Save();
}

// A draft whose picks could not be stored is not locked.
void frmDraftPlayers::cmdLockDrafting_Click() {
    if (!Save()) return;
    if (m_oDataService) m_oDataService->DisableDrafting();
    Activated();
}

void frmDraftPlayers::cmdClose_Click() {
    CloseWindow();
}

// ---- Focus of the entry field --------------------------------------------------------------

// The main window focuses the board when it shows it; the organiser types on into the field.
void frmDraftPlayers::focusInEvent(QFocusEvent* event) {
    ChildWindow::focusInEvent(event);
    if (txtPlayerName->isEnabled() && txtPlayerName->isVisible()) txtPlayerName->setFocus();
}

}  // namespace gr::ui
