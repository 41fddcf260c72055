#pragma once

#include "settings/ini/normalize_key.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A map from normalised keys to values that walks in the order of first insertion.
// The index holds positions rather than addresses, so copies and reallocation need
// no fix-up.
template <typename Value> class OrderedKeyMap {
  public:
    using Entry = std::pair<std::string, Value>;
    using const_iterator = typename std::vector<Entry>::const_iterator;

    // The reference lives until the next insertion into this map.
    Value& getOrInsert(std::string key) {
        normalizeKeyInPlace(key);
        if (2 * (entries.size() + 1) > index.size()) {
            growIndex();
        }
        std::size_t& slot = index[slotFor(key)];
        if (slot == freeSlot) {
            entries.emplace_back(std::move(key), Value{});
            slot = entries.size();
        }
        return entries[slot - 1].second;
    }

    Value getCopy(std::string key) const {
        if (index.empty()) {
            return Value{};
        }
        normalizeKeyInPlace(key);
        const std::size_t slot = index[slotFor(key)];
        return slot == freeSlot ? Value{} : entries[slot - 1].second;
    }

    const_iterator begin() const { return entries.begin(); }
    const_iterator end() const { return entries.end(); }
    bool empty() const { return entries.empty(); }

  private:
    static constexpr std::size_t freeSlot = 0;
    static constexpr std::size_t initialRoom = 8;

    // Where key's search ends: its own slot, or the free one where it belongs.
    std::size_t slotFor(const std::string& key) const {
        const std::size_t mask = index.size() - 1;
        const std::size_t hash = std::hash<std::string>{}(key);
        std::size_t slot = hash & mask;
        while (index[slot] != freeSlot && entries[index[slot] - 1].first != key) {
            slot = (slot + 1) & mask;
        }
        return slot;
    }

    // Keeps at least half the slots free, so that searches stay short. The table
    // starts with room for the few keys a settings section usually holds, since
    // rehashing as it doubled up from two slots would cost more than the slots
    // do. The entries start with none: a file of many small sections would
    // otherwise be held mostly as empty room.
    void growIndex() {
        index.assign(std::max<std::size_t>(2 * initialRoom, 2 * index.size()), freeSlot);
        for (std::size_t position = 0; position < entries.size(); ++position) {
            index[slotFor(entries[position].first)] = position + 1;
        }
    }

    std::vector<Entry> entries;
    // An open-addressing hash table over the keys in entries: each used slot
    // holds an entry's position plus one, so a key is stored once and adding one
    // allocates nothing but the table's occasional doubling.
    std::vector<std::size_t> index;
};
