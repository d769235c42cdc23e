#include "PrizeKinds.h"

namespace gr::core {

PrizeKind PrizeKindOf(const ComPtr<IPrizeTypeInfo>& type) {
    if (!type) return PrizeKind::Other;
    switch (type->get_ID()) {
        case static_cast<int32_t>(PrizeKind::Season):
            return PrizeKind::Season;
        case static_cast<int32_t>(PrizeKind::Weekly):
            return PrizeKind::Weekly;
        default:
            return PrizeKind::Other;
    }
}

PrizeKind PrizeKindOf(const ComPtr<IPrizeInfo>& prize) {
    return PrizeKindOf(prize ? prize->get_PrizeType() : nullptr);
}

PrizeKind PrizeKindOf(const ComPtr<IPrizeTmplInfo>& prize) {
    return PrizeKindOf(prize ? prize->get_PrizeType() : nullptr);
}

}  // namespace gr::core
