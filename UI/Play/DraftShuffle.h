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

// Shuffles positions 0 .. count - 1 with a generator seeded from seed: c x 100000 swaps.
std::vector<uint32_t> ShuffledOrder(uint32_t count, uint64_t seed);

// Shuffles items with a generator seeded from seed (a fresh generator for every shuffle). The
// positions are shuffled, then the items are put in their order once.
template <class T>
void ShuffleDraftOrder(std::vector<T>& items, uint64_t seed) {
    if (items.size() < 2) return;
    const std::vector<uint32_t> order = ShuffledOrder(static_cast<uint32_t>(items.size()), seed);
    std::vector<T> shuffled;
    shuffled.reserve(items.size());
    for (const uint32_t from : order) shuffled.push_back(std::move(items[from]));
    items = std::move(shuffled);
}

}  // namespace gr::ui
