#include "RankingRules.h"

#include <algorithm>

#include "DraftShuffle.h"
#include "RecordKeys.h"
#include "SeasonLists.h"

namespace gr::ui {

void RankingRules::Load(const ComPtr<ISeasonInfo>& season) {
    m_season = season;
    if (season) m_managerCount = season->get_NoOfManagers();
    if (!season || m_managerCount < 1) {
        // A season without managers shows the header alone.
        m_managerCount = season ? std::max(m_managerCount, 0) : 0;
        m_ranks.assign(static_cast<size_t>(m_managerCount), 0);
        m_displayList = nullptr;
        return;
    }
    m_ranks.assign(static_cast<size_t>(m_managerCount), 0);
    const bool byName = !season->get_IsRankingLocked() && core::IsDraftEmpty(season);
    m_displayList = core::SortManagers(season->get_Managers(), byName ? SortByName : SortByRank);
    for (int32_t i = 1; i <= std::min(Listed(), m_managerCount); ++i)
        m_ranks[static_cast<size_t>(i - 1)] = std::max(ManagerAt(i)->get_Rank(), 0);
}

int32_t RankingRules::Listed() const {
    return m_displayList ? m_displayList->Count() : 0;
}

ComPtr<IManagerInfo> RankingRules::ManagerAt(int32_t position) const {
    if (position < 1 || position > Listed()) return {};
    return m_displayList->ItemAs<IManagerInfo>(position);
}

std::string RankingRules::ManagerLabel(int32_t position) const {
    const ComPtr<IManagerInfo> manager = ManagerAt(position);
    if (!manager) return "XYZ";
    return manager->get_FirstName() + " [" + std::to_string(manager->get_ID()) + "]";
}

int32_t RankingRules::RankShown(int32_t position) const {
    if (position < 1 || position > static_cast<int32_t>(m_ranks.size())) return position;
    const int32_t rank = m_ranks[static_cast<size_t>(position - 1)];
    return rank > 0 ? rank : position;
}

RankingCommands RankingRules::Commands() const {
    const bool locked = m_season && m_season->get_IsRankingLocked();
    const bool usable = m_managerCount > 0 && !locked && Listed() >= m_managerCount;
    const bool allRanked =
        std::none_of(m_ranks.begin(), m_ranks.end(), [](int32_t r) { return r == 0; });
    return {usable, usable && allRanked, usable && allRanked};
}

bool RankingRules::HasDrafts() const {
    return !core::IsDraftEmpty(m_season);
}

void RankingRules::Reset() {
    std::fill(m_ranks.begin(), m_ranks.end(), 0);
    m_displayList = core::SortManagers(m_season ? m_season->get_Managers() : nullptr, SortByName);
}

// The managers and the ranks are shuffled separately, so the manager that ends at a position
// takes the rank that ends there.
void RankingRules::Shuffle(uint64_t managerSeed, uint64_t rankSeed) {
    Reset();
    m_changed = true;
    for (size_t i = 0; i < m_ranks.size(); ++i) m_ranks[i] = static_cast<int32_t>(i + 1);
    if (!m_displayList) return;
    std::vector<ComPtr<IManagerInfo>> managers = m_displayList->ItemsAs<IManagerInfo>();
    ShuffleDraftOrder(managers, managerSeed);
    while (m_displayList->Count() > 0) m_displayList->Remove(m_displayList->Count());
    for (const ComPtr<IManagerInfo>& manager : managers)
        m_displayList->Add(manager, core::RecordKey(manager->get_ID()));
    ShuffleDraftOrder(m_ranks, rankSeed);
}

void RankingRules::AssignRanks() {
    for (int32_t i = 1; i <= std::min(Listed(), m_managerCount); ++i)
        ManagerAt(i)->let_Rank(m_ranks[static_cast<size_t>(i - 1)]);
}

}  // namespace gr::ui
