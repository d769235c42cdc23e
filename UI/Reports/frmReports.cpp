#include "frmReports.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "GuidePage.h"
#include "MoneyReport.h"
#include "MoneyReportPages.h"

namespace gr::ui {

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
            m_oDocument->body()->setInnerHTML(
                CurrentSeasonPage(reports::CurrentSeasonMoney(m_oDataService)));
            break;
        case AllSeasons:
            m_oDocument->body()->setInnerHTML(
                AllSeasonsPage(reports::AllSeasonsMoney(m_oDataService)));
            break;
        case PastWinners:
            m_oDocument->body()->setInnerHTML(
                PastWinnersPage(reports::PastWinners(m_oDataService)));
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
