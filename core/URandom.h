// The one process-wide random generator of the program: seeded from the clock at start,
// replaceable by tests so that shuffles and die rolls give known outcomes.
#pragma once

#include <cstdint>

namespace zandor {

class TRandomGenerator {
public:
    virtual ~TRandomGenerator() = default;
    // An integer in 0..n-1; 0 when n <= 0.
    virtual int Next(int n) = 0;
};

// A 32-bit linear congruential generator; Next(n) takes the high part of seed * n, so every
// value of 0..n-1 is reached and a given seed always gives the same sequence.
class TLinearRandom final : public TRandomGenerator {
public:
    explicit TLinearRandom(std::uint32_t seed = 0) : m_seed(seed) {}
    void Seed(std::uint32_t seed) { m_seed = seed; }
    std::uint32_t CurrentSeed() const { return m_seed; }
    int Next(int n) override;

private:
    std::uint32_t m_seed;
};

// random(n) of the process-wide generator: 0..n-1.
int Random(int n);
// Seeds the built-in generator from the clock and makes it current.
void RandomizeFromClock();
// Seeds the built-in generator with a known value and makes it current.
void RandomSeed(std::uint32_t seed);
// Makes another generator current (nullptr restores the built-in one); returns the old one.
TRandomGenerator* SetRandomGenerator(TRandomGenerator* generator);

} // namespace zandor
