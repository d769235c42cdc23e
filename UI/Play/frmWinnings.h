// The winnings window: which manager won which prize of the current season, and for weekly
// prizes in which week. Every winning shows its winner's share of the prize; winnings are
// added in the blank row at the end of the table, deleted with an icon and stored with Save,
// which first lists every incomplete record. A locked season is shown read-only.
#pragma once

#include <QPushButton>
#include <memory>
#include <string>

#include "ChildWindow.h"
#include "EventForwarder.h"
#include "GRIData.h"
#include "HtmlView.h"
#include "IActualEventHandler.h"
#include "IDataService.h"
#include "WinningsRules.h"

namespace gr::ui {

class frmWinnings : public ChildWindow, public IActualEventHandler {
    Q_OBJECT
  public:
    explicit frmWinnings(QWidget* parent = nullptr);
    ~frmWinnings() override;

    // Keeps the data service. Returns true.
    bool Initialize(const ComPtr<IDataService>& oGRService);

    // Starts with Save enabled when the season holds rows not saved yet.
    void Activated() override;
    // Unsaved rows: "Save changes to Winnings?" whenever the window is left.
    bool HasUnsavedChanges() const override { return cmdSave->isEnabled(); }
    bool SaveChanges() override;
    void DiscardChanges() override;
    void CollectUnsavedWork(UnsavedWork& work) const override;
    void BringBackWork(const UnsavedWork& work) override;
    void HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) override;

    // The key of the blank record behind the table's last row; empty while there is none.
    const std::string& NewRowKey() const { return m_newRowKey; }

    HtmlView* wbWinnings;
    QPushButton* cmdSave;
    QPushButton* cmdClose;

  private:
    void wbWinnings_DocumentComplete();

    // The page.
    void DrawTable();
    std::string RowHtml(const ComPtr<IWinningInfo>& record, int32_t rowIndex,
                        const reports::PrizeWinnerCounts& counts) const;
    std::string PrizeCellHtml(const ComPtr<IWinningInfo>& record) const;
    std::string ManagerCellHtml(const ComPtr<IWinningInfo>& record) const;
    std::string WeekCellHtml(const ComPtr<IWinningInfo>& record, bool chooseWeek) const;
    std::string IconCellHtml(const ComPtr<IWinningInfo>& record) const;
    void AppendBlankRow();
    void SetCell(const char* code, const std::string& key, const std::string& html);
    void AttachEvents(const std::string& key);

    // The user's choices.
    void ChooseManager(const std::string& key, const std::string& text);
    void ChoosePrize(const std::string& key, const std::string& text);
    void ChooseWeek(const std::string& key, const ElementPtr& list);
    void AfterChoice(const std::string& key);
    bool CheckCompletion(const ComPtr<IWinningInfo>& record);
    void DeleteRow(const std::string& key);
    void RemoveRow(const std::string& key);

    void MarkUnsaved();

    ComPtr<IDataService> m_oDataService;
    ComPtr<ISeasonInfo> m_oSeason;
    WinningsRules m_rules;
    std::string m_newRowKey;
    HtmlDocument* m_oDocument = nullptr;
    std::unique_ptr<EventForwarder> m_oEventForwarder;
};

}  // namespace gr::ui
