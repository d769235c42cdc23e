#include "DraftShuffle.h"

namespace gr::ui {

std::vector<uint32_t> ShuffledOrder(uint32_t count, uint64_t seed) {
    std::vector<uint32_t> order(count);
    for (uint32_t i = 0; i < count; ++i) order[i] = i;
    if (count < 2) return order;
    std::mt19937_64 generator(seed);
    const double scale = static_cast<double>(count);
    const int64_t swaps = static_cast<int64_t>(count) * kSwapsPerElement;
    // j walks cyclically from the second position: (i mod c) for i = 1, 2, ...
    uint32_t j = 1 % count;
    for (int64_t i = 1; i <= swaps; ++i) {
        auto k = static_cast<uint32_t>(UniformUnit(generator) * scale);
        if (k >= count) k = count - 1;
        std::swap(order[k], order[j]);
        if (++j == count) j = 0;
    }
    return order;
}

}  // namespace gr::ui
