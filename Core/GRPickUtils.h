// Pick arithmetic of the snake draft: the data service stores picks by it, the draft board
// places them by it and gridora-admin numbers their rounds by it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gr {

struct DraftSlot {
    int32_t round = 0;        // from 1
    int32_t place = 0;        // place within the round, from 1
    int32_t managerRank = 0;  // draft rank of the manager who makes the pick
};

// Snake order: ranks 1..n pick in odd rounds, n..1 in even rounds. Nothing when
// there are no managers or the pick number is below 1.
std::optional<DraftSlot> GetDraftSlot(int32_t pickNo, int32_t noOfManagers);

// The round of a pick number among n managers (0 when n is below 1).
int32_t RoundOfPick(int32_t pickNo, int32_t noOfManagers);

// What a season tells of a pick already made (IsPickableTaken): round, manager and pick name,
// separated by tabs.
struct PickedInfo {
    std::string round;
    std::string manager;
    std::string pick;
};
// Missing fields read as empty text.
PickedInfo ParsePickedInfo(std::string_view text);

// The refusal of a pick another manager holds: "Dude, <manager> already took <pick> in round
// #<round>."
std::string AlreadyTookNotice(const PickedInfo& info);

}  // namespace gr
