// The settings window: chooses the league's current season. The main window's menu does not
// offer it ("Settings" is never shown); it is kept for the day it is offered again.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <vector>

#include "ChildWindow.h"
#include "GRIData.h"
#include "IDataService.h"

namespace gr::ui {

class frmSettings : public ChildWindow {
    Q_OBJECT
  public:
    explicit frmSettings(QWidget* parent = nullptr);

    // Keeps the data service, lists the league's seasons by year (oldest first) and selects the
    // current one. Returns true.
    bool Initialize(const ComPtr<IDataService>& dataService);

    QLabel* lblSeason;
    QComboBox* cboSeason;
    QPushButton* cmdSave;
    QPushButton* cmdClose;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillSeasons();
    void cboSeason_LostFocus();
    void cmdSave_Click();
    void cmdClose_Click();

    ComPtr<IDataService> m_oDataService;
    ComPtr<ISettingInfo> m_oSettings;
    int m_selectedPosition = -1;
    std::vector<int32_t> m_seasonIds;  // the season id of each list position
};

}  // namespace gr::ui
