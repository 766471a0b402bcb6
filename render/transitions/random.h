#pragma once

// The one random source of the effects: SplitMix64, used only while a run is prepared, and
// a stateless hash for per-cell noise. The standard library's distributions are avoided
// because their results differ between implementations.

#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace vistarel::render::transitions {

inline std::uint64_t mixBits(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline double unitFromBits(std::uint64_t bits)
{
    return double(bits >> 11) * 0x1.0p-53;
}

class SplitMix64
{
public:
    explicit SplitMix64(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t next()
    {
        m_state += 0x9E3779B97F4A7C15ull;
        return mixBits(m_state);
    }
    // Uniform in [0, 1).
    double uniform() { return unitFromBits(next()); }
    std::uint64_t below(std::uint64_t n) { return next() % n; }
    bool bit() { return (next() >> 63) != 0; }
    // A Fisher-Yates permutation of 0..n-1.
    std::vector<int> permutation(int n)
    {
        std::vector<int> p(std::size_t(n > 0 ? n : 0));
        std::iota(p.begin(), p.end(), 0);
        for (int i = n - 1; i >= 1; --i)
            std::swap(p[std::size_t(i)], p[std::size_t(below(std::uint64_t(i) + 1))]);
        return p;
    }

private:
    std::uint64_t m_state;
};

// Uniform [0, 1) noise of cell (i, j), the same for every frame of a run.
inline double cellNoise(std::uint64_t seed, std::uint32_t i, std::uint32_t j)
{
    return unitFromBits(mixBits(seed ^ mixBits((std::uint64_t(j) << 32) | i)));
}

} // namespace vistarel::render::transitions
