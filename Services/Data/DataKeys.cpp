#include "DataKeys.h"

namespace gr::data {

std::string PickKey(IPickable* pick) {
    if (!pick) return {};
    std::string id = std::to_string(pick->get_PickID());
    switch (pick->get_PickType()) {
        case PickedPlayer:
            return "P" + id;
        case PickedTeam:
            return "T" + id;
        case PickedManager:
        case PickedPrize:
            return RecordKey(pick->get_PickID());
        case PickedPosition:
            return id;
        case PickedNone:
            break;
    }
    return {};
}

}  // namespace gr::data
