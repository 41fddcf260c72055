#pragma once

#include "settings/ini/normalize_key.h"

#include <cstddef>
#include <string>
#include <unordered_map>
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
        key = normalizeKey(std::move(key));
        const auto found = index.find(key);
        if (found != index.end()) {
            return entries[found->second].second;
        }
        const std::size_t position = entries.size();
        index.emplace(key, position);
        entries.emplace_back(std::move(key), Value{});
        return entries[position].second;
    }

    Value getCopy(std::string key) const {
        const auto found = index.find(normalizeKey(std::move(key)));
        if (found == index.end()) {
            return Value{};
        }
        return entries[found->second].second;
    }

    const_iterator begin() const { return entries.begin(); }
    const_iterator end() const { return entries.end(); }
    bool empty() const { return entries.empty(); }

  private:
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> index;
};
