// Fixed tables: one dimension, elements 0..N, created empty and never resized.
// An index outside 0..N never touches memory outside the table: reads give an
// empty element and writes go to a scratch element; both are counted.
#pragma once

#include <cstdint>
#include <memory>

namespace quil2a {

template <class T>
class Table {
public:
    explicit Table(int32_t upperBound)
        : n_(static_cast<size_t>(upperBound) + 1), items_(std::make_unique<T[]>(n_))
    {
    }

    int32_t ubound() const { return static_cast<int32_t>(n_) - 1; }
    bool valid(int64_t i) const { return i >= 0 && i <= ubound(); }

    T& operator[](int64_t i)
    {
        if (valid(i)) return items_[static_cast<size_t>(i)];
        ++outside_;
        scratch_ = T{};
        return scratch_;
    }
    const T& operator[](int64_t i) const
    {
        if (valid(i)) return items_[static_cast<size_t>(i)];
        ++outside_;
        static const T empty{};
        return empty;
    }

    // How often an index outside 0..N was asked for.
    int64_t outsideCount() const { return outside_; }

    T* begin() { return items_.get(); }
    T* end() { return items_.get() + n_; }

private:
    size_t n_;
    std::unique_ptr<T[]> items_;
    T scratch_{};
    mutable int64_t outside_ = 0;
};

}  // namespace quil2a
