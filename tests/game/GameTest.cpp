// Tests of the turn rules: new game, picks, evaluation, chances, the end of a game and the reveal.
#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "game/Errors.h"

namespace velmo {
namespace {

using TurnRules = test::TGameFixture;

TEST_F(TurnRules, BeforeTheFirstGameNothingCanBePicked) {
    EXPECT_FALSE(State.Playing);
    EXPECT_EQ(State.Chances, 0);
    EXPECT_EQ(State.PendingPick, (TPoint{0, 0}));
    EXPECT_TRUE(Game.InputBlocked());
    EXPECT_FALSE(CanPick({0, 0}));
    Click({0, 0});
    EXPECT_EQ(FaceUpCount(), 0);
    EXPECT_EQ(State.TurnedCount, 0);
}

TEST_F(TurnRules, NewGameStartsWithSevenChancesAndEverySensitiveAreaPickable) {
    Game.NewGame();
    MatchPair(1);
    Click(CardOf(2, 0));
    Game.NewGame();  // replaces a game in progress with a card turned and a pair found

    EXPECT_TRUE(State.Playing);
    EXPECT_EQ(State.Chances, kStartChances);
    EXPECT_FALSE(State.Won || State.Lost || State.Revealing);
    EXPECT_EQ(State.TurnedCount, 0);
    EXPECT_EQ(State.PendingPick, NoCard);
    EXPECT_EQ(State.Picks[0], NoCard);
    EXPECT_EQ(State.Picks[1], NoCard);
    EXPECT_EQ(Board.At({5, 2}).Value, 9);
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            EXPECT_FALSE(Card.FaceUp || Card.Matched);
            const TRect& B = Card.Bounds;
            EXPECT_TRUE(Game.CanPickAt(B.Left + 4, B.Top + 4));
            EXPECT_TRUE(Game.CanPickAt(B.Right - 4, B.Bottom - 4));
            EXPECT_FALSE(Game.CanPickAt(B.Left + 3, B.Top + 4));
            EXPECT_FALSE(Game.CanPickAt(B.Right - 3, B.Bottom - 4));
        }
    }
}

TEST_F(TurnRules, ADoubleClickNeverPairsACardWithItself) {
    Game.NewGame();
    Click({2, 1});
    Click({2, 1});
    EXPECT_EQ(State.TurnedCount, 1);
    EXPECT_EQ(State.Picks[0], (TPoint{2, 1}));
    EXPECT_FALSE(State.Revealing);
    EXPECT_EQ(State.Chances, kStartChances);
    EXPECT_FALSE(CanPick({2, 1}));
    Game.Release();  // a stray release with the same pick still pending
    EXPECT_EQ(State.TurnedCount, 1);
}

TEST_F(TurnRules, AMatchedCardTurnsNothing) {
    Game.NewGame();
    MatchPair(1);
    EXPECT_FALSE(CanPick(CardOf(1, 0)));
    Click(CardOf(1, 0));
    Click(CardOf(1, 1));
    EXPECT_EQ(State.TurnedCount, 0);
    EXPECT_EQ(FaceUpCount(), 0);
    EXPECT_EQ(State.Chances, kStartChances + 1);
}

TEST_F(TurnRules, ThePickIsTakenAtThePressAndCommittedAtTheRelease) {
    Game.NewGame();
    const TPoint Card = test::TGameFixture::Centre({3, 0});
    Game.Press(Card.X, Card.Y, true);
    EXPECT_EQ(State.PendingPick, (TPoint{3, 0}));
    EXPECT_FALSE(Board.At({3, 0}).FaceUp);
    Game.Release();  // wherever the pointer is now
    EXPECT_TRUE(Board.At({3, 0}).FaceUp);
    EXPECT_EQ(State.PendingPick, (TPoint{3, 0}));

    Game.Press(115, 100, true);  // in a gap: the pending pick is dropped, nothing turns
    EXPECT_EQ(State.PendingPick, NoCard);
    Game.Release();
    Game.Press(328, Card.Y, true);  // on the right edge band of the face-down card (2, 0)
    Game.Release();
    EXPECT_EQ(State.TurnedCount, 1);
    EXPECT_EQ(FaceUpCount(), 1);
}

