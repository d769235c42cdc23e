#include "GRPickUtils.h"

namespace gr {

std::optional<DraftSlot> GetDraftSlot(int32_t pickNo, int32_t noOfManagers) {
    if (noOfManagers < 1 || pickNo < 1) return std::nullopt;
    DraftSlot slot;
    slot.round = (pickNo - 1) / noOfManagers + 1;
    slot.place = (pickNo - 1) % noOfManagers + 1;
    slot.managerRank = (slot.round % 2 == 1) ? slot.place : noOfManagers + 1 - slot.place;
    return slot;
}

int32_t RoundOfPick(int32_t pickNo, int32_t noOfManagers) {
    if (noOfManagers < 1) return 0;
    return (pickNo - 1) / noOfManagers + 1;
}

}  // namespace gr
