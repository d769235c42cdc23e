// The manager ranking window: shuffles the current season's managers into a random draft
// order as often as wanted, clears it, and saves and locks it. A locked ranking is read-only.
#pragma once

#include <QPushButton>
#include <vector>

#include "ChildWindow.h"
#include "GRIData.h"
#include "HtmlView.h"
#include "IDataService.h"
#include "RankingRules.h"

namespace gr::ui {

class frmDraftRanking : public ChildWindow {
    Q_OBJECT
  public:
    explicit frmDraftRanking(QWidget* parent = nullptr);
    ~frmDraftRanking() override;

    // Keeps the data service. Always true.
    bool Initialize(const ComPtr<IDataService>& oGRService);

    void Activated() override;
    // A shuffle or a clear not locked yet is stored unlocked however the window is left.
    bool HasUnsavedChanges() const override { return m_rules.IsChanged(); }
    bool SaveChanges() override { return StoreRanks(false); }
    bool MayLeave(LeaveReason reason) override;

    HtmlView* wbDisplay;
    QPushButton* cmdShuffle;
    QPushButton* cmdClear;
    QPushButton* cmdSave;
    QPushButton* cmdClose;

    // What the table shows: the managers in display order and the rank beside each
    // (0: not ranked).
    ComPtr<Collection> DisplayList() const { return m_rules.DisplayList(); }
    const std::vector<int32_t>& RankList() const { return m_rules.Ranks(); }
    bool IsChanged() const { return m_rules.IsChanged(); }

  private:
    void wbDisplay_DocumentComplete();
    void RefreshButtons();
    void Redraw();
    std::string TableHtml() const;
    bool ResetRanks();
    bool StoreRanks(bool lock);

    void cmdShuffle_Click();
    void cmdClear_Click();
    void cmdSave_Click();
    void cmdClose_Click();

    ComPtr<IDataService> m_oDataService;
    ComPtr<ISeasonInfo> m_oSeason;
    RankingRules m_rules;
    HtmlDocument* m_oDocument = nullptr;
};

}  // namespace gr::ui
