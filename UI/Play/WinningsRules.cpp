#include "WinningsRules.h"

#include <algorithm>

#include "GRNumbers.h"
#include "PrizeKinds.h"
#include "RecordKeys.h"

namespace gr::ui {

namespace {

// The id a record holds as decimal text, as a number (0 for none).
int32_t IdOf(const std::string& text) {
    return core::ToLong(core::NumericValue(text));
}

}  // namespace

void WinningsRules::Load(const ComPtr<ISeasonInfo>& season) {
    m_season = season;
    m_locked = season && season->get_IsSeasonLocked();
    m_managers = season ? season->get_Managers() : nullptr;
    m_winnings = season ? season->get_Winnings() : nullptr;
    m_prizes = season ? season->get_Prizes() : nullptr;
    if (m_winnings)
        for (const auto& record : m_winnings->ItemsAs<IWinningInfo>())
            if (!HasManager(record) && !HasPrize(record)) m_winnings->Remove(record->get_Key());
}

int32_t WinningsRules::RegularWeeks() const {
    return m_season ? m_season->get_NoOfRegularWeeks() : 0;
}

bool WinningsRules::HasManager(const ComPtr<IWinningInfo>& record) {
    return record && !record->get_ManagerID().empty();
}

bool WinningsRules::HasPrize(const ComPtr<IWinningInfo>& record) {
    return record && !record->get_PrizeID().empty();
}

bool WinningsRules::IsWeekly(const ComPtr<IPrizeInfo>& prize) {
    return prize && core::PrizeKindOf(prize) == core::PrizeKind::Weekly;
}

ComPtr<IWinningInfo> WinningsRules::Record(const std::string& key) const {
    if (!m_winnings || key.empty()) return {};
    return m_winnings->ItemAs<IWinningInfo>(key);
}

ComPtr<IPrizeInfo> WinningsRules::PrizeOf(const ComPtr<IWinningInfo>& record) const {
    if (!m_prizes || !HasPrize(record)) return {};
    return m_prizes->ItemAs<IPrizeInfo>(core::RecordKey(record->get_PrizeID()));
}

ComPtr<IManagerInfo> WinningsRules::ManagerOf(const ComPtr<IWinningInfo>& record) const {
    if (!m_managers || !HasManager(record)) return {};
    return m_managers->ItemAs<IManagerInfo>(core::RecordKey(record->get_ManagerID()));
}

std::string WinningsRules::PrizeText(const ComPtr<IWinningInfo>& record) const {
    const auto prize = PrizeOf(record);
    return prize ? prize->get_Desc() : std::string();
}

std::string WinningsRules::ManagerText(const ComPtr<IWinningInfo>& record) const {
    const auto manager = ManagerOf(record);
    const auto master = manager ? manager->get_ManagerTmpl() : nullptr;
    return master ? master->get_FirstName() + " " + master->get_LastName() : std::string();
}

reports::PrizeWinnerCounts WinningsRules::CountWinners() const {
    return reports::CountPrizeWinners(m_winnings, m_prizes);
}

std::string WinningsRules::ShareText(const ComPtr<IWinningInfo>& record,
                                     const reports::PrizeWinnerCounts& counts) const {
    const auto prize = PrizeOf(record);
    if (!prize) return {};
    return core::CentsText(reports::WinnerShare(counts, prize, record));
}

std::string WinningsRules::WholePrizeText(const ComPtr<IWinningInfo>& record) const {
    const auto prize = PrizeOf(record);
    if (!prize) return {};
    return core::CentsText(reports::PrizeShare(prize->get_Amount(), 1));
}

void WinningsRules::ChooseManager(const ComPtr<IWinningInfo>& record, int32_t managerId) {
    record->let_ManagerID(std::to_string(managerId));
    if (record->get_Action() == ActionTypeRemove) record->let_Action(ActionTypeAdd);
}

void WinningsRules::ChoosePrize(const ComPtr<IWinningInfo>& record, int32_t prizeId) {
    record->let_PrizeID(std::to_string(prizeId));
    if (record->get_Action() == ActionTypeRemove) record->let_Action(ActionTypeAdd);
}

void WinningsRules::ChooseWeek(const ComPtr<IWinningInfo>& record, int32_t position) {
    record->let_Week(std::max(position, 0));
}

bool WinningsRules::IsComplete(const ComPtr<IWinningInfo>& record) const {
    if (record->get_Action() == ActionTypeRemove) return true;
    return HasManager(record) && HasPrize(record) &&
           (!IsWeekly(PrizeOf(record)) || record->get_Week() > 0);
}

ComPtr<IWinningInfo> WinningsRules::FindDuplicate(const ComPtr<IWinningInfo>& record) const {
    if (!m_winnings) return {};
    const bool weekly = IsWeekly(PrizeOf(record));
    for (const auto& other : m_winnings->ItemsAs<IWinningInfo>()) {
        if (other->get_Key() == record->get_Key() || other->get_Action() == ActionTypeRemove)
            continue;
        if (other->get_ManagerID() == record->get_ManagerID() &&
            other->get_PrizeID() == record->get_PrizeID() &&
            (!weekly || other->get_Week() == record->get_Week()))
            return other;
    }
    return {};
}

std::string WinningsRules::DuplicateNotice(const ComPtr<IWinningInfo>& record) const {
    const auto manager = ManagerOf(record);
    const auto master = manager ? manager->get_ManagerTmpl() : nullptr;
    return "This is a duplicate record. Manager \"" +
           (master ? master->get_FirstName() : std::string()) + "\" already has Prize \"" +
           PrizeText(record) + "\" allocated. Record will be deleted.";
}

std::string WinningsRules::RecordErrors() const {
    std::string lines;
    int32_t failed = 0;
    if (!m_winnings) return lines;
    for (const auto& record : m_winnings->ItemsAs<IWinningInfo>()) {
        if (record->get_Action() == ActionTypeRemove) continue;
        const std::string prizeDesc = PrizeText(record);
        std::string managerName = reports::ManagerName(ManagerOf(record));
        std::string message;
        if (!HasManager(record) && !HasPrize(record))
            message = "Winning record needs prize and manager names.";
        else if (!HasPrize(record))
            message = "Manager: " + managerName + " needs prize name.";
        else if (!HasManager(record))
            message = "Prize: " + prizeDesc + " needs manager name.";
        else if (IsWeekly(PrizeOf(record)) && record->get_Week() == 0)
            message = "Prize:" + prizeDesc + " for " + managerName.append(" needs week number.");
        if (message.empty()) continue;
        if (failed > 0) lines += "\r\n";
        lines += std::to_string(++failed) + ". " + message;
    }
    return lines;
}

std::vector<RecoveredWinning> WinningsRules::UnsavedRows() const {
    std::vector<RecoveredWinning> rows;
    if (!m_winnings) return rows;
    for (const auto& record : m_winnings->ItemsAs<IWinningInfo>()) {
        const bool added = record->get_ID() == 0 && record->get_Action() == ActionTypeAdd;
        const bool deleted = record->get_ID() > 0 && record->get_Action() == ActionTypeRemove;
        if (!added && !deleted) continue;
        rows.push_back({record->get_ID(), IdOf(record->get_ManagerID()),
                        IdOf(record->get_PrizeID()), record->get_Week(),
                        reports::ManagerName(ManagerOf(record)), PrizeText(record)});
    }
    return rows;
}

}  // namespace gr::ui
