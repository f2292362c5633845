// Tens of thousands of seeded random events on the offscreen window, the game's invariants
// checked after each one, every game played on to its end, sets switched between games.
#include <algorithm>
#include <array>
#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>

#include "cardset/KXDApi.h"
#include "game/Board.h"
#include "game/Game.h"
#include "tests/support/GameInvariants.h"
#include "tests/ui/FormFixture.h"

namespace velmo::test {
namespace {

constexpr uint32_t kSeed = 20240611;
constexpr uint64_t kDealSeed = 7;
constexpr int kEvents = 50000;
constexpr int kMaxRandomEventsPerGame = 400;  // then the game is played on to its end
// Every attempt on pickable cards ends in a match (at most 9) or a miss (at most 7 + 9 chances),
// plus one reveal for abandoned cards; each costs at most 2 clicks of a press and a release,
// and a reveal of 22 ticks. One more event releases a button left down.
constexpr int kFinishingEvents =
    (kPairs + kStartChances + kPairs + 1) * (2 * 2 + static_cast<int>(kRevealTicks)) + 1;
constexpr int kPaintWidth = 794;
constexpr int kPaintHeight = 525;

// The soak's folder: two good sets and two broken ones, whose refusal starts with MessageStart.
struct TSoakSet {
    const char* File;
    QString Caption;
    bool Good;
    QString MessageStart;  // for a broken set
};

const std::array<TSoakSet, 4> kSoakSets = {{
    {"Default.kxd", "Classique (defaut)", true, {}},
    {"Bis.kxd", "Bis", true, {}},
    {"Casse.kxd", "Casse", false, "Image PNG invalide : "},
    {"Court.kxd", "Court", false, "Court.kxd n'est pas un ensemble de cartes."},
}};

class SoakTest : public FormTest {
  protected:
    void SetUp() override {
        WriteDefaultSet();
        WriteSet("Bis.kxd", CompleteSet("Bis", 1));
        TKxdWriter Broken = CompleteSet("Casse", 4);
        Broken.Entries[6].Payload = TBytes(200, std::byte{0x33});
        WriteSet("Casse.kxd", Broken);
        TBytes Cut = CompleteSet("Court", 5).Build();
        Cut.resize(Cut.size() - kKxdTrailerSize / 2);
        WriteBytes("Court.kxd", Cut);

        // A seeded deal rather than the fixture's fixed one, so the games differ.
        Open(std::make_unique<TClockRandom>(kDealSeed));
        ASSERT_FALSE(Form->LoadFailed());
        ASSERT_TRUE(Recorder.Messages.empty());

        for (const TSoakSet& Set : kSoakSets) {
            TCardImages Images;
            QString Name;
            if (Set.Good) {
                ASSERT_TRUE(LoadCardSet(FolderPath() + Set.File, Images, Name));
            }
            Pictures.push_back(Images);
        }
        ASSERT_EQ(Form->CardImages, Pictures[0]);
    }

    void TearDown() override {
        for (const Qt::MouseButton Button : {Qt::LeftButton, Qt::RightButton}) {
            if (Held.testFlag(Button)) {
                Release(Anywhere(), Button);
            }
        }
    }

    // Draws in a fixed order wherever two share an expression (braced lists), so a seed replays
    // the same events whichever compiler built the test.
    int Uniform(int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(Engine); }

    static QPoint CardTopLeft(TPoint Card) {
        return CardCentre(Card.X, Card.Y) - QPoint(kCardWidth / 2, kCardHeight / 2);
    }

    QPoint Anywhere() { return {Uniform(1, kPaintWidth - 1), Uniform(1, kPaintHeight - 1)}; }

    // Card centres, the first and last sensitive pixels, the inset bands, gaps and points off
    // the board, so hits and near misses both come up often.
    QPoint RandomPoint() {
        const QPoint TopLeft = CardTopLeft({Uniform(0, kColumns - 1), Uniform(0, kRows - 1)});
        switch (Uniform(0, 4)) {
            case 0:
                return TopLeft + QPoint(kCardWidth / 2, kCardHeight / 2);
            case 1:
                return TopLeft + QPoint(kHitInset, kHitInset);
            case 2:
                return TopLeft + QPoint(kCardWidth - kHitInset, kCardHeight - kHitInset);
            case 3:
                return TopLeft + QPoint{Uniform(0, kHitInset - 1), Uniform(0, kCardHeight)};
            default:
                return Anywhere();
        }
    }

