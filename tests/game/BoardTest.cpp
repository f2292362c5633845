// Tests of the board: layout, hit test, flag resets, checked positions and the deal's draw order.
#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "ScriptedRandom.h"
#include "game/Board.h"
#include "game/Errors.h"

namespace velmo {
namespace {

using test::TScriptedRandom;

TBoard LaidOutBoard() {
    TBoard Board;
    Board.LayoutCards(10, 12);
    return Board;
}

TEST(Layout, PlacesEveryCardOnItsPitchFromTheOrigin) {
    const TBoard Board = LaidOutBoard();
    for (int32_t Row = 0; Row < kRows; ++Row) {
        for (int32_t Column = 0; Column < kColumns; ++Column) {
            const TRect& B = Board.At({Column, Row}).Bounds;
            EXPECT_EQ(B.Left, 10 + Column * 110);
            EXPECT_EQ(B.Top, 12 + Row * 170);
            EXPECT_EQ(B.Right, B.Left + 100);
            EXPECT_EQ(B.Bottom, B.Top + 160);
        }
    }
    const TRect& First = Board.At({0, 0}).Bounds;
    EXPECT_EQ((std::array{First.Left, First.Top, First.Right, First.Bottom}),
              (std::array{10, 12, 110, 172}));
    const TRect& Last = Board.At({5, 2}).Bounds;
    EXPECT_EQ((std::array{Last.Left, Last.Top, Last.Right, Last.Bottom}),
              (std::array{560, 352, 660, 512}));
}

TEST(Layout, TouchesNeitherValuesNorFlags) {
    TBoard Board;
    TCard& Card = Board.At({3, 1});
    Card.Value = 7;
    Card.FaceUp = true;
    Card.Matched = true;
    Board.LayoutCards(10, 12);
    EXPECT_EQ(Card.Value, 7);
    EXPECT_TRUE(Card.FaceUp);
    EXPECT_TRUE(Card.Matched);
}

TEST(Layout, AnOriginThatWouldWrapThrowsAndLeavesTheBoardAsItWas) {
    TBoard Board = LaidOutBoard();
    EXPECT_THROW(Board.LayoutCards(INT32_MAX - 600, 12), TOverflowError);
    EXPECT_THROW(Board.LayoutCards(10, INT32_MAX - 400), TOverflowError);
    EXPECT_EQ(Board.At({5, 2}).Bounds.Right, 660);
    EXPECT_EQ(Board.At({0, 0}).Bounds.Top, 12);
    try {
        Board.LayoutCards(INT32_MAX, 0);
        FAIL() << "no overflow reported";
    } catch (const TOverflowError& Error) {
        EXPECT_STREQ(Error.what(), "Dépassement de capacité : 2147483647 + 100");
    }
}

struct THitCase {
    int32_t X;
    int32_t Y;
    TPoint Expected;
};

TEST(CardAt, FindsTheCardOnlyInsideItsInsetArea) {
    const TBoard Board = LaidOutBoard();
    const THitCase Cases[] = {
        {14, 16, {0, 0}},    // first sensitive pixel
        {13, 16, NoCard},    // in the left inset band
        {14, 15, NoCard},    // in the top inset band
        {106, 168, {0, 0}},  // last sensitive pixel
        {107, 16, NoCard},   // in the right inset band
        {106, 169, NoCard},  // in the bottom inset band
        {115, 100, NoCard},  // the gap between columns 0 and 1
        {60, 177, NoCard},   // the gap between rows 0 and 1
        {124, 186, {1, 1}},  // first sensitive pixel of the card below and right
        {656, 508, {5, 2}},  // last sensitive pixel of the last card
        {657, 508, NoCard},  // beyond the board
        {0, 0, NoCard},      // the paint area's corner
        {-5, -5, NoCard},    // outside the paint area
        {INT32_MAX, INT32_MIN, NoCard},
    };
    for (const THitCase& Case : Cases) {
        EXPECT_EQ(Board.CardAt(Case.X, Case.Y), Case.Expected) << Case.X << ", " << Case.Y;
    }
}

TEST(CardAt, HitsNothingBeforeAnyLayout) {
    const TBoard Board;
    for (const TPoint Point : {TPoint{0, 0}, TPoint{4, 4}, TPoint{-4, -4}, TPoint{50, 50}}) {
        EXPECT_EQ(Board.CardAt(Point.X, Point.Y), NoCard);
    }
}

TEST(PointInCard, CardsAtTheLimitsOfTheCoordinateRangeDoNotWrap) {
    TCard Card;
    Card.Bounds = {INT32_MAX - 100, INT32_MIN, INT32_MAX, INT32_MIN + 160};
    EXPECT_TRUE(PointInCard(INT32_MAX - 4, INT32_MIN + 4, Card));
    EXPECT_FALSE(PointInCard(INT32_MAX, INT32_MIN + 4, Card));
    EXPECT_FALSE(PointInCard(INT32_MAX - 4, INT32_MIN, Card));
    TCard Narrow;
    Narrow.Bounds = {INT32_MIN, INT32_MIN, INT32_MIN + 2,
                     INT32_MIN + 2};  // smaller than the insets
    EXPECT_FALSE(PointInCard(INT32_MIN + 1, INT32_MIN + 1, Narrow));
}

TEST(Flags, HideFaceUpCardsKeepsMatchesAndClearCardFlagsClearsBoth) {
    TBoard Board;
    for (auto& Row : Board.Cards) {
        for (TCard& Card : Row) {
            Card.FaceUp = true;
            Card.Matched = true;
        }
    }
    Board.HideFaceUpCards();
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            EXPECT_FALSE(Card.FaceUp);
            EXPECT_TRUE(Card.Matched);
        }
    }
    Board.At({2, 1}).FaceUp = true;
    Board.ClearCardFlags();
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            EXPECT_FALSE(Card.FaceUp);
            EXPECT_FALSE(Card.Matched);
        }
    }
}

