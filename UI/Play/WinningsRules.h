// The winnings editor's rules, free of widgets: the season's winnings with their prizes and
// managers, what choosing a manager, a prize or a week does to a record, when a record is
// complete, which record it would duplicate, each winner's share, what Save finds missing and
// which rows the league does not hold yet. The window draws the table and asks the user.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "GRIData.h"
#include "MoneyReport.h"
#include "RecoveryFile.h"

namespace gr::ui {

class WinningsRules {
  public:
    // The activation: the season's managers, prizes and winnings, without the blank records
    // earlier visits left (neither manager nor prize).
    void Load(const ComPtr<ISeasonInfo>& season);

    bool IsSeasonLocked() const { return m_locked; }
    int32_t RegularWeeks() const;
    ComPtr<Collection> Winnings() const { return m_winnings; }

    ComPtr<IWinningInfo> Record(const std::string& key) const;
    ComPtr<IPrizeInfo> PrizeOf(const ComPtr<IWinningInfo>& record) const;
    ComPtr<IManagerInfo> ManagerOf(const ComPtr<IWinningInfo>& record) const;
    static bool HasManager(const ComPtr<IWinningInfo>& record);
    static bool HasPrize(const ComPtr<IWinningInfo>& record);
    // A weekly prize asks for a week.
    static bool IsWeekly(const ComPtr<IPrizeInfo>& prize);
    // What the prize and manager cells show once chosen: the prize's description, the
    // manager's "First Last".
    std::string PrizeText(const ComPtr<IWinningInfo>& record) const;
    std::string ManagerText(const ComPtr<IWinningInfo>& record) const;

    // Each winner's share as the amount cell shows it ("33.33", "5", "12.5"): the prize shared
    // among the winners counts holds for it, or the whole prize (an incomplete row); empty
    // without a prize.
    reports::PrizeWinnerCounts CountWinners() const;
    std::string ShareText(const ComPtr<IWinningInfo>& record,
                          const reports::PrizeWinnerCounts& counts) const;
    std::string WholePrizeText(const ComPtr<IWinningInfo>& record) const;

    // A choice in a row: the record takes the id (or the week's position, 0 for the empty
    // entry); a blank record becomes one to add.
    static void ChooseManager(const ComPtr<IWinningInfo>& record, int32_t managerId);
    static void ChoosePrize(const ComPtr<IWinningInfo>& record, int32_t prizeId);
    static void ChooseWeek(const ComPtr<IWinningInfo>& record, int32_t position);

    // A record marked for removal counts as complete, so the table is drawn again.
    bool IsComplete(const ComPtr<IWinningInfo>& record) const;
    // Another record for the same manager and prize (and week, for a weekly prize). Records
    // not stored yet are compared too, so the same winning entered twice is refused.
    ComPtr<IWinningInfo> FindDuplicate(const ComPtr<IWinningInfo>& record) const;
    std::string DuplicateNotice(const ComPtr<IWinningInfo>& record) const;

    // Save's check: the numbered lines of every incomplete record, joined by CR LF; empty
    // when every record is complete.
    std::string RecordErrors() const;
    // The rows the league does not hold yet: new ones, and stored ones deleted.
    std::vector<RecoveredWinning> UnsavedRows() const;

  private:
    ComPtr<ISeasonInfo> m_season;
    bool m_locked = false;
    ComPtr<Collection> m_prizes;
    ComPtr<Collection> m_managers;
    ComPtr<Collection> m_winnings;
};

}  // namespace gr::ui
