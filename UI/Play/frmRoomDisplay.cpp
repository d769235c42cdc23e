#include "frmRoomDisplay.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace gr::ui {

frmRoomDisplay::frmRoomDisplay(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmRoomDisplay"));
    setWindowTitle(QStringLiteral("Gridora - Room Display"));
    setWindowFlag(Qt::FramelessWindowHint);
    // The organiser's window keeps the keys: the display is never made the active window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    wbRoom = new HtmlView(this);
    wbRoom->setObjectName(QStringLiteral("wbRoom"));
    // The room only looks: its page never takes the focus.
    wbRoom->setEnabled(false);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(wbRoom);
    m_announceTimer.setSingleShot(true);
    connect(&m_announceTimer, &QTimer::timeout, this, [this] { HideAnnouncement(); });
    connect(wbRoom, &HtmlView::documentComplete, this, [this] { wbRoom_DocumentComplete(); });
    wbRoom->navigate();
}

frmRoomDisplay::~frmRoomDisplay() {
    m_oDocument = nullptr;
}

void frmRoomDisplay::ShowFullScreen(const QWidget* beside) {
    const QScreen* own = beside ? beside->screen() : QGuiApplication::primaryScreen();
    QScreen* target = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != own && !target) target = screen;
    if (!target) target = const_cast<QScreen*>(own);
    if (target) setGeometry(target->geometry());
    showFullScreen();
    raise();
}

void frmRoomDisplay::wbRoom_DocumentComplete() {
    HtmlDocument* document = wbRoom->document();
    if (!document || !document->body()) return;
    m_oDocument = document;
    m_oDocument->body()->setStyle("margin", "0");
    m_oDocument->body()->setStyle("overflow", "hidden");
    Render();
}

void frmRoomDisplay::Render() {
    if (!m_oDocument) return;
    m_oDocument->body()->setInnerHTML(RoomPageHtml(m_shown));
    const std::string clock = m_clockText;
    m_clockText.clear();
    ShowClock(clock, m_clockRed);
}

void frmRoomDisplay::Follow(const RoomBoard& board) {
    if (board == m_shown) return;
    if (!m_oDocument || !board.SameShape(m_shown)) {
        m_shown = board;
        Render();
        return;
    }
    UpdateCells(board);
}

// Only the cells, the ticker and the heading that show something else go to the page.
void frmRoomDisplay::UpdateCells(const RoomBoard& board) {
    const RoomBoard before = m_shown;
    m_shown = board;
    int32_t taken = 0;
    for (auto pick = 1; pick <= static_cast<int32_t>(board.picks.size()); ++pick) {
        const RoomPick& now = *board.Pick(pick);
        const RoomPick& was = *before.Pick(pick);
        const bool wasCurrent = pick == before.currentPick;
        const bool isCurrent = pick == board.currentPick;
        if (now == was && wasCurrent == isCurrent) continue;
        const ElementPtr cell = m_oDocument->getElementById(RoomCellId(board, pick));
        if (!cell) continue;
        if (!(now == was)) cell->setInnerHTML(RoomCellHtml(pick, now));
        cell->setAttribute("class", RoomCellClass(board, pick));
        if (!now.name.empty() && !(now == was)) taken = pick;
    }
    if (RoomOnClockHtml(board) != RoomOnClockHtml(before))
        SetText(kRoomOnClockId, RoomOnClockHtml(board));
    if (RoomTickerHtml(board) != RoomTickerHtml(before))
        SetText(kRoomTickerId, RoomTickerHtml(board));
    if (taken > 0) Announce(PickAnnouncement(board, taken));
}

void frmRoomDisplay::SetText(const char* id, const std::string& html) {
    if (const ElementPtr element = m_oDocument ? m_oDocument->getElementById(id) : nullptr)
        element->setInnerHTML(html);
}

void frmRoomDisplay::ShowClock(const std::string& text, bool red) {
    if (text == m_clockText && red == m_clockRed) return;
    m_clockText = text;
    m_clockRed = red;
    const ElementPtr clock = m_oDocument ? m_oDocument->getElementById(kRoomClockId) : nullptr;
    if (!clock) return;
    clock->setInnerText(text);
    clock->setAttribute("class", red ? "red" : "");
}

void frmRoomDisplay::Announce(const std::string& text) {
    m_announcement = text;
    if (const ElementPtr box =
            m_oDocument ? m_oDocument->getElementById(kRoomAnnouncementId) : nullptr) {
        box->setInnerText(text);
        box->setStyle("display", "block");
    }
    m_announceTimer.start(kAnnouncementMs);
    m_voice.Say(text);
}

void frmRoomDisplay::HideAnnouncement() {
    if (const ElementPtr box =
            m_oDocument ? m_oDocument->getElementById(kRoomAnnouncementId) : nullptr)
        box->setStyle("display", "none");
}

}  // namespace gr::ui
