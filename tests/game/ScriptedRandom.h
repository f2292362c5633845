// A random source that plays back a fixed list of draws and records the bound of each request.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <vector>

#include "game/Random.h"

namespace velmo::test {

class TScriptedRandom final : public TRandomSource {
  public:
    explicit TScriptedRandom(std::vector<int32_t> Draws) : Draws(std::move(Draws)) {}

    int32_t Draw(int32_t Bound) override {
        if (Next >= Draws.size()) {
            throw std::logic_error("scripted random source ran out of draws");
        }
        Bounds.push_back(Bound);
        return Draws[Next++];
    }

    std::size_t Used() const { return Next; }
    std::vector<int32_t> Bounds;  // the bound passed to each draw, in order

  private:
    std::vector<int32_t> Draws;
    std::size_t Next = 0;
};

// Draws (column, row) that deal the board row by row: value v on the cards 2v−2 and 2v−1
// counted row by row, that is pairs side by side: 1 1 2 2 3 3 / 4 4 5 5 6 6 / 7 7 8 8 9 9.
inline std::vector<int32_t> RowByRowDeal() {
    std::vector<int32_t> Draws;
    for (int32_t Index = 0; Index < 18; ++Index) {
        Draws.push_back(Index % 6);
        Draws.push_back(Index / 6);
    }
    return Draws;
}

}  // namespace velmo::test
