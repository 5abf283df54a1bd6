// Keyed collection of byte strings; an absent key reads as the empty text.
#pragma once

#include <string>
#include <unordered_map>

#include "text.h"

namespace plat {

class Collection {
public:
    // A key added twice keeps its first value.
    void Add(const Bytes& value, const Bytes& key) { items_.emplace(key, value); }
    const Bytes& Item(const Bytes& key) const
    {
        static const Bytes empty;
        auto it = items_.find(key);
        return it == items_.end() ? empty : it->second;
    }
    bool Contains(const Bytes& key) const { return items_.count(key) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }

private:
    std::unordered_map<Bytes, Bytes> items_;
};

}  // namespace plat
