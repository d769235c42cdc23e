#include "frmDraftRanking.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

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
    m_rules = RankingRules();
    m_oSeason = nullptr;
    m_oDataService = nullptr;
}

bool frmDraftRanking::Initialize(const ComPtr<IDataService>& oGRService) {
    m_oDataService = oGRService;
    return true;
}

void frmDraftRanking::Activated() {
    m_oSeason = m_oDataService ? m_oDataService->GetCurrentSeasonInfo() : nullptr;
    m_rules.Load(m_oSeason);
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

void frmDraftRanking::RefreshButtons() {
    const RankingCommands open = m_rules.Commands();
    cmdShuffle->setEnabled(open.shuffle);
    cmdClear->setEnabled(open.clear);
    cmdSave->setEnabled(open.save);
    cmdClose->setEnabled(true);
}

std::string frmDraftRanking::TableHtml() const {
    std::string html = "<table width='100%'>" + HeaderRowHtml();
    for (int32_t i = 1; i <= m_rules.ManagerCount(); ++i)
        html += "<tr bgcolor='" + GetRowColor(i) + "'><td align=center>" + std::to_string(i) +
                ".</td><td align=left>" + HtmlEscape(m_rules.ManagerLabel(i)) +
                "</td><td align=center>" + std::to_string(m_rules.RankShown(i)) + "</td></tr>";
    return html + "</table>";
}

void frmDraftRanking::Redraw() {
    if (!m_oDocument) return;
    m_oDocument->body()->setInnerHTML(TableHtml());
}

// Asks before drafts are thrown away; then every rank is cleared and the managers are listed
// by name. False when the user kept the drafts.
bool frmDraftRanking::ResetRanks() {
    if (m_rules.HasDrafts()) {
        if (MsgBox(kRedraftQuestion, MsgButtons::YesNo, "Gridora") != MsgAnswer::Yes) return false;
        m_oDataService->DeleteDrafts();
    }
    m_rules.Reset();
    Redraw();
    return true;
}

// False when the ranks could not be stored (the data service has said why).
bool frmDraftRanking::StoreRanks(bool lock) {
    m_rules.AssignRanks();
    const bool stored = m_oDataService && m_oDataService->SaveRanking();
    if (stored && lock) m_oDataService->DisableRanking();
    Redraw();
    RefreshButtons();
    return stored;
}

// The managers and the ranks are shuffled separately, each from a seed of its own.
void frmDraftRanking::cmdShuffle_Click() {
    if (!ResetRanks()) return;
    const uint32_t managerSeed = RandomSeed();
    m_rules.Shuffle(managerSeed, RandomSeed());
    Redraw();
    RefreshButtons();
}

void frmDraftRanking::cmdClear_Click() {
    ResetRanks();
    RefreshButtons();
    m_rules.MarkChanged();
}

void frmDraftRanking::cmdSave_Click() {
    if (StoreRanks(true)) m_rules.Locked();
}

void frmDraftRanking::cmdClose_Click() {
    CloseWindow();
}

}  // namespace gr::ui
