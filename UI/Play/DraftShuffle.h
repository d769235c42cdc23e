// The random draft order: an array is stirred with c x 100000 swaps, where c is its length.
// Position j walks through the array cyclically from the second element while the partner k is
// drawn uniformly, so every element is swapped many times whatever the generator's seed.
#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace gr::ui {

inline constexpr int64_t kSwapsPerElement = 100000;

// A uniform value in [0, 1): the top 53 bits of one draw, so 1 itself can never come out.
inline double UniformUnit(std::mt19937_64& generator) {
    return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

// Shuffles items with a generator seeded from seed (a fresh generator for every shuffle).
template <class T>
void ShuffleDraftOrder(std::vector<T>& items, uint64_t seed) {
    const auto count = static_cast<int64_t>(items.size());
    if (count < 2) return;
    std::mt19937_64 generator(seed);
    const double scale = static_cast<double>(count);
    for (int64_t i = 1; i <= count * kSwapsPerElement; ++i) {
        const int64_t j = i % count;
        auto k = static_cast<int64_t>(UniformUnit(generator) * scale);
        if (k >= count) k = count - 1;
        std::swap(items[static_cast<size_t>(k)], items[static_cast<size_t>(j)]);
    }
}

}  // namespace gr::ui
