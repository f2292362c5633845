// Follows a game from the states it goes through and checks the rules' invariants after each event.
#pragma once

#include <gtest/gtest.h>

#include "game/Board.h"
#include "game/Game.h"

namespace velmo::test {

// Fed the board and the game state after every event, in order, the observer sees each attempt
// evaluated from the cards it turned and matched, independently of the chances the game keeps,
// and checks what must hold at every moment: each value on two cards, chances = 7 + pairs
// matched - misses, a consistent end, no attempt of two left unevaluated, no dead end.
class TGameObserver {
  public:
    // After a new game: the state must be a fresh game, and the counts of that game start again.
    testing::AssertionResult GameStarted(const TBoard& Board, const TGameState& State);
    // After any other event (press, release, tick, set change, nothing at all). Before the first
    // game the board must stay as dealt and nothing may be played.
    testing::AssertionResult Observe(const TBoard& Board, const TGameState& State);

    bool InGame() const { return Started; }
    int Matches() const { return GameMatches; }
    int Misses() const { return GameMisses; }

  private:
    testing::AssertionResult FollowAttempt(const TBoard& Board, const TGameState& State);
    testing::AssertionResult CheckState(const TBoard& Board, const TGameState& State) const;
    void Remember(const TBoard& Board, const TGameState& State);

    bool Started = false;
    bool Seen = false;  // Previous and PreviousState hold the last observed event
    TBoard Previous;
    TGameState PreviousState;
    int GameMatches = 0;
    int GameMisses = 0;
};

}  // namespace velmo::test
