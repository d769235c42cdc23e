// The keyed collection that every list crossing a library boundary uses.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "ComObject.h"

namespace gr {

class ICollection : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("9E3B7C51-2A4D-4F0B-8C61-5D2E7A9B1C40");
};

// An ordered list of object references, indexed from 1, each item optionally stored
// under a unique text key. The collection is itself reference counted, so holders
// share one list rather than copies.
class Collection final : public ComObject<ICollection> {
  public:
    struct Entry {
        ComPtr<IUnknown> item;
        std::string key;  // empty when the item has no key
    };

    static ComPtr<Collection> Create();

    int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }

    // Adds at the end, or before/after the item at a 1-based position (give at most one).
    // Returns false, changing nothing, when the item is empty, the key is already in use
    // or the position does not exist.
    bool Add(const ComPtr<IUnknown>& item, const std::string& key = {}, int32_t before = 0,
             int32_t after = 0);
    template <class T>
    bool Add(const ComPtr<T>& item, const std::string& key = {}, int32_t before = 0,
             int32_t after = 0) {
        return Add(item.template As<IUnknown>(), key, before, after);
    }

    // Removes by 1-based position or by key; false when there is no such item.
    bool Remove(int32_t index);
    bool Remove(const std::string& key);
    void Clear();

    bool Contains(const std::string& key) const { return m_byKey.count(key) != 0; }

    // The item at a 1-based position or under a key; empty when there is none.
    ComPtr<IUnknown> Item(int32_t index) const;
    ComPtr<IUnknown> Item(const std::string& key) const;
    // The key stored with the item at a position (empty when none or out of range).
    std::string KeyAt(int32_t index) const;

    template <class T>
    ComPtr<T> ItemAs(int32_t index) const {
        return Item(index).template As<T>();
    }
    template <class T>
    ComPtr<T> ItemAs(const std::string& key) const {
        return Item(key).template As<T>();
    }
    // Every item that implements T, in order.
    template <class T>
    std::vector<ComPtr<T>> ItemsAs() const {
        std::vector<ComPtr<T>> out;
        out.reserve(m_entries.size());
        for (const auto& e : m_entries)
            if (auto p = e.item.template As<T>()) out.push_back(std::move(p));
        return out;
    }

    void Reserve(size_t n);
    std::vector<Entry>::const_iterator begin() const { return m_entries.begin(); }
    std::vector<Entry>::const_iterator end() const { return m_entries.end(); }

  private:
    Collection() = default;

    bool ValidPosition(int32_t index) const { return index >= 1 && index <= Count(); }
    size_t PositionOf(const IUnknown* item, const std::string& key) const;

    std::vector<Entry> m_entries;
    std::unordered_map<std::string, IUnknown*> m_byKey;
};

}  // namespace gr