TEST_F(TurnRules, AMatchAddsAChanceAndAMissTakesOneAway) {
    Game.NewGame();
    Click(CardOf(1, 0));
    Click(CardOf(1, 1));
    EXPECT_EQ(State.Chances, kStartChances + 1);
    EXPECT_TRUE(Board.At(CardOf(1, 0)).Matched && Board.At(CardOf(1, 1)).Matched);
    EXPECT_TRUE(State.Revealing);
    EXPECT_EQ(State.TurnedCount, 0);
    EXPECT_EQ(State.PendingPick, NoCard);
    EXPECT_EQ(State.Picks[0], NoCard);
    Ticks(kRevealTicks);

    Click(CardOf(2, 0));
    Click(CardOf(3, 1));
    EXPECT_EQ(State.Chances, kStartChances);
    EXPECT_FALSE(Board.At(CardOf(2, 0)).Matched || Board.At(CardOf(3, 1)).Matched);
    EXPECT_TRUE(State.Revealing);
}

TEST_F(TurnRules, NineStraightMatchesWinWithSixteenChances) {
    Game.NewGame();
    for (int32_t Value = 1; Value < kPairs; ++Value) {
        MatchPair(Value);
        EXPECT_TRUE(State.Playing);
    }
    Click(CardOf(9, 0));
    Click(CardOf(9, 1));
    EXPECT_EQ(State.Chances, 16);
    EXPECT_TRUE(State.Won);
    EXPECT_FALSE(State.Lost);
    EXPECT_FALSE(State.Playing);
}

TEST_F(TurnRules, TheSeventhMissEndsTheGameLostAndTheLastRevealStillRunsOut) {
    Game.NewGame();
    for (int Miss = 1; Miss <= kStartChances; ++Miss) {
        EXPECT_TRUE(State.Playing) << "miss " << Miss;
        Click(CardOf(1, 0));
        Click(CardOf(2, 0));
        if (Miss < kStartChances) {
            Ticks(kRevealTicks);
        }
    }
    EXPECT_EQ(State.Chances, 0);
    EXPECT_TRUE(State.Lost);
    EXPECT_FALSE(State.Won);
    EXPECT_FALSE(State.Playing);
    EXPECT_TRUE(State.Revealing);

    Ticks(kRevealTicks);
    EXPECT_FALSE(State.Revealing);
    EXPECT_EQ(FaceUpCount(), 0);

    // Once ended, the game takes no more picks.
    EXPECT_FALSE(CanPick(CardOf(3, 0)));
    Click(CardOf(3, 0));
    Game.Press(0, 0, false);
    EXPECT_EQ(FaceUpCount(), 0);
    EXPECT_EQ(State.PendingPick, NoCard);
    EXPECT_FALSE(State.Revealing);
}

TEST_F(TurnRules, DuringARevealInputIsIgnoredUntilThe22ndTickHidesTheMiss) {
    Game.NewGame();
    MatchPair(1);
    Click(CardOf(2, 0));
    Click(CardOf(3, 0));
    ASSERT_TRUE(State.Revealing);

    Ticks(kRevealTicks - 1);
    EXPECT_TRUE(State.Revealing);
    EXPECT_EQ(State.RevealTicks, kRevealTicks - 1);
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            EXPECT_FALSE(Game.CanPickAt(Card.Bounds.Left + 50, Card.Bounds.Top + 80));
        }
    }
    Click(CardOf(4, 0));
    RightPress();
    EXPECT_FALSE(Board.At(CardOf(4, 0)).FaceUp);
    EXPECT_EQ(FaceUpCount(), 2);  // the miss alone

    Game.Tick();
    EXPECT_FALSE(State.Revealing);
    EXPECT_EQ(State.RevealTicks, 0u);
    EXPECT_EQ(FaceUpCount(), 0);
    EXPECT_TRUE(Board.At(CardOf(1, 0)).Matched);
    EXPECT_TRUE(CanPick(CardOf(2, 0)));

    Ticks(100);  // ticks outside a reveal count nothing
    EXPECT_EQ(State.RevealTicks, 0u);
}

