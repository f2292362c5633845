// The game's single source of uniform random integers, injectable so a deal can be replayed.
#pragma once

#include <cstdint>
#include <random>

namespace velmo {

// Draws uniform integers in [0, Bound). Tests substitute a scripted source.
class TRandomSource {
  public:
    virtual ~TRandomSource() = default;
    virtual int32_t Draw(int32_t Bound) = 0;
};

// The default source: a Mersenne Twister seeded once, at construction, from a clock.
class TClockRandom final : public TRandomSource {
  public:
    TClockRandom();
    explicit TClockRandom(uint64_t Seed);
    int32_t Draw(int32_t Bound) override;

  private:
    std::mt19937_64 Engine;
};

}  // namespace velmo
