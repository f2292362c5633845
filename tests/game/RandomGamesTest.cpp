// Plays thousands of seeded random games and checks the game's invariants after every event.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "game/Board.h"
#include "game/Game.h"

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

    void NewGame() {
        Game.NewGame();
        Misses = 0;
    }

    // One random event: a left press (often on the twin of the turned card, so that games get
    // far), a right press, a press in a gap or on an edge, a release, a tick or a new game.
    void RandomEvent() {
        const int Kind = Uniform(0, 499);
        if (Kind == 0) {
            NewGame();
        } else if (Game.State().Revealing && Kind < 400) {
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
            Release();
        } else {
            Game.Tick();
        }
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
                Release();
            }
            if (auto Result = CheckInvariants(); !Result) {
                return Result;
            }
        }
        if (Game.State().Playing) {
            return testing::AssertionFailure() << "still playing after " << kFinishingEvents;
        }
        return testing::AssertionSuccess();
    }

    const TGameState& State() const { return Game.State(); }

    testing::AssertionResult CheckInvariants() const {
        const TGameState& S = Game.State();
        std::array<int, 256> Counts{};
        int MatchedCards = 0;
        int Pickable = 0;
        for (const auto& Row : Board.Cards) {
            for (const TCard& Card : Row) {
                ++Counts[Card.Value];
                MatchedCards += Card.Matched ? 1 : 0;
                Pickable += !Card.FaceUp && !Card.Matched ? 1 : 0;
            }
        }
        for (int Value = 1; Value <= kPairs; ++Value) {
            if (Counts[Value] != 2) {
                return testing::AssertionFailure() << "value " << Value << " on " << Counts[Value];
            }
        }
        const int Expected = kStartChances + MatchedCards / 2 - Misses;
        if (S.Chances != Expected) {
            return testing::AssertionFailure()
                   << "chances " << S.Chances << ", expected " << Expected;
        }
        if (S.Won && S.Lost) {
            return testing::AssertionFailure() << "won and lost together";
        }
        if (S.Playing == (S.Won || S.Lost)) {
            return testing::AssertionFailure()
                   << "playing " << S.Playing << " won " << S.Won << " lost " << S.Lost;
        }
        if (S.Won != Board.AllMatched() || S.Lost != (S.Chances == 0)) {
            return testing::AssertionFailure() << "the end does not match the board or chances";
        }
        if (S.TurnedCount > 1) {
            return testing::AssertionFailure() << "an attempt of two was left unevaluated";
        }
        if (S.Playing && !S.Revealing && Pickable < 2 - S.TurnedCount) {
            return testing::AssertionFailure() << "dead end: " << Pickable << " cards to turn, "
                                               << 2 - S.TurnedCount << " needed";
        }
        return testing::AssertionSuccess();
    }

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

    // A release evaluates when it turns the second card of an attempt; a miss is such an
    // evaluation that found no pair.
    void Release() {
        const TGameState& S = Game.State();
        bool Evaluates = false;
        if (!Game.InputBlocked() && S.TurnedCount == 1 && S.PendingPick != NoCard) {
            const TCard& Card = Board.At(S.PendingPick);
            Evaluates = !Card.FaceUp && !Card.Matched;
        }
        const int32_t MatchedBefore = MatchedCount();
        Game.Release();
        if (Evaluates && MatchedCount() == MatchedBefore) {
            ++Misses;
        }
    }

    int32_t MatchedCount() const {
        int32_t Count = 0;
        for (const auto& Row : Board.Cards) {
            for (const TCard& Card : Row) {
                Count += Card.Matched ? 1 : 0;
            }
        }
        return Count;
    }

    std::mt19937 Engine;
    TBoard Board;
    TClockRandom DealRandom;
    TGame Game;
    int Misses = 0;

  public:
    int StuckReveals = 0;  // reveals started because too few cards were left to turn
};

TEST(RandomGames, KeepTheirInvariantsAndAlwaysReachAnEnd) {
    int StuckReveals = 0;
    int Won = 0;
    int Lost = 0;
    for (int Seed = 1; Seed <= kGames; ++Seed) {
        TRandomPlayer Player(static_cast<uint32_t>(Seed));
        Player.NewGame();
        for (int Event = 0; Event < kRandomEvents; ++Event) {
            Player.RandomEvent();
            ASSERT_TRUE(Player.CheckInvariants()) << "seed " << Seed << ", event " << Event;
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
