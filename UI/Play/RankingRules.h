// The manager ranking's rules, free of widgets: which managers the table lists in which order
// with which rank, which commands are open, clearing and shuffling, and what a store writes
// into the managers. The window asks the user and calls the data service around them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "GRIData.h"

namespace gr::ui {

struct RankingCommands {
    bool shuffle = false;
    bool clear = false;
    bool save = false;
};

class RankingRules {
  public:
    // The activation: the season's manager count, and its managers by name while the ranking
    // is open and nothing is drafted, else by rank, each with its stored rank.
    void Load(const ComPtr<ISeasonInfo>& season);

    int32_t ManagerCount() const { return m_managerCount; }
    ComPtr<Collection> DisplayList() const { return m_displayList; }
    // Entry i - 1 is the rank at display position i; 0: not ranked.
    const std::vector<int32_t>& Ranks() const { return m_ranks; }
    // The table's row at a position (from 1): "<first name> [<id>]" ("XYZ" where the list
    // has no manager) and the rank, or the position while it is not ranked.
    std::string ManagerLabel(int32_t position) const;
    int32_t RankShown(int32_t position) const;

    RankingCommands Commands() const;
    // A player or team is drafted: a reset deletes the drafts, so the user is asked first.
    bool HasDrafts() const;

    // Clears every rank and lists the managers by name.
    void Reset();
    // Resets, ranks 1..n, then shuffles the managers and the ranks, each with its own seed.
    void Shuffle(uint64_t managerSeed, uint64_t rankSeed);
    // The store step: each listed manager takes the rank shown beside it.
    void AssignRanks();

    // A shuffle or clear not locked yet; leaving the window stores it unlocked.
    bool IsChanged() const { return m_changed; }
    // Clear and Shuffle set it (Clear also when the user kept the drafts); Save & Lock clears.
    void MarkChanged() { m_changed = true; }
    void Locked() { m_changed = false; }

  private:
    ComPtr<IManagerInfo> ManagerAt(int32_t position) const;
    int32_t Listed() const;

    ComPtr<ISeasonInfo> m_season;
    int32_t m_managerCount = 0;
    ComPtr<Collection> m_displayList;
    std::vector<int32_t> m_ranks;
    bool m_changed = false;
};

}  // namespace gr::ui
