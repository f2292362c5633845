// The board: eighteen cards in 3 rows of 6, their layout on the paint area, hit-testing, the deal.
#pragma once

#include <array>
#include <cstdint>

#include "Random.h"

namespace velmo {

inline constexpr int32_t kRows = 3;
inline constexpr int32_t kColumns = 6;
inline constexpr int32_t kPairs = 9;
inline constexpr int32_t kCardWidth = 100;
inline constexpr int32_t kCardHeight = 160;
inline constexpr int32_t kPitchX = 110;  // card width plus gap
inline constexpr int32_t kPitchY = 170;  // card height plus gap
inline constexpr int32_t kHitInset = 4;

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// A board position: X is the column (0 to 5), Y the row (0 to 2); NoCard means none.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};
inline constexpr TPoint NoCard{-1, -1};

struct TCard {
    uint8_t Value = 0;  // 0: not dealt; 1 to 9: the face, also its image slot
    TRect Bounds;
    bool FaceUp = false;
    bool Matched = false;
};

// Hit test of one card: inside its bounds shrunk by kHitInset on every side, edges inclusive.
bool PointInCard(int32_t X, int32_t Y, const TCard& Card);

class TBoard {
  public:
    using TCards = std::array<std::array<TCard, kColumns>, kRows>;  // row by row

    // The card at a position; throws TRangeError outside the grid.
    TCard& At(TPoint Position);
    const TCard& At(TPoint Position) const;

    void LayoutCards(int32_t X0, int32_t Y0);
    void DealCards(TRandomSource& Random);
    void ClearCardFlags();
    void HideFaceUpCards();
    bool AllMatched() const;
    TPoint CardAt(int32_t X, int32_t Y) const;

    TCards Cards{};

  private:
    void ClearValues();
};

}  // namespace velmo
