// Counts evaluated attempts from successive states and checks a game's invariants against them.
#include "tests/support/GameInvariants.h"

#include <array>

namespace velmo::test {
namespace {

constexpr int kCardsPerAttempt = 2;
constexpr int kValueSlots = 256;  // every value a card's byte can hold

bool CanTurn(const TCard& Card) {
    return !Card.FaceUp && !Card.Matched;
}

int MatchedCards(const TBoard& Board) {
    int Count = 0;
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            Count += Card.Matched ? 1 : 0;
        }
    }
    return Count;
}

bool Untouched(const TBoard& Board) {
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            if (!CanTurn(Card)) {
                return false;
            }
        }
    }
    return true;
}

bool SameValues(const TBoard& Left, const TBoard& Right) {
    for (int32_t Row = 0; Row < kRows; ++Row) {
        for (int32_t Column = 0; Column < kColumns; ++Column) {
            if (Left.Cards[Row][Column].Value != Right.Cards[Row][Column].Value) {
                return false;
            }
        }
    }
    return true;
}

testing::AssertionResult EachValueOnTwoCards(const TBoard& Board) {
    std::array<int, kValueSlots> Counts{};
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            ++Counts[Card.Value];
        }
    }
    for (int Value = 1; Value <= kPairs; ++Value) {
        if (Counts[Value] != 2) {
            return testing::AssertionFailure() << "value " << Value << " on " << Counts[Value];
        }
    }
    return testing::AssertionSuccess();
}

}  // namespace

testing::AssertionResult TGameObserver::GameStarted(const TBoard& Board, const TGameState& State) {
    if (!State.Playing || State.Won || State.Lost || State.Revealing || State.TurnedCount != 0 ||
        State.Chances != kStartChances || !Untouched(Board)) {
        return testing::AssertionFailure() << "a new game does not start fresh";
    }
    Started = true;
    GameMatches = 0;
    GameMisses = 0;
    Remember(Board, State);
    return CheckState(Board, State);
}

testing::AssertionResult TGameObserver::Observe(const TBoard& Board, const TGameState& State) {
    if (!Started) {
        // Before the first game the board shows the start-up deal and input does nothing.
        if (State.Playing || State.Won || State.Lost || State.Revealing || State.TurnedCount != 0 ||
            !Untouched(Board) || (Seen && !SameValues(Board, Previous))) {
            return testing::AssertionFailure() << "something was played before the first game";
        }
        Remember(Board, State);
        return EachValueOnTwoCards(Board);
    }
    if (auto Result = FollowAttempt(Board, State); !Result) {
        return Result;
    }
    Remember(Board, State);
    return CheckState(Board, State);
}

// An event evaluates an attempt exactly when one card was turned of an attempt that had one,
// and the attempt is cleared: a match shows as two more matched cards, a miss as none.
testing::AssertionResult TGameObserver::FollowAttempt(const TBoard& Board,
                                                      const TGameState& State) {
    if (!SameValues(Board, Previous)) {
        return testing::AssertionFailure() << "the deal changed during a game";
    }
    int Turned = 0;
    for (int32_t Row = 0; Row < kRows; ++Row) {
        for (int32_t Column = 0; Column < kColumns; ++Column) {
            const TCard& Before = Previous.Cards[Row][Column];
            const TCard& After = Board.Cards[Row][Column];
            Turned += CanTurn(Before) && !CanTurn(After) ? 1 : 0;
        }
    }
    if (Turned > 1) {
        return testing::AssertionFailure() << "one event turned " << Turned << " cards";
    }
    const bool Evaluated = PreviousState.TurnedCount == 1 && Turned == 1 && State.TurnedCount == 0;
    const int NewlyMatched = MatchedCards(Board) - MatchedCards(Previous);
    if (Evaluated && NewlyMatched == kCardsPerAttempt) {
        ++GameMatches;
    } else if (Evaluated && NewlyMatched == 0) {
        ++GameMisses;
    } else if (NewlyMatched != 0) {
        return testing::AssertionFailure()
               << NewlyMatched << " cards matched or unmatched outside an evaluated pair";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult TGameObserver::CheckState(const TBoard& Board, const TGameState& S) const {
    if (auto Result = EachValueOnTwoCards(Board); !Result) {
        return Result;
    }
    int Pickable = 0;
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            Pickable += CanTurn(Card) ? 1 : 0;
        }
    }
    const int Expected = kStartChances + MatchedCards(Board) / 2 - GameMisses;
    if (S.Chances != Expected) {
        return testing::AssertionFailure() << "chances " << S.Chances << ", expected " << Expected
                                           << " after " << GameMisses << " misses";
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
    if (S.Playing && !S.Revealing && Pickable < kCardsPerAttempt - S.TurnedCount) {
        return testing::AssertionFailure() << "dead end: " << Pickable << " cards to turn, "
                                           << kCardsPerAttempt - S.TurnedCount << " needed";
    }
    return testing::AssertionSuccess();
}

void TGameObserver::Remember(const TBoard& Board, const TGameState& State) {
    Previous = Board;
    PreviousState = State;
    Seen = true;
}

}  // namespace velmo::test
