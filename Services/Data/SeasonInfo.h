// One season of the league: its figures and locks, its managers, prizes with money,
// draft picks and winnings. Screens change it in memory; the data service stores it.
#pragma once

#include <cstdint>
#include <string>

#include "ComObject.h"
#include "GRIData.h"

namespace gr::data {

class DraftInfo;

class SeasonInfo final : public ComObject<ISeasonInfo> {
  public:
    SeasonInfo();

    int32_t get_ID() override { return m_id; }
    int32_t get_Year() override { return m_year; }
    void let_Year(int32_t value) override { m_year = value; }
    int32_t get_NoOfManagers() override { return m_noOfManagers; }
    void let_NoOfManagers(int32_t value) override { m_noOfManagers = value; }
    int32_t get_NoOfRounds() override { return m_noOfRounds; }
    void let_NoOfRounds(int32_t value) override { m_noOfRounds = value; }
    int32_t get_MoneyContribution() override { return m_moneyContribution; }
    void let_MoneyContribution(int32_t value) override { m_moneyContribution = value; }
    ComPtr<Collection> get_Prizes() override { return m_prizes; }
    void set_Prizes(const ComPtr<Collection>& value) override { m_prizes = value; }
    int32_t get_NoOfRegularWeeks() override { return m_noOfRegularWeeks; }
    void let_NoOfRegularWeeks(int32_t value) override { m_noOfRegularWeeks = value; }
    int32_t get_TotalNoOfWeeks() override { return m_totalNoOfWeeks; }
    void let_TotalNoOfWeeks(int32_t value) override { m_totalNoOfWeeks = value; }
    bool get_IsRankingLocked() override { return m_rankingLocked; }
    void let_IsRankingLocked(bool value) override { m_rankingLocked = value; }
    bool get_IsDraftLocked() override { return m_draftLocked; }
    void let_IsDraftLocked(bool value) override { m_draftLocked = value; }
    bool get_IsSeasonLocked() override { return m_seasonLocked; }
    void let_IsSeasonLocked(bool value) override { m_seasonLocked = value; }
    bool get_HasSeasonStarted() override { return m_seasonStarted; }
    void let_HasSeasonStarted(bool value) override { m_seasonStarted = value; }
    ComPtr<Collection> get_Managers() override { return m_managers; }
    ComPtr<Collection> get_Winnings() override { return m_winnings; }
    ComPtr<Collection> get_Drafts() override { return m_drafts; }
    int32_t get_CurrentPick() override { return m_currentPick; }

    using ISeasonInfo::IsPickableTaken;
    bool IsPickableTaken(const ComPtr<IPickable>& oPick, std::string& PickedInfo) override;
    void UpdateDraft(const ComPtr<IPickable>& oPick, int32_t CurPick,
                     const ComPtr<IManagerInfo>& oMgr) override;
    void RemoveDraft(int32_t CurPick) override;
    bool AddPrize(const ComPtr<IPrizeTmplInfo>& oPrizeTmpl) override;
    bool AddManager(const ComPtr<IManagerTmplInfo>& oMgrTmpl) override;
    bool RemoveManager(const ComPtr<IManagerInfo>& oMgr) override;

    // Internal setters of the data service.
    void SetID(int32_t id) { m_id = id; }
    void SetManagers(ComPtr<Collection> managers);
    void SetWinnings(ComPtr<Collection> winnings);
    void SetDrafts(ComPtr<Collection> drafts);
    // Stored as at least 1.
    void SetCurrentPick(int32_t pick) { m_currentPick = pick < 1 ? 1 : pick; }

  private:
    // The pick at a 1-based position, or none.
    ComPtr<DraftInfo> DraftAt(int32_t position) const;
    // Moves the pick at a position to a new key without changing its place.
    bool RekeyDraft(int32_t position, const std::string& key);

    int32_t m_id = 0;
    int32_t m_year = 0;
    int32_t m_noOfManagers = 0;
    int32_t m_noOfRounds = 0;
    int32_t m_moneyContribution = 0;
    int32_t m_noOfRegularWeeks = 0;
    int32_t m_totalNoOfWeeks = 0;
    bool m_rankingLocked = false;
    bool m_draftLocked = false;
    bool m_seasonLocked = false;
    bool m_seasonStarted = false;
    ComPtr<Collection> m_prizes;
    ComPtr<Collection> m_managers;
    ComPtr<Collection> m_winnings;
    ComPtr<Collection> m_drafts;
    int32_t m_currentPick = 1;
};

}  // namespace gr::data