    // The centre of the other card of the pair whose first card this attempt turned.
    QPoint TwinCard() const {
        const TPoint First = Form->Game.State().Picks[0];
        for (int32_t Row = 0; Row < kRows; ++Row) {
            for (int32_t Column = 0; Column < kColumns; ++Column) {
                const TPoint Card{Column, Row};
                if (Card != First && Form->Board.At(Card).Value == Form->Board.At(First).Value) {
                    return CardCentre(Column, Row);
                }
            }
        }
        return CardCentre(First.X, First.Y);
    }

    // Three times in four the twin of the card turned in this attempt, otherwise any card.
    QPoint ChosenCard() {
        if (Form->Game.State().TurnedCount == 1 && Uniform(0, 3) != 0) {
            return TwinCard();
        }
        const TPoint Card{Uniform(0, kColumns - 1), Uniform(0, kRows - 1)};
        return CardCentre(Card.X, Card.Y);
    }

    // A press of a button already down is its release instead: one event, one handler.
    void PressButton(QPoint At, Qt::MouseButton Button) {
        if (Held.testFlag(Button)) {
            Release(At, Button);
            Held.setFlag(Button, false);
            return;
        }
        Press(At, Button);
        Held.setFlag(Button, true);
    }

    // Releases the left button if it is down, else the right one if it is, else a stray left.
    void ReleaseButton(QPoint At) {
        const Qt::MouseButton Button =
            Held.testFlag(Qt::RightButton) && !Held.testFlag(Qt::LeftButton) ? Qt::RightButton
                                                                             : Qt::LeftButton;
        Release(At, Button);
        Held.setFlag(Button, false);
    }

    // Between games the Options menu is open: a random entry is chosen, as a player would.
    void SwitchSet() {
        const auto Index =
            static_cast<std::size_t>(Uniform(0, static_cast<int>(kSoakSets.size()) - 1));
        const TSoakSet& Set = kSoakSets[Index];
        const std::size_t MessagesBefore = Recorder.Messages.size();
        Entry(Set.Caption)->trigger();
        ++Switches;
        if (Set.Good) {
            Shown = Index;
        } else {
            ++Refusals;
            ++ExpectedMessages;
            ASSERT_EQ(Recorder.Messages.size(), MessagesBefore + 1);
            const TMessage& Message = Recorder.Messages.back();
            EXPECT_EQ(Message.Title, "Velmo");
            EXPECT_TRUE(Message.Text.startsWith(Set.MessageStart)) << Message.Text.toStdString();
        }
        ASSERT_EQ(Form->CardImages, Pictures[Shown]) << "after choosing " << Set.File;
        const std::vector<QString> Checked = CheckedEntries();
        EXPECT_TRUE(Checked.empty() || Checked == std::vector<QString>{kSoakSets[Shown].Caption});
    }

    void StartGame() {
        NewGame();
        ++Games;
        RandomEventsLeft = Uniform(0, kMaxRandomEventsPerGame);
    }

    // One random event. Between games: often a new game or a set switch. During a game: a
    // left press (often on the twin of the turned card, so games get far), a left or right
    // press anywhere, a release, a move, a tick, rarely a new game.
    void RandomEvent() {
        const TGameState& S = Form->Game.State();
        const int Kind = Uniform(0, 999);
        if (!S.Playing && Kind < 300) {
            StartGame();
        } else if (!S.Playing && Kind < 500) {
            SwitchSet();
        } else if (S.Playing && Kind == 0) {
            StartGame();
        } else if (S.Revealing && Kind < 700) {
            Form->Timer1Timer();
        } else if (Kind < 350) {
            PressButton(ChosenCard(), Qt::LeftButton);
        } else if (Kind < 450) {
            PressButton(RandomPoint(), Qt::LeftButton);
        } else if (Kind < 550) {
            PressButton(RandomPoint(), Qt::RightButton);
        } else if (Kind < 800) {
            ReleaseButton(RandomPoint());
        } else if (Kind < 900) {
            Move(RandomPoint());
        } else {
            Form->Timer1Timer();
        }
    }

