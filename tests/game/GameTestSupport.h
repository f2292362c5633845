// A laid-out board dealt in a known order, a game on it, and pointer helpers for the turn tests.
#pragma once

#include <gtest/gtest.h>

#include "ScriptedRandom.h"
#include "game/Board.h"
#include "game/Game.h"

namespace velmo::test {

// Enough draws for a few new games, each dealing the pairs side by side, row by row.
inline std::vector<int32_t> SeveralRowByRowDeals() {
    std::vector<int32_t> Draws;
    for (int Deal = 0; Deal < 4; ++Deal) {
        const std::vector<int32_t> One = RowByRowDeal();
        Draws.insert(Draws.end(), One.begin(), One.end());
    }
    return Draws;
}

class TGameFixture : public testing::Test {
  protected:
    TGameFixture() : Random(SeveralRowByRowDeals()), Game(Board, Random) {
        Board.LayoutCards(10, 12);
    }

    // The card showing Value (1 to 9); Copy 0 is the left one of the pair, 1 the right one.
    static TPoint CardOf(int32_t Value, int32_t Copy) {
        const int32_t Index = 2 * (Value - 1) + Copy;
        return {Index % kColumns, Index / kColumns};
    }
    static TPoint Centre(TPoint Card) {
        return {10 + Card.X * kPitchX + kCardWidth / 2, 12 + Card.Y * kPitchY + kCardHeight / 2};
    }

    void Click(TPoint Card) {
        const TPoint At = Centre(Card);
        Game.Press(At.X, At.Y, true);
        Game.Release();
    }
    void RightPress() { Game.Press(Centre({0, 0}).X, Centre({0, 0}).Y, false); }
    void Ticks(uint32_t Count) {
        for (uint32_t Index = 0; Index < Count; ++Index) {
            Game.Tick();
        }
    }
    void Attempt(TPoint First, TPoint Second) {
        Click(First);
        Click(Second);
        Ticks(kRevealTicks);
    }
    void MatchPair(int32_t Value) { Attempt(CardOf(Value, 0), CardOf(Value, 1)); }
    bool CanPick(TPoint Card) const { return Game.CanPickAt(Centre(Card).X, Centre(Card).Y); }
    int FaceUpCount() const {
        int Count = 0;
        for (const auto& Row : Board.Cards) {
            for (const TCard& Card : Row) {
                Count += Card.FaceUp ? 1 : 0;
            }
        }
        return Count;
    }

    TBoard Board;
    TScriptedRandom Random;
    TGame Game;
    const TGameState& State = Game.State();
};

}  // namespace velmo::test
