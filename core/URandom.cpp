#include "core/URandom.h"

#include <chrono>

namespace zandor {

namespace {
TLinearRandom builtIn;
TRandomGenerator* current = &builtIn;
} // namespace

int TLinearRandom::Next(int n) {
    m_seed = m_seed * 0x08088405u + 1u;
    if (n <= 0)
        return 0;
    return static_cast<int>((static_cast<std::uint64_t>(m_seed) * static_cast<std::uint32_t>(n)) >>
                            32);
}

int Random(int n) {
    return current->Next(n);
}

void RandomizeFromClock() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    builtIn.Seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
    current = &builtIn;
}

void RandomSeed(std::uint32_t seed) {
    builtIn.Seed(seed);
    current = &builtIn;
}

TRandomGenerator* SetRandomGenerator(TRandomGenerator* generator) {
    TRandomGenerator* previous = current;
    current = generator ? generator : &builtIn;
    return previous;
}

} // namespace zandor
