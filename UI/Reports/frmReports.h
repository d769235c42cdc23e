// The reports window: one read-only page chosen by the main window when it opens the window:
// the money of the current season (1) or of all seasons (2), the user guide (3) or the past
// winners (4). The figures come from MoneyReport; the page is built again at each activation.
#pragma once

#include <QPushButton>

#include "ChildWindow.h"
#include "GRIData.h"
#include "HtmlView.h"
#include "IDataService.h"

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
    QPushButton* cmdClose;

  private:
    void wbDisplay_DocumentComplete();
    void Render();
    void cmdClose_Click();

    int32_t m_reportType = 0;
    ComPtr<IDataService> m_oDataService;
    HtmlDocument* m_oDocument = nullptr;
};

}  // namespace gr::ui
