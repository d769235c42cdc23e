#include "frmReports.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "GuidePage.h"

namespace gr::ui {

namespace {

// The money reports and past winners come with their own screens; until then the window says
// so rather than showing an empty page.
std::string NotAvailablePage() {
    return "<table width='100%'><tr><td>This report is not available in this version of "
           "Gridora.</td></tr></table>";
}

}  // namespace

frmReports::frmReports(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmReports"));
    setWindowTitle(QStringLiteral("Reports"));
    wbDisplay = new HtmlView(this);
    wbDisplay->setObjectName(QStringLiteral("wbDisplay"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* column = new QVBoxLayout(this);
    column->addWidget(wbDisplay, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    column->addLayout(buttons);

    connect(wbDisplay, &HtmlView::documentComplete, this, [this] { wbDisplay_DocumentComplete(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

frmReports::~frmReports() {
    m_oDocument = nullptr;
    m_oDataService = nullptr;
}

bool frmReports::Initialize(int32_t ReportType, const ComPtr<IDataService>& oGRService) {
    m_reportType = ReportType;
    m_oDataService = oGRService;
    switch (ReportType) {
        case Guide:
            setWindowTitle(QStringLiteral("Guide"));
            break;
        case CurrentSeason:
            setWindowTitle(QStringLiteral("Current Season Prizes"));
            break;
        case AllSeasons:
            setWindowTitle(QStringLiteral("All Seasons Prizes"));
            break;
        case PastWinners:
            setWindowTitle(QStringLiteral("Past Winners"));
            break;
        default:
            break;
    }
    return true;
}

void frmReports::Activated() {
    if (!m_oDocument)
        wbDisplay->navigate();
    else
        Render();
}

void frmReports::wbDisplay_DocumentComplete() {
    HtmlDocument* document = wbDisplay->document();
    if (!document || !document->body()) return;
    m_oDocument = document;
    const ElementPtr& body = m_oDocument->body();
    body->setStyle("margin", "0");
    body->setStyle("overflowX", "hidden");
    body->setStyle("overflowY", "scroll");
    Render();
}

void frmReports::Render() {
    if (!m_oDocument) return;
    switch (m_reportType) {
        case Guide:
            m_oDocument->body()->setInnerHTML(BuildGuidePage());
            break;
        case CurrentSeason:
        case AllSeasons:
        case PastWinners:
            m_oDocument->body()->setInnerHTML(NotAvailablePage());
            break;
        default:
            cmdClose_Click();
            break;
    }
}

void frmReports::cmdClose_Click() {
    HideAndRaiseFormClosed();
}

}  // namespace gr::ui
