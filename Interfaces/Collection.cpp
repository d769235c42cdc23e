#include "Collection.h"

namespace gr {

ComPtr<Collection> Collection::Create() {
    return ComPtr<Collection>(new Collection());
}

bool Collection::Add(const ComPtr<IUnknown>& item, const std::string& key, int32_t before,
                     int32_t after) {
    if (!item) return false;
    if (before != 0 && after != 0) return false;
    if (before != 0 && !ValidPosition(before)) return false;
    if (after != 0 && !ValidPosition(after)) return false;
    if (!key.empty() && Contains(key)) return false;

    auto where = m_entries.end();
    if (before != 0) where = m_entries.begin() + (before - 1);
    if (after != 0) where = m_entries.begin() + after;
    m_entries.insert(where, Entry{item, key});
    if (!key.empty()) m_byKey.emplace(key, item.get());
    return true;
}

bool Collection::Remove(int32_t index) {
    if (!ValidPosition(index)) return false;
    auto it = m_entries.begin() + (index - 1);
    if (!it->key.empty()) m_byKey.erase(it->key);
    m_entries.erase(it);
    return true;
}

bool Collection::Remove(const std::string& key) {
    auto found = m_byKey.find(key);
    if (found == m_byKey.end()) return false;
    const size_t pos = PositionOf(found->second, key);
    m_byKey.erase(found);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(pos));
    return true;
}

void Collection::Clear() {
    m_byKey.clear();
    m_entries.clear();
}

ComPtr<IUnknown> Collection::Item(int32_t index) const {
    if (!ValidPosition(index)) return {};
    return m_entries[static_cast<size_t>(index - 1)].item;
}

ComPtr<IUnknown> Collection::Item(const std::string& key) const {
    auto found = m_byKey.find(key);
    if (found == m_byKey.end()) return {};
    return ComPtr<IUnknown>(found->second);
}

std::string Collection::KeyAt(int32_t index) const {
    if (!ValidPosition(index)) return {};
    return m_entries[static_cast<size_t>(index - 1)].key;
}

void Collection::Reserve(size_t n) {
    m_entries.reserve(n);
    m_byKey.reserve(n);
}

size_t Collection::PositionOf(const IUnknown* item, const std::string& key) const {
    // Keys are unique, so the first entry holding this key is the one.
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].item.get() == item && m_entries[i].key == key) return i;
    return m_entries.size();
}

}  // namespace gr
