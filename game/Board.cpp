// The board's layout, hit test, flag resets and the random deal of the nine pairs.
#include "Board.h"

#include <string>

#include "Checked.h"
#include "Errors.h"

namespace velmo {

namespace {

void CheckPosition(TPoint Position) {
    if (Position.X < 0 || Position.X >= kColumns || Position.Y < 0 || Position.Y >= kRows) {
        throw TRangeError("Position de carte hors limites : (" + std::to_string(Position.X) + ", " +
                          std::to_string(Position.Y) + ")");
    }
}

}  // namespace

bool PointInCard(int32_t X, int32_t Y, const TCard& Card) {
    // Widened so that a card near the limits of int32_t cannot make the inset wrap.
    const int64_t Inset = kHitInset;
    const TRect& B = Card.Bounds;
    return int64_t{B.Left} + Inset <= X && X <= int64_t{B.Right} - Inset &&
           int64_t{B.Top} + Inset <= Y && Y <= int64_t{B.Bottom} - Inset;
}

TCard& TBoard::At(TPoint Position) {
    CheckPosition(Position);
    return Cards[static_cast<std::size_t>(Position.Y)][static_cast<std::size_t>(Position.X)];
}

const TCard& TBoard::At(TPoint Position) const {
    CheckPosition(Position);
    return Cards[static_cast<std::size_t>(Position.Y)][static_cast<std::size_t>(Position.X)];
}

void TBoard::LayoutCards(int32_t X0, int32_t Y0) {
    // Computed in full before anything is stored, so an overflow leaves the board untouched.
    TCards Laid = Cards;
    for (int32_t Row = 0; Row < kRows; ++Row) {
        for (int32_t Column = 0; Column < kColumns; ++Column) {
            TRect& B = Laid[static_cast<std::size_t>(Row)][static_cast<std::size_t>(Column)].Bounds;
            B.Left = CheckedAdd(X0, CheckedMul(Column, kPitchX));
            B.Top = CheckedAdd(Y0, CheckedMul(Row, kPitchY));
            B.Right = CheckedAdd(B.Left, kCardWidth);
            B.Bottom = CheckedAdd(B.Top, kCardHeight);
        }
    }
    Cards = Laid;
}

void TBoard::DealCards(TRandomSource& Random) {
    // Dealt on a copy, so a source that fails midway leaves the previous deal in place.
    TBoard Dealt = *this;
    Dealt.ClearValues();
    for (int32_t Value = 1; Value <= kPairs; ++Value) {
        for (int Copy = 0; Copy < 2; ++Copy) {
            // Column first, then row; both are drawn again while the card is already dealt.
            TPoint Position;
            do {
                Position.X = Random.Draw(kColumns);
                Position.Y = Random.Draw(kRows);
            } while (Dealt.At(Position).Value != 0);
            Dealt.At(Position).Value = static_cast<uint8_t>(Value);
        }
    }
    Cards = Dealt.Cards;
}

void TBoard::ClearValues() {
    for (auto& Row : Cards) {
        for (TCard& Card : Row) {
            Card.Value = 0;
        }
    }
}

void TBoard::ClearCardFlags() {
    for (auto& Row : Cards) {
        for (TCard& Card : Row) {
            Card.FaceUp = false;
            Card.Matched = false;
        }
    }
}

void TBoard::HideFaceUpCards() {
    for (auto& Row : Cards) {
        for (TCard& Card : Row) {
            Card.FaceUp = false;
        }
    }
}

bool TBoard::AllMatched() const {
    bool All = true;
    for (const auto& Row : Cards) {
        for (const TCard& Card : Row) {
            All = All && Card.Matched;
        }
    }
    return All;
}

TPoint TBoard::CardAt(int32_t X, int32_t Y) const {
    for (int32_t Row = 0; Row < kRows; ++Row) {
        for (int32_t Column = 0; Column < kColumns; ++Column) {
            if (PointInCard(X, Y, At({Column, Row}))) {
                return {Column, Row};
            }
        }
    }
    return NoCard;
}

}  // namespace velmo
