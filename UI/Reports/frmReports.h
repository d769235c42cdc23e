// The reports window: one read-only page chosen by the main window when it opens the window:
// the money of the current season (1) or of all seasons (2), the user guide (3) or the past
// winners (4). The figures come from MoneyReport; the page is built again at each activation.
// The page can be printed and saved as PDF, and the money reports and past winners as CSV.
#pragma once

#include <QPushButton>

#include "ChildWindow.h"
#include "GRIData.h"
#include "HtmlView.h"
#include "IDataService.h"
#include "MoneyReportTables.h"

namespace gr::ui {

class frmReports : public ChildWindow {
    Q_OBJECT
  public:
    enum ReportKind : int32_t { CurrentSeason = 1, AllSeasons = 2, Guide = 3, PastWinners = 4 };

    explicit frmReports(QWidget* parent = nullptr);
    ~frmReports() override;

    // Keeps the report kind and the data service (none for the guide). Returns true.
    bool Initialize(int32_t ReportType, const ComPtr<IDataService>& oGRService);

    void Activated() override;

    HtmlView* wbDisplay;
    QPushButton* cmdPrint;
    QPushButton* cmdSavePdf;
    QPushButton* cmdSaveCsv;
    QPushButton* cmdClose;

    // The file name the page is offered under, without extension: "Gridora - Money 2026".
    std::string ExportName() const;
    // The report's figures as CSV, as Save as CSV... writes them; empty for the guide.
    std::string ReportCsvText() const;

  private:
    void wbDisplay_DocumentComplete();
    void Render();
    reports::ReportTable Table() const;
    void cmdPrint_Click();
    void cmdSavePdf_Click();
    void cmdSaveCsv_Click();
    void cmdClose_Click();

    int32_t m_reportType = 0;
    ComPtr<IDataService> m_oDataService;
    HtmlDocument* m_oDocument = nullptr;
};

}  // namespace gr::ui
