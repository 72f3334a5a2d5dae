#pragma once

#include <cstddef>
#include <cstdint>

// SplitMix64: the same stream on every compiler and library, which the standard distributions
// do not promise; a seed must give the same college everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, bound).
    std::uint32_t below(std::uint32_t bound) {
        return std::uint32_t(((next() >> 32) * bound) >> 32);
    }

    bool percent(int chance) { return below(100) < std::uint32_t(chance); }

    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }

private:
    std::uint64_t m_state;
};