TEST_F(TurnRules, ARightPressAbandonsTheAttemptButLeavesItsCardFaceUp) {
    Game.NewGame();
    Click(CardOf(1, 0));
    RightPress();
    EXPECT_EQ(State.TurnedCount, 0);
    EXPECT_EQ(State.PendingPick, NoCard);
    EXPECT_EQ(State.Picks[0], CardOf(1, 0));
    EXPECT_TRUE(Board.At(CardOf(1, 0)).FaceUp);
    EXPECT_FALSE(State.Revealing);
    EXPECT_FALSE(CanPick(CardOf(1, 0)));
    Click(CardOf(1, 0));
    EXPECT_EQ(State.TurnedCount, 0);

    // The next two cards form a fresh attempt: the abandoned card's twin against another value.
    Click(CardOf(1, 1));
    Click(CardOf(2, 0));
    EXPECT_EQ(State.Chances, kStartChances - 1);
    EXPECT_FALSE(Board.At(CardOf(1, 0)).Matched);
    EXPECT_EQ(FaceUpCount(), 3);
    Ticks(kRevealTicks);
    EXPECT_EQ(FaceUpCount(), 0);
    EXPECT_TRUE(CanPick(CardOf(1, 0)));
}

TEST_F(TurnRules, NewGameDuringARevealHidesEverythingAndTheNextRevealLastsInFull) {
    Game.NewGame();
    Click(CardOf(1, 0));
    Click(CardOf(2, 0));
    Ticks(10);
    Game.NewGame();
    EXPECT_FALSE(State.Revealing);
    EXPECT_EQ(State.RevealTicks, 0u);
    EXPECT_EQ(FaceUpCount(), 0);
    EXPECT_EQ(State.Chances, kStartChances);

    Click(CardOf(1, 0));
    Click(CardOf(2, 0));
    Ticks(kRevealTicks - 1);
    EXPECT_TRUE(State.Revealing);
    Game.Tick();
    EXPECT_FALSE(State.Revealing);
}

// The dead end: with one pair left, turning one card and abandoning the attempt left a single
// card to turn, so no attempt could ever be completed again.
TEST_F(TurnRules, AbandoningTheLastPairRevealsWithoutEvaluatingSoTheGameCanStillBeWon) {
    Game.NewGame();
    for (int32_t Value = 1; Value < kPairs; ++Value) {
        MatchPair(Value);
    }
    const int32_t Chances = State.Chances;
    Click(CardOf(9, 0));
    RightPress();

    EXPECT_TRUE(State.Revealing);
    EXPECT_EQ(State.Chances, Chances);
    EXPECT_TRUE(State.Playing);
    EXPECT_FALSE(State.Won || State.Lost);
    EXPECT_EQ(State.TurnedCount, 0);
    EXPECT_EQ(State.Picks[0], NoCard);
    Click(CardOf(9, 1));  // ignored while the reveal runs
    EXPECT_FALSE(Board.At(CardOf(9, 1)).FaceUp);

    Ticks(kRevealTicks);
    EXPECT_FALSE(State.Revealing);
    EXPECT_FALSE(Board.At(CardOf(9, 0)).FaceUp);
    EXPECT_EQ(State.Chances, Chances);
    Click(CardOf(9, 1));
    Click(CardOf(9, 0));
    EXPECT_TRUE(State.Won);
    EXPECT_EQ(State.Chances, Chances + 1);
}

TEST_F(TurnRules, AbandonedCardsPilingUpRevealOnlyWhenTooFewAreLeftToTurn) {
    Game.NewGame();
    for (int32_t Value = 1; Value < kPairs - 1; ++Value) {
        MatchPair(Value);
    }
    // Two pairs left: 8 8 9 9 on the last row's right. Each abandoned card stays face up.
    Click(CardOf(8, 0));
    RightPress();  // three cards left to turn
    EXPECT_FALSE(State.Revealing);
    Click(CardOf(9, 0));
    RightPress();  // two left: a full attempt is still possible
    EXPECT_FALSE(State.Revealing);
    RightPress();  // nothing turned: still two left
    EXPECT_FALSE(State.Revealing);
    Click(CardOf(8, 1));
    EXPECT_FALSE(State.Revealing);  // one turned, one more to turn and one left
    RightPress();                   // one left for a fresh attempt of two
    EXPECT_TRUE(State.Revealing);
    EXPECT_EQ(State.Chances, kStartChances + 7);  // no chance gained or lost by the reveal

    Ticks(kRevealTicks);
    EXPECT_EQ(FaceUpCount(), 0);
    MatchPair(8);
    MatchPair(9);
    EXPECT_TRUE(State.Won);
}

}  // namespace
}  // namespace velmo
