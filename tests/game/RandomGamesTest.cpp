// Plays thousands of seeded random games and checks the game's invariants after every event.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "game/Board.h"
#include "game/Game.h"
#include "tests/support/GameInvariants.h"

namespace velmo {
namespace {

constexpr int kGames = 3000;
constexpr int kRandomEvents = 600;
// Every attempt on pickable cards ends in a match (at most 9) or a miss (at most 7 + 9 chances),
// plus one reveal for abandoned cards; each costs at most 2 clicks and a reveal of 22 ticks.
constexpr int kFinishingEvents = (kPairs + kStartChances + kPairs + 1) * (2 + 22);

class TRandomPlayer {
  public:
    explicit TRandomPlayer(uint32_t Seed)
        : Engine(Seed), DealRandom(Seed), Game(Board, DealRandom) {
        Board.LayoutCards(10, 12);
    }

    testing::AssertionResult NewGame() {
        Game.NewGame();
        return Observer.GameStarted(Board, Game.State());
    }

    // One random event: a left press (often on the twin of the turned card, so that games get
    // far), a right press, a press in a gap or on an edge, a release, a tick or a new game; then
    // the invariants.
    testing::AssertionResult RandomEvent() {
        const int Kind = Uniform(0, 499);
        if (Kind == 0) {
            return NewGame();
        }
        if (Game.State().Revealing && Kind < 400) {
            Game.Tick();
        } else if (Kind < 150) {
            const TPoint At = CentreOf(ChosenCard());
            Game.Press(At.X, At.Y, true);
        } else if (Kind < 200) {
            const TPoint At = RandomPoint();
            Game.Press(At.X, At.Y, true);
        } else if (Kind < 260) {
            const TPoint At = RandomPoint();
            const bool WasRevealing = Game.State().Revealing;
            Game.Press(At.X, At.Y, false);
            StuckReveals += !WasRevealing && Game.State().Revealing ? 1 : 0;
        } else if (Kind < 480) {
            Game.Release();
        } else {
            Game.Tick();
        }
        return Observer.Observe(Board, Game.State());
    }

    // Picks pickable cards at random until the game ends; false if it is stuck or runs too long.
    testing::AssertionResult PlayToTheEnd() {
        for (int Event = 0; Event < kFinishingEvents && Game.State().Playing; ++Event) {
            if (Game.State().Revealing) {
                Game.Tick();
            } else {
                std::vector<TPoint> Pickable;
                for (int32_t Row = 0; Row < kRows; ++Row) {
                    for (int32_t Column = 0; Column < kColumns; ++Column) {
                        const TPoint Centre = CentreOf({Column, Row});
                        if (Game.CanPickAt(Centre.X, Centre.Y)) {
                            Pickable.push_back(Centre);
                        }
                    }
                }
                if (Pickable.empty()) {
                    return testing::AssertionFailure() << "dead end: no card can be picked";
                }
                const TPoint At = Pickable[static_cast<std::size_t>(
                    Uniform(0, static_cast<int>(Pickable.size()) - 1))];
                Game.Press(At.X, At.Y, true);
                Game.Release();
            }
            if (auto Result = Observer.Observe(Board, Game.State()); !Result) {
                return Result;
            }
        }
        if (Game.State().Playing) {
            return testing::AssertionFailure() << "still playing after " << kFinishingEvents;
        }
        return testing::AssertionSuccess();
    }

    const TGameState& State() const { return Game.State(); }

  private:
    int Uniform(int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(Engine); }

    // Three times in four the twin of the card turned in this attempt, otherwise any card.
    TPoint ChosenCard() {
        const TGameState& S = Game.State();
        if (S.TurnedCount == 1 && Uniform(0, 3) != 0) {
            const TPoint First = S.Picks[0];
            for (int32_t Row = 0; Row < kRows; ++Row) {
                for (int32_t Column = 0; Column < kColumns; ++Column) {
                    const TPoint Card{Column, Row};
                    if (Card != First && Board.At(Card).Value == Board.At(First).Value) {
                        return Card;
                    }
                }
            }
        }
        return {Uniform(0, kColumns - 1), Uniform(0, kRows - 1)};
    }

    static TPoint CentreOf(TPoint Card) {
        return {10 + Card.X * kPitchX + kCardWidth / 2, 12 + Card.Y * kPitchY + kCardHeight / 2};
    }

    // Card centres, the first and last sensitive pixels, the inset bands, gaps and points off
    // the board, so hits and near misses both come up often.
    TPoint RandomPoint() {
        const TPoint Card{Uniform(0, kColumns - 1), Uniform(0, kRows - 1)};
        const int32_t Left = 10 + Card.X * kPitchX;
        const int32_t Top = 12 + Card.Y * kPitchY;
        switch (Uniform(0, 4)) {
            case 0:
                return CentreOf(Card);
            case 1:
                return {Left + kHitInset, Top + kHitInset};
            case 2:
                return {Left + kCardWidth - kHitInset, Top + kCardHeight - kHitInset};
            case 3:
                return {Left + Uniform(0, kHitInset - 1), Top + Uniform(0, kCardHeight)};
            default:
                return {Uniform(-20, 700), Uniform(-20, 540)};
        }
    }

    std::mt19937 Engine;
    TBoard Board;
    TClockRandom DealRandom;
    TGame Game;
    test::TGameObserver Observer;

  public:
    int StuckReveals = 0;  // reveals started because too few cards were left to turn
};

TEST(RandomGames, KeepTheirInvariantsAndAlwaysReachAnEnd) {
    int StuckReveals = 0;
    int Won = 0;
    int Lost = 0;
    for (int Seed = 1; Seed <= kGames; ++Seed) {
        TRandomPlayer Player(static_cast<uint32_t>(Seed));
        ASSERT_TRUE(Player.NewGame()) << "seed " << Seed;
        for (int Event = 0; Event < kRandomEvents; ++Event) {
            ASSERT_TRUE(Player.RandomEvent()) << "seed " << Seed << ", event " << Event;
        }
        ASSERT_TRUE(Player.PlayToTheEnd()) << "seed " << Seed;
        StuckReveals += Player.StuckReveals;
        Won += Player.State().Won ? 1 : 0;
        Lost += Player.State().Lost ? 1 : 0;
    }
    // The mix of events must reach the cases it is here for.
    EXPECT_GT(StuckReveals, kGames / 100) << Won << " won, " << Lost << " lost";
    EXPECT_GT(Won, kGames / 10);
    EXPECT_GT(Lost, kGames / 10);
}

}  // namespace
}  // namespace velmo
