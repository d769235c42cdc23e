#include "GRPickUtils.h"

#include <iterator>

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

PickedInfo ParsePickedInfo(std::string_view text) {
    std::string fields[3];
    size_t field = 0;
    for (const char c : text) {
        if (c == '\t') {
            if (++field == std::size(fields)) break;
        } else {
            fields[field] += c;
        }
    }
    return {fields[0], fields[1], fields[2]};
}

std::string AlreadyTookNotice(const PickedInfo& info) {
    return "Dude, " + info.manager + " already took " + info.pick + " in round #" + info.round +
           ".";
}

}  // namespace gr
