// The turn rules: new game, press and release of the pointer, evaluation of an attempt, the reveal.
#include "Game.h"

#include "Checked.h"

namespace velmo {

namespace {

bool CanTurn(const TCard& Card) {
    return !Card.FaceUp && !Card.Matched;
}

}  // namespace

TGame::TGame(TBoard& Board, TRandomSource& Random) : Board(Board), Random(Random) {}

void TGame::NewGame() {
    Board.ClearCardFlags();
    Board.DealCards(Random);
    GameState.Won = false;
    GameState.Lost = false;
    ClearAttempt();
    GameState.Revealing = false;
    GameState.RevealTicks = 0;
    GameState.Chances = kStartChances;
    GameState.Playing = true;
}

bool TGame::InputBlocked() const {
    return GameState.Revealing || GameState.Lost || GameState.Won || !GameState.Playing;
}

void TGame::Press(int32_t X, int32_t Y, bool LeftDown) {
    if (InputBlocked()) {
        return;
    }
    if (LeftDown) {
        GameState.PendingPick = Board.CardAt(X, Y);
        return;
    }
    // Another button abandons the attempt; its turned cards stay face up until the next reveal.
    GameState.PendingPick = NoCard;
    GameState.TurnedCount = 0;
    StartRevealIfStuck();
}

void TGame::Release() {
    if (InputBlocked()) {
        return;
    }
    const TPoint Pick = GameState.PendingPick;
    if (Pick.X != -1 && Pick.Y != -1 && GameState.TurnedCount < GameState.Picks.size()) {
        TCard& Card = Board.At(Pick);
        if (CanTurn(Card)) {
            Card.FaceUp = true;
            CheckedAt(GameState.Picks, GameState.TurnedCount, "les cartes retournées") = Pick;
            GameState.TurnedCount = CheckedAdd<uint8_t>(GameState.TurnedCount, 1);
        }
    }
    if (GameState.TurnedCount == GameState.Picks.size()) {
        EvaluateAttempt();
    }
    StartRevealIfStuck();
}

void TGame::Tick() {
    if (GameState.Revealing) {
        GameState.RevealTicks = CheckedAdd<uint32_t>(GameState.RevealTicks, 1);
    }
    if (GameState.RevealTicks == kRevealTicks) {
        Board.HideFaceUpCards();
        GameState.RevealTicks = 0;
        GameState.Revealing = false;
    }
}

bool TGame::CanPickAt(int32_t X, int32_t Y) const {
    if (!GameState.Playing) {
        return false;
    }
    if (GameState.TurnedCount >= GameState.Picks.size() || GameState.Revealing || GameState.Lost ||
        GameState.Won) {
        return false;
    }
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            if (PointInCard(X, Y, Card) && CanTurn(Card)) {
                return true;
            }
        }
    }
    return false;
}

void TGame::EvaluateAttempt() {
    TCard& First = Board.At(CheckedAt(GameState.Picks, 0, "les cartes retournées"));
    TCard& Second = Board.At(CheckedAt(GameState.Picks, 1, "les cartes retournées"));
    if (First.Value == Second.Value) {
        First.Matched = true;
        Second.Matched = true;
        GameState.Chances = CheckedAdd(GameState.Chances, 1);
    } else {
        GameState.Chances = CheckedSub(GameState.Chances, 1);
    }
    GameState.Lost = GameState.Chances == 0;
    GameState.Won = Board.AllMatched();
    if (GameState.Lost || GameState.Won) {
        GameState.Playing = false;
    }
    ClearAttempt();
    GameState.Revealing = true;
}

void TGame::ClearAttempt() {
    GameState.Picks = {NoCard, NoCard};
    GameState.TurnedCount = 0;
    GameState.PendingPick = NoCard;
}

// Cards left face up by abandoned attempts can leave fewer cards to turn than the attempt still
// needs; the game could then be neither won nor lost. A reveal with no evaluation turns those
// cards back and play goes on. The attempt is cleared too, so that a card hidden by this reveal
// cannot later be paired with itself.
void TGame::StartRevealIfStuck() {
    if (!GameState.Playing || GameState.Revealing) {
        return;
    }
    const int32_t Needed = static_cast<int32_t>(GameState.Picks.size()) - GameState.TurnedCount;
    if (PickableCount() < Needed) {
        ClearAttempt();
        GameState.RevealTicks = 0;
        GameState.Revealing = true;
    }
}

int32_t TGame::PickableCount() const {
    int32_t Count = 0;
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            Count += CanTurn(Card) ? 1 : 0;
        }
    }
    return Count;
}

}  // namespace velmo
