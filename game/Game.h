// The turn rules: a game's chances, its two-card attempts, its end and the timed reveal.
#pragma once

#include <array>
#include <cstdint>

#include "Board.h"
#include "Random.h"

namespace velmo {

inline constexpr int32_t kStartChances = 7;
inline constexpr uint32_t kRevealTicks = 22;

struct TGameState {
    bool Playing = false;
    int32_t Chances = 0;
    bool Won = false;
    bool Lost = false;
    bool Revealing = false;
    uint32_t RevealTicks = 0;
    TPoint PendingPick{0, 0};
    uint8_t TurnedCount = 0;
    std::array<TPoint, 2> Picks{};
};

// One game on one board. The owner (the window) keeps the board, the random source and this
// object alive together; the game reads and changes the board through the reference.
class TGame {
  public:
    TGame(TBoard& Board, TRandomSource& Random);

    void NewGame();
    void Press(int32_t X, int32_t Y, bool LeftDown);
    void Release();
    void Tick();
    bool CanPickAt(int32_t X, int32_t Y) const;
    bool InputBlocked() const;

    const TGameState& State() const { return GameState; }

  private:
    void EvaluateAttempt();
    void ClearAttempt();
    void StartRevealIfStuck();
    int32_t PickableCount() const;

    TBoard& Board;
    TRandomSource& Random;
    TGameState GameState;
};

}  // namespace velmo