    // One event of playing on: a tick during a reveal, otherwise a left click, in two events,
    // on a card that can be picked; false when no card can be.
    bool PlayOnEvent() {
        if (Form->Game.State().Revealing) {
            Form->Timer1Timer();
            return true;
        }
        if (Held.testFlag(Qt::LeftButton)) {
            ReleaseButton(Anywhere());
            return true;
        }
        std::vector<QPoint> Pickable;
        for (int32_t Row = 0; Row < kRows; ++Row) {
            for (int32_t Column = 0; Column < kColumns; ++Column) {
                const QPoint Centre = CardCentre(Column, Row);
                if (Form->Game.CanPickAt(Centre.x(), Centre.y())) {
                    Pickable.push_back(Centre);
                }
            }
        }
        if (Pickable.empty()) {
            return false;
        }
        // The twin of the turned card one time in three, so games are both won and lost.
        QPoint At =
            Pickable[static_cast<std::size_t>(Uniform(0, static_cast<int>(Pickable.size()) - 1))];
        if (Form->Game.State().TurnedCount == 1 && Uniform(0, 2) == 0) {
            const QPoint Twin = TwinCard();
            At = std::find(Pickable.begin(), Pickable.end(), Twin) != Pickable.end() ? Twin : At;
        }
        PressButton(At, Qt::LeftButton);
        return true;
    }

    // After every event: the game's invariants, the Options menu following the game, and no
    // message but the expected refusals.
    testing::AssertionResult Check(bool Started) {
        const TGameState& S = Form->Game.State();
        auto Result =
            Started ? Observer.GameStarted(Form->Board, S) : Observer.Observe(Form->Board, S);
        if (!Result) {
            return Result;
        }
        if (Form->Options1->menuAction()->isEnabled() == S.Playing) {
            return testing::AssertionFailure() << "the Options menu does not follow the game";
        }
        if (Recorder.Messages.size() != ExpectedMessages) {
            return testing::AssertionFailure()
                   << "unexpected message: " << Recorder.Messages.back().Text.toStdString();
        }
        if (WasPlaying && !S.Playing && Observer.InGame()) {
            ++Finished;
            Won += S.Won ? 1 : 0;
        }
        WasPlaying = S.Playing;
        return testing::AssertionSuccess();
    }

    std::mt19937 Engine{kSeed};
    std::vector<TCardImages> Pictures;  // of each good set, by index in kSoakSets
    std::size_t Shown = 0;
    Qt::MouseButtons Held;
    TGameObserver Observer;
    int RandomEventsLeft = 0;
    bool WasPlaying = false;
    std::size_t ExpectedMessages = 0;
    int Games = 0;
    int Finished = 0;
    int Won = 0;
    int Switches = 0;
    int Refusals = 0;
};

TEST_F(SoakTest, RandomEventsKeepTheGameSoundAndEveryGameReachesAnEnd) {
    ASSERT_TRUE(Check(false));
    int Event = 0;
    while (Event < kEvents) {
        const int GamesBefore = Games;
        const TGameState& S = Form->Game.State();
        if (S.Playing && RandomEventsLeft == 0) {
            // Played on: the game must end within a bound, with no dead end on the way.
            int Steps = 0;
            while (Form->Game.State().Playing) {
                ASSERT_LT(Steps++, kFinishingEvents) << "game " << Games << " does not end";
                ASSERT_TRUE(PlayOnEvent()) << "dead end in game " << Games;
                ASSERT_TRUE(Check(false)) << "event " << Event << ", game " << Games;
                ++Event;
            }
            continue;
        }
        RandomEventsLeft -= S.Playing ? 1 : 0;
        RandomEvent();
        ASSERT_FALSE(HasFatalFailure()) << "event " << Event;
        ASSERT_TRUE(Check(Games != GamesBefore)) << "event " << Event << ", game " << Games;
        ++Event;
    }
    std::cout << "[ SOAK     ] " << Event << " events, " << Games << " games started, " << Finished
              << " finished (" << Won << " won), " << Switches << " set switches, " << Refusals
              << " refused\n";
    RecordProperty("events", Event);
    RecordProperty("games_finished", Finished);

    // The mix of events must reach the cases it is here for.
    EXPECT_GT(Finished, 20);
    EXPECT_GT(Won, 0);
    EXPECT_GT(Finished - Won, 0);
    EXPECT_GT(Refusals, 5);
    EXPECT_GT(Switches - Refusals, 5);
}

}  // namespace
}  // namespace velmo::test
