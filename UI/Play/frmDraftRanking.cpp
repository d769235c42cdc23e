#include "frmDraftRanking.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "DraftShuffle.h"
#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"

namespace gr::ui {

namespace {

constexpr const char* kRedraftQuestion =
    "There are some players or teams already drafted. Re-ranking would delete those drafts. "
    "Are you sure?";

std::string HeaderRowHtml() {
    return "<tr bgcolor='" + GetHighlightColor() +
           "'><td align=center width='10%'><b>SNo</b></td>"
           "<td align=left width='60%'><b>Manager</b></td>"
           "<td align=center width='30%'><b>Rank</b></td></tr>";
}

std::string ManagerLabel(const ComPtr<IManagerInfo>& manager) {
    if (!manager) return "XYZ";
    return manager->get_FirstName() + " [" + std::to_string(manager->get_ID()) + "]";
}

}  // namespace

frmDraftRanking::frmDraftRanking(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmDraftRanking"));
    setWindowTitle(QStringLiteral("Manager Ranking"));
    wbDisplay = new HtmlView(this);
    wbDisplay->setObjectName(QStringLiteral("wbDisplay"));
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    cmdShuffle = button("cmdShuffle", QStringLiteral("Shuffle"));
    cmdClear = button("cmdClear", QStringLiteral("Clear"));
    cmdSave = button("cmdSave", QStringLiteral("Save && Lock"));
    cmdClose = button("cmdClose", QStringLiteral("Close"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdShuffle, cmdClear, cmdSave}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(wbDisplay, 1);
    column->addLayout(buttons);

    connect(wbDisplay, &HtmlView::documentComplete, this, [this] { wbDisplay_DocumentComplete(); });
    connect(cmdShuffle, &QPushButton::clicked, this, [this] { cmdShuffle_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    wbDisplay->navigate();
}

frmDraftRanking::~frmDraftRanking() {
    m_oDocument = nullptr;
    m_oDisplayList = nullptr;
    m_oSeason = nullptr;
    m_oDataService = nullptr;
}

bool frmDraftRanking::Initialize(const ComPtr<IDataService>& oGRService) {
    m_oDataService = oGRService;
    return true;
}

void frmDraftRanking::Activated() {
    m_oSeason = m_oDataService ? m_oDataService->GetCurrentSeasonInfo() : nullptr;
    if (m_oSeason) m_managerCount = m_oSeason->get_NoOfManagers();
    if (m_oSeason && m_managerCount >= 1) {
        m_ranks.assign(static_cast<size_t>(m_managerCount), 0);
        const bool byName = !m_oSeason->get_IsRankingLocked() && IsDraftEmpty(m_oSeason);
        m_oDisplayList = SortManagers(m_oSeason->get_Managers(), byName ? SortByName : SortByRank);
        const int32_t shown = m_oDisplayList ? m_oDisplayList->Count() : 0;
        for (int32_t i = 1; i <= std::min(shown, m_managerCount); ++i) {
            const int32_t rank = m_oDisplayList->ItemAs<IManagerInfo>(i)->get_Rank();
            m_ranks[static_cast<size_t>(i - 1)] = rank > 0 ? rank : 0;
        }
    } else {
        // A season without managers shows the header alone.
        m_managerCount = std::max(m_managerCount, 0);
        if (!m_oSeason) m_managerCount = 0;
        m_ranks.assign(static_cast<size_t>(m_managerCount), 0);
        m_oDisplayList = nullptr;
    }
    RefreshButtons();
    Redraw();
}

bool frmDraftRanking::MayLeave(LeaveReason /*reason*/) {
    return !HasUnsavedChanges() || SaveChanges();
}

void frmDraftRanking::wbDisplay_DocumentComplete() {
    HtmlDocument* document = wbDisplay->document();
    if (!document || !document->body()) return;
    m_oDocument = document;
    m_oDocument->body()->setStyle("margin", "0");
    m_oDocument->body()->setStyle("overflow", "hidden");
    Redraw();
}

bool frmDraftRanking::AllRanked() const {
    return std::none_of(m_ranks.begin(), m_ranks.end(), [](int32_t r) { return r == 0; });
}

void frmDraftRanking::RefreshButtons() {
    const int32_t listed = m_oDisplayList ? m_oDisplayList->Count() : 0;
    const bool locked = m_oSeason && m_oSeason->get_IsRankingLocked();
    const bool usable = m_managerCount > 0 && !locked && listed >= m_managerCount;
    cmdShuffle->setEnabled(usable);
    cmdClear->setEnabled(usable && AllRanked());
    cmdSave->setEnabled(usable && AllRanked());
    cmdClose->setEnabled(true);
}

std::string frmDraftRanking::TableHtml() const {
    std::string html = "<table width='100%'>" + HeaderRowHtml();
    const int32_t listed = m_oDisplayList ? m_oDisplayList->Count() : 0;
    for (int32_t i = 1; i <= m_managerCount; ++i) {
        const ComPtr<IManagerInfo> manager =
            i <= listed ? m_oDisplayList->ItemAs<IManagerInfo>(i) : nullptr;
        const int32_t rank = m_ranks[static_cast<size_t>(i - 1)];
        html += "<tr bgcolor='" + GetRowColor(i) + "'><td align=center>" + std::to_string(i) +
                ".</td><td align=left>" + HtmlEscape(ManagerLabel(manager)) +
                "</td><td align=center>" + std::to_string(rank > 0 ? rank : i) + "</td></tr>";
    }
    return html + "</table>";
}

void frmDraftRanking::Redraw() {
    if (!m_oDocument) return;
    m_oDocument->body()->setInnerHTML(TableHtml());
}

// Asks before drafts are thrown away; then every rank is cleared and the managers are listed
// by name. False when the user kept the drafts.
bool frmDraftRanking::ResetRanks() {
    if (!IsDraftEmpty(m_oSeason)) {
        if (MsgBox(kRedraftQuestion, MsgButtons::YesNo, "Gridora") != MsgAnswer::Yes) return false;
        m_oDataService->DeleteDrafts();
    }
    std::fill(m_ranks.begin(), m_ranks.end(), 0);
    m_oDisplayList = SortManagers(m_oSeason->get_Managers(), SortByName);
    Redraw();
    return true;
}

// The managers and the ranks are shuffled separately, each from a seed of its own.
void frmDraftRanking::ShuffleManagers() {
    std::vector<ComPtr<IManagerInfo>> managers = m_oDisplayList->ItemsAs<IManagerInfo>();
    ShuffleDraftOrder(managers, RandomSeed());
    while (m_oDisplayList->Count() > 0) m_oDisplayList->Remove(m_oDisplayList->Count());
    for (const ComPtr<IManagerInfo>& manager : managers)
        m_oDisplayList->Add(manager, "K" + std::to_string(manager->get_ID()));
    ShuffleDraftOrder(m_ranks, RandomSeed());
}

// False when the ranks could not be stored (the data service has said why).
bool frmDraftRanking::StoreRanks(bool lock) {
    const int32_t listed = m_oDisplayList ? m_oDisplayList->Count() : 0;
    for (int32_t i = 1; i <= std::min(listed, m_managerCount); ++i)
        m_oDisplayList->ItemAs<IManagerInfo>(i)->let_Rank(m_ranks[static_cast<size_t>(i - 1)]);
    const bool stored = m_oDataService && m_oDataService->SaveRanking();
    if (stored && lock) m_oDataService->DisableRanking();
    Redraw();
    RefreshButtons();
    return stored;
}

void frmDraftRanking::cmdShuffle_Click() {
    if (!ResetRanks()) return;
    for (size_t i = 0; i < m_ranks.size(); ++i) m_ranks[i] = static_cast<int32_t>(i + 1);
    ShuffleManagers();
    Redraw();
    RefreshButtons();
    m_changed = true;
}

void frmDraftRanking::cmdClear_Click() {
    ResetRanks();
    RefreshButtons();
    m_changed = true;
}

void frmDraftRanking::cmdSave_Click() {
    if (StoreRanks(true)) m_changed = false;
}

void frmDraftRanking::cmdClose_Click() {
    CloseWindow();
}

}  // namespace gr::ui
