// The default random source: uniform integers from a Mersenne Twister seeded from a clock.
#include "Random.h"

#include <chrono>
#include <string>

#include "Errors.h"

namespace velmo {

namespace {

uint64_t ClockSeed() {
    return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

TClockRandom::TClockRandom() : TClockRandom(ClockSeed()) {}

TClockRandom::TClockRandom(uint64_t Seed) : Engine(Seed) {}

int32_t TClockRandom::Draw(int32_t Bound) {
    if (Bound <= 0) {
        throw TRangeError("Borne de tirage invalide : " + std::to_string(Bound));
    }
    std::uniform_int_distribution<int32_t> Distribution(0, Bound - 1);
    return Distribution(Engine);
}

}  // namespace velmo
