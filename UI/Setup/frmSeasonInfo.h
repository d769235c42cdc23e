// The season setup window: one season of the league by year (its figures and four locks), the
// managers who play with their fee-paid marks and the money distribution, with live totals.
// Choosing another year makes that year's season the current one of the whole program. Every
// edit goes into the season the data service holds; Save, leaving the window, or Yes at the
// save prompt stores it. The Save button doubles as the mark of unsaved changes.
#pragma once

#include <QDate>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ChildWindow.h"
#include "EventForwarder.h"
#include "GRIData.h"
#include "GRTextBox.h"
#include "HtmlView.h"
#include "IActualEventHandler.h"
#include "IDataService.h"
#include "ISetupService.h"
#include "SeasonRules.h"
#include "YearPicker.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace gr::ui {

class frmSeasonInfo : public ChildWindow, public IActualEventHandler {
    Q_OBJECT
  public:
    // More manager rows than this are refused: a typed count draws that many grid rows.
    static constexpr int32_t kMaxManagers = SeasonRules::kMaxManagers;

    explicit frmSeasonInfo(QWidget* parent = nullptr);
    ~frmSeasonInfo() override;

    // Keeps both services and lets the year picker go up to this calendar year. False (after
    // telling the user) when that fails.
    bool Initialize(const ComPtr<IDataService>& oDataService,
                    const ComPtr<ISetupService>& oSetupService);

    void Activated() override;
    // Unsaved edits: saved without a question when another window takes this one's place,
    // asked about ("Do you want to save changes?") on Close, at Exit and at a change of year.
    bool HasUnsavedChanges() const override;
    bool SaveChanges() override { return Save(true); }
    void DiscardChanges() override;
    bool MayLeave(LeaveReason reason) override { return SaveSilentlyUnlessAsked(reason); }
    void CollectUnsavedWork(UnsavedWork& work) const override;
    void BringBackWork(const UnsavedWork& work) override;
    void HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) override;

    QLabel* lblYear;
    YearPicker* dtpYear;
    QLabel* lblNoOfManagers;
    GRTextBox* txtNoOfManagers;
    QLabel* lblNoOfRounds;
    GRTextBox* txtNoOfRounds;
    QLabel* lblMoneyCont;
    GRTextBox* txtMoneyContribution;
    QLabel* lblNoOfRegularWeeks;
    GRTextBox* txtNoOfRegularWeeks;
    QLabel* lblTotalNoOfWeeks;
    GRTextBox* txtTotalNoOfWeeks;
    QLabel* lblRankLocked;
    QCheckBox* chkRankLocked;
    QLabel* lblDraftLocked;
    QCheckBox* chkDraftLocked;
    QLabel* lblSeasonLocked;
    QCheckBox* chkSeasonLocked;
    QLabel* lblSeasonStarted;
    QCheckBox* chkSeasonStarted;
    QLabel* lblMgrPlaying;
    HtmlView* wbManagers;
    QLabel* lblMoneyDistr;
    HtmlView* wbMoneyDistr;
    QLabel* lblTotalContribution;
    QLabel* lblTotalDistribution;
    QLabel* lblInfoBalance;
    QPushButton* cmdSave;
    QPushButton* cmdClose;

  protected:
    bool SaveSilently() override { return Save(false); }

  private:
    // ---- The window (frmSeasonInfo.cpp) ----
    // The five figure boxes and the four lock boxes, in the order the recovery file keeps.
    std::array<GRTextBox*, 5> FigureBoxes() const;
    std::array<QCheckBox*, 4> LockBoxes() const;
    void BuildControls();
    void ConnectControls();
    void LoadSeason();  // the activation: fetch the current season and fill everything
    void ShowNoSeason();
    void ShowSeason();
    void ApplyEditableState(bool editable);
    void TextBoxChanged(QLineEdit* box);
    void TextBoxLostFocus(QLineEdit* box);
    void CheckBoxClicked(QCheckBox* box);
    void dtpYear_Change();
    bool Save(bool checkPendingInput);
    bool TakePendingGridInput();
    SeasonFigure FigureOf(const QLineEdit* box) const;
    SeasonLocks Locks() const;
    void AssignSeason();
    void cmdClose_Click();
    void wbManagers_DocumentComplete();
    void wbMoneyDistr_DocumentComplete();
    void Terminate();

    // ---- The grids (frmSeasonInfoGrids.cpp) ----
    void BuildManagersGrid();
    void BuildPrizesGrid();
    void AddNewPrizeRow(int32_t row);
    void UpdateTotals();
    void EnableFeePaidBoxes(bool enable);
    void EnableAmountInputs(bool enable);
    void AttachManagerRow(int32_t row, const std::string& recordId);
    void AttachPrizeRow(int32_t row, const std::string& recordId);
    bool OnGridInputChange(const ElementPtr& input);
    bool AmountChanged(const ElementPtr& input, const std::string& recordId);
    bool ManagerNameTyped(const ElementPtr& input, int32_t row);
    bool PrizeNameTyped(const ElementPtr& input, int32_t row);
    void IconClicked(const std::string& code, int32_t row, const std::string& recordId);
    void RemoveManagerOfRow(int32_t row, const std::string& recordId);
    void RemovePrizeOfRow(int32_t row, const std::string& recordId);
    bool AddManagerToRow(int32_t row, const ComPtr<IPickable>& picked);
    bool AddPrizeToRow(int32_t row, const ComPtr<IPickable>& picked);
    void RewriteManagerRow(int32_t row, const std::string& oldId, const std::string& newId);
    void RewritePrizeRow(int32_t row, const std::string& oldId, const std::string& newId);
    ComPtr<IPickable> SearchCatalogue(InfoTypeEnum type, const std::string& text);
    ComPtr<IPickable> OpenAddNewDialog(InfoTypeEnum type);
    ElementPtr GridInput(const std::string& id) const;
    std::string RecordIdOfRow(const std::vector<std::string>& rows, int32_t row) const;
    void MarkDirty();
    bool HoldsNothingPending(const ElementPtr& input) const;
    void BringBackManagers(const std::vector<SeasonEdits::Manager>& managers);
    void BringBackPrizes(const std::vector<SeasonEdits::Prize>& prizes);

    ComPtr<IDataService> m_oDataService;
    ComPtr<ISetupService> m_oSetupService;
    ComPtr<ISeasonInfo> m_season;
    QDate m_seasonDate;  // 1 January of the loaded season's year; invalid without a season
    ComPtr<Collection> m_prizes;
    ComPtr<Collection> m_managers;
    ComPtr<Collection> m_sortedManagers;  // by first name, as the managers grid shows them
    bool m_loading = false;
    bool m_locked = false;
    std::string m_focusedInputId;
    int32_t m_newPrizeRow = 0;
    // The record id each grid row holds now (empty for an empty row); row r at [r - 1].
    std::vector<std::string> m_managerRowIds;
    std::vector<std::string> m_prizeRowIds;

    HtmlDocument* m_oDocumentMgr = nullptr;
    HtmlDocument* m_oDocumentMD = nullptr;
    std::unique_ptr<EventForwarder> m_oEventForwarderMgr;
    std::unique_ptr<EventForwarder> m_oEventForwarderMD;
};

}  // namespace gr::ui
