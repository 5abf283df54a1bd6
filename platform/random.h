// The program's random source. Unseeded it starts from the system's entropy.
#pragma once

#include <cstdint>
#include <random>

namespace plat {

class Random {
public:
    Random() : gen_(std::random_device{}()) {}
    explicit Random(uint32_t seed) : gen_(seed) {}
    void Seed(uint32_t seed) { gen_.seed(seed); }
    // A whole number from a to b, both included.
    int InRange(int a, int b)
    {
        if (b < a) return a;
        return std::uniform_int_distribution<int>(a, b)(gen_);
    }

private:
    std::mt19937 gen_;
};

}  // namespace plat