TEST(Flags, AllMatchedOnlyWhenEveryOneOfTheEighteenIsMatched) {
    TBoard Board;
    EXPECT_FALSE(Board.AllMatched());
    for (int32_t Index = 0; Index < kRows * kColumns; ++Index) {
        EXPECT_FALSE(Board.AllMatched()) << Index << " matched";
        Board.At({Index % kColumns, Index / kColumns}).Matched = true;
    }
    EXPECT_TRUE(Board.AllMatched());
    Board.At({5, 2}).Matched = false;  // the last card alone decides it too
    EXPECT_FALSE(Board.AllMatched());
}

TEST(At, PositionsOutsideTheGridThrowWithTheirCoordinates) {
    TBoard Board;
    const TBoard& Constant = Board;
    for (const TPoint Position : {TPoint{-1, 0}, TPoint{0, -1}, TPoint{6, 0}, TPoint{0, 3}, NoCard,
                                  TPoint{INT32_MIN, INT32_MAX}}) {
        EXPECT_THROW(Board.At(Position), TRangeError) << Position.X << ", " << Position.Y;
        EXPECT_THROW(Constant.At(Position), TRangeError) << Position.X << ", " << Position.Y;
    }
    try {
        Board.At({7, 1});
        FAIL() << "no range error";
    } catch (const TRangeError& Error) {
        EXPECT_STREQ(Error.what(), "Position de carte hors limites : (7, 1)");
    }
    EXPECT_NO_THROW(Board.At({5, 2}));
}

TEST(At, AddressesTheBoardRowByRow) {
    TBoard Board;
    Board.At({4, 1}).Value = 3;
    EXPECT_EQ(Board.Cards[1][4].Value, 3);
}

TEST(Deal, DrawsColumnThenRowAndRedrawsBothOnADealtCard) {
    TBoard Board;
    std::vector<int32_t> Draws = test::RowByRowDeal();
    // Before the second placement of value 1 (at column 1, row 0), two tries hit dealt cards:
    // (0, 0), dealt just before, and then (0, 0) again.
    Draws.insert(Draws.begin() + 2, {0, 0, 0, 0});
    TScriptedRandom Random(Draws);
    Board.DealCards(Random);

    EXPECT_EQ(Random.Used(), Draws.size());
    ASSERT_EQ(Random.Bounds.size(), Draws.size());
    for (std::size_t Index = 0; Index < Random.Bounds.size(); ++Index) {
        EXPECT_EQ(Random.Bounds[Index], Index % 2 == 0 ? kColumns : kRows) << "draw " << Index;
    }
    for (int32_t Index = 0; Index < kRows * kColumns; ++Index) {
        EXPECT_EQ(Board.At({Index % kColumns, Index / kColumns}).Value, Index / 2 + 1) << Index;
    }
}

TEST(Deal, ReplacesEveryValueAndLeavesBoundsAndFlagsAlone) {
    TBoard Board = LaidOutBoard();
    for (auto& Row : Board.Cards) {
        for (TCard& Card : Row) {
            Card.Value = 9;
            Card.FaceUp = true;
        }
    }
    Board.At({1, 1}).Matched = true;
    TClockRandom Random(42);
    Board.DealCards(Random);
    std::map<int, int> Counts;
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            ++Counts[Card.Value];
            EXPECT_TRUE(Card.FaceUp);
        }
    }
    EXPECT_EQ(Counts.size(), 9u);
    for (int Value = 1; Value <= kPairs; ++Value) {
        EXPECT_EQ(Counts[Value], 2) << "value " << Value;
    }
    EXPECT_TRUE(Board.At({1, 1}).Matched);
    EXPECT_EQ(Board.At({5, 2}).Bounds.Right, 660);
}

TEST(Deal, ASourceOutsideItsBoundsRaisesARangeErrorAndKeepsThePreviousDeal) {
    TBoard Board;
    TScriptedRandom First(test::RowByRowDeal());
    Board.DealCards(First);
    TScriptedRandom Broken({0, 0, 6, 0});
    EXPECT_THROW(Board.DealCards(Broken), TRangeError);
    EXPECT_EQ(Board.At({5, 2}).Value, 9);
    EXPECT_EQ(Board.At({0, 0}).Value, 1);
}

TEST(Random, TheDefaultSourceStaysInsideItsBoundAndRejectsAnEmptyRange) {
    TClockRandom Random(7);
    std::map<int32_t, int> Seen;
    for (int Index = 0; Index < 600; ++Index) {
        const int32_t Draw = Random.Draw(6);
        ASSERT_GE(Draw, 0);
        ASSERT_LT(Draw, 6);
        ++Seen[Draw];
    }
    EXPECT_EQ(Seen.size(), 6u);
    EXPECT_THROW(Random.Draw(0), TRangeError);
    EXPECT_THROW(Random.Draw(-3), TRangeError);
}

}  // namespace
}  // namespace velmo
