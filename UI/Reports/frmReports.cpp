#include "frmReports.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ExportButtons.h"
#include "ExportCommands.h"
#include "GuidePage.h"
#include "MoneyReport.h"
#include "MoneyReportPages.h"
#include "MoneyReportTables.h"

namespace gr::ui {

frmReports::frmReports(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmReports"));
    setWindowTitle(QStringLiteral("Reports"));
    wbDisplay = new HtmlView(this);
    wbDisplay->setObjectName(QStringLiteral("wbDisplay"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    const ExportButtons exports = MakeExportButtons(*this, *wbDisplay, true);
    cmdPrint = exports.cmdPrint;
    cmdSavePdf = exports.cmdSavePdf;
    cmdSaveCsv = exports.cmdSaveCsv;

    auto* column = new QVBoxLayout(this);
    column->addWidget(wbDisplay, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdPrint, cmdSavePdf, cmdSaveCsv}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    column->addLayout(buttons);

    connect(wbDisplay, &HtmlView::documentComplete, this, [this] { wbDisplay_DocumentComplete(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdSavePdf, &QPushButton::clicked, this, [this] { cmdSavePdf_Click(); });
    connect(cmdSaveCsv, &QPushButton::clicked, this, [this] { cmdSaveCsv_Click(); });
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
            cmdSaveCsv->hide();  // the guide has no figures
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

reports::ReportTable frmReports::Table() const {
    switch (m_reportType) {
        case CurrentSeason:
            return reports::SeasonMoneyTable(reports::CurrentSeasonMoney(m_oDataService));
        case AllSeasons:
            return reports::LeagueMoneyTable(reports::AllSeasonsMoney(m_oDataService));
        case PastWinners:
            return reports::PastWinnersTable(reports::PastWinners(m_oDataService));
        default:
            return {};
    }
}

std::string frmReports::ExportName() const {
    return m_reportType == Guide ? "Gridora - Guide" : reports::ReportFileName(Table());
}

std::string frmReports::ReportCsvText() const {
    return m_reportType == Guide ? std::string() : reports::ReportCsv(Table());
}

void frmReports::cmdPrint_Click() {
    PrintCommand(*wbDisplay, this);
}

void frmReports::cmdSavePdf_Click() {
    SavePdfCommand(*wbDisplay, ExportName() + ".pdf");
}

void frmReports::cmdSaveCsv_Click() {
    if (m_reportType != Guide) SaveCsvCommand(ReportCsvText(), ExportName() + ".csv");
}

void frmReports::cmdClose_Click() {
    HideAndRaiseFormClosed();
}

}  // namespace gr::ui
