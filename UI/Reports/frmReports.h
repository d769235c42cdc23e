// The reports window: one read-only page chosen by the main window when it opens the window.
// Kind 3 is the user guide; the money reports (1, 2) and past winners (4) are not built yet
// and show a notice instead.
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
