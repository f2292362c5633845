// The invariant observer the random-game and soak tests rely on: it follows real play and
// flags each kind of broken state it is there to catch.
#include <functional>
#include <string>
#include <utility>

#include "GameTestSupport.h"
#include "tests/support/GameInvariants.h"

namespace velmo::test {
namespace {

class GameObserverTest : public TGameFixture {
  protected:
    // Dealt before the first game, as the window deals at start-up.
    void SetUp() override { Board.DealCards(Random); }

    // One pointer event on a card, observed.
    testing::AssertionResult PressOn(TPoint Card) {
        Game.Press(Centre(Card).X, Centre(Card).Y, true);
        return Observer.Observe(Board, State);
    }
    testing::AssertionResult Release() {
        Game.Release();
        return Observer.Observe(Board, State);
    }
    testing::AssertionResult ClickOn(TPoint Card) {
        if (auto Result = PressOn(Card); !Result) {
            return Result;
        }
        return Release();
    }

    TGameObserver Observer;
};

TEST_F(GameObserverTest, FollowsRealPlayCountingMissesAndMatches) {
    ASSERT_TRUE(Observer.Observe(Board, State));  // dealt, before the first game
    Game.NewGame();
    ASSERT_TRUE(Observer.GameStarted(Board, State));
    ASSERT_TRUE(ClickOn(CardOf(1, 0)));
    ASSERT_TRUE(ClickOn(CardOf(2, 0)));  // a miss
    for (uint32_t Tick = 0; Tick < kRevealTicks; ++Tick) {
        Game.Tick();
        ASSERT_TRUE(Observer.Observe(Board, State));
    }
    ASSERT_TRUE(ClickOn(CardOf(1, 0)));
    Game.Press(0, 0, false);  // a right press abandons the attempt
    ASSERT_TRUE(Observer.Observe(Board, State));
    ASSERT_TRUE(ClickOn(CardOf(3, 0)));
    ASSERT_TRUE(ClickOn(CardOf(3, 1)));  // a match
    EXPECT_EQ(Observer.Misses(), 1);
    EXPECT_EQ(Observer.Matches(), 1);
    EXPECT_EQ(State.Chances, 7);
}

// Where the broken state is fed: before any game, as a new game, or as the event after a
// fresh game or after its first card was turned.
enum class TMoment { BeforeFirstGame, NewGame, FreshGame, OneCardTurned };

struct TBrokenState {
    const char* Fault;
    TMoment Moment;
    std::function<void(TBoard&, TGameState&)> Break;
    const char* MessagePart;
};

void PrintTo(const TBrokenState& Case, std::ostream* Out) {
    *Out << Case.Fault;
}

TCard& CardAt(TBoard& Board, int32_t Value, int32_t Copy) {
    const int32_t Index = 2 * (Value - 1) + Copy;
    return Board.Cards[Index / kColumns][Index % kColumns];
}

const TBrokenState kBrokenStates[] = {
    {"a card turned before the first game", TMoment::BeforeFirstGame,
     [](TBoard& B, TGameState&) { CardAt(B, 1, 0).FaceUp = true; }, "before the first game"},
    {"a new game with six chances", TMoment::NewGame, [](TBoard&, TGameState& S) { S.Chances = 6; },
     "does not start fresh"},
    {"a miss that costs no chance", TMoment::OneCardTurned,
     [](TBoard& B, TGameState& S) {
         CardAt(B, 2, 0).FaceUp = true;
         S.TurnedCount = 0;
         S.Revealing = true;
     },
     "chances 7, expected 6"},
    {"a match that earns no chance", TMoment::OneCardTurned,
     [](TBoard& B, TGameState& S) {
         CardAt(B, 1, 1).FaceUp = true;
         CardAt(B, 1, 0).Matched = true;
         CardAt(B, 1, 1).Matched = true;
         S.TurnedCount = 0;
         S.Revealing = true;
     },
     "chances 7, expected 8"},
    {"a pair matched while its attempt is still open", TMoment::OneCardTurned,
     [](TBoard& B, TGameState& S) {
         CardAt(B, 1, 0).Matched = true;
         CardAt(B, 1, 1).Matched = true;
         S.Chances = 8;
     },
     "outside an evaluated pair"},
    {"two cards turned by one event", TMoment::FreshGame,
     [](TBoard& B, TGameState&) {
         CardAt(B, 1, 0).FaceUp = true;
         CardAt(B, 2, 0).FaceUp = true;
     },
     "turned 2 cards"},
    {"the deal changed during a game", TMoment::FreshGame,
     [](TBoard& B, TGameState&) { std::swap(CardAt(B, 1, 1).Value, CardAt(B, 2, 0).Value); },
     "the deal changed"},
    {"an attempt of two left unevaluated", TMoment::OneCardTurned,
     [](TBoard& B, TGameState& S) {
         CardAt(B, 2, 0).FaceUp = true;
         S.TurnedCount = 2;
     },
     "left unevaluated"},
    {"won and lost together", TMoment::FreshGame,
     [](TBoard&, TGameState& S) {
         S.Won = true;
         S.Lost = true;
         S.Playing = false;
     },
     "won and lost together"},
    {"a game won with cards still to find", TMoment::FreshGame,
     [](TBoard&, TGameState& S) {
         S.Won = true;
         S.Playing = false;
     },
     "does not match the board"},
    {"a lost game still played", TMoment::FreshGame, [](TBoard&, TGameState& S) { S.Lost = true; },
     "playing true won false lost true"},
};

class BrokenStateTest : public GameObserverTest,
                        public ::testing::WithParamInterface<TBrokenState> {};

TEST_P(BrokenStateTest, IsFlagged) {
    const TBrokenState& Case = GetParam();
    ASSERT_TRUE(Observer.Observe(Board, State));
    if (Case.Moment != TMoment::BeforeFirstGame) {
        Game.NewGame();
    }
    if (Case.Moment == TMoment::FreshGame || Case.Moment == TMoment::OneCardTurned) {
        ASSERT_TRUE(Observer.GameStarted(Board, State));
    }
    if (Case.Moment == TMoment::OneCardTurned) {
        ASSERT_TRUE(ClickOn(CardOf(1, 0)));
    }
    TBoard Broken = Board;
    TGameState BrokenState = State;
    Case.Break(Broken, BrokenState);
    const testing::AssertionResult Result = Case.Moment == TMoment::NewGame
                                                ? Observer.GameStarted(Broken, BrokenState)
                                                : Observer.Observe(Broken, BrokenState);
    ASSERT_FALSE(Result);
    EXPECT_NE(std::string(Result.message()).find(Case.MessagePart), std::string::npos)
        << Result.message();
}

INSTANTIATE_TEST_SUITE_P(Table, BrokenStateTest, ::testing::ValuesIn(kBrokenStates));

TEST_F(GameObserverTest, FlagsTheDeadEndOfTooFewCardsLeftToTurn) {
    Game.NewGame();
    ASSERT_TRUE(Observer.GameStarted(Board, State));
    // Cards left face up one event at a time, as abandoned attempts would, with no reveal.
    TBoard Stuck = Board;
    testing::AssertionResult Result = testing::AssertionSuccess();
    int Turned = 0;
    for (auto& Row : Stuck.Cards) {
        for (TCard& Card : Row) {
            Card.FaceUp = true;
            ++Turned;
            Result = Observer.Observe(Stuck, State);
            if (!Result) {
                break;
            }
        }
        if (!Result) {
            break;
        }
    }
    ASSERT_FALSE(Result);
    EXPECT_EQ(Turned, kRows * kColumns - 1);  // one card left, two needed
    EXPECT_NE(std::string(Result.message()).find("dead end"), std::string::npos);
}

}  // namespace
}  // namespace velmo::test
