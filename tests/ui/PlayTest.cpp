// Playing with the mouse: games won and lost, what each frame shows, the counter, the pointer.
#include <QAction>
#include <QMenu>

#include "tests/ui/FormFixture.h"

namespace velmo::test {
namespace {

constexpr int kRevealTicks = 22;

class PlayTest : public FormTest {
  protected:
    void SetUp() override {
        WriteDefaultSet();
        Open();
    }
    bool OptionsEnabled() const { return Form->Options1->menuAction()->isEnabled(); }
};

TEST_F(PlayTest, GameWonByMouseShowsFacesAsTheyAreFoundAndEndsWithTheMenuBack) {
    NewGame();
    Ticks(1);
    EXPECT_EQ(ShownBoard(), kAllBacks);
    EXPECT_TRUE(CounterShown());
    EXPECT_FALSE(OptionsEnabled());

    std::string Expected = kAllBacks;
    for (int Pair = 0; Pair < kPairs; ++Pair) {
        SCOPED_TRACE(Pair);
        const int Row = Pair / 3;
        const int Column = (Pair % 3) * 2;
        const char Face = static_cast<char>('1' + Pair);
        Click(Column, Row);
        Ticks(1);
        Expected[Row * 7 + Column] = Face;
        EXPECT_EQ(ShownBoard(), Expected);
        Click(Column + 1, Row);
        Expected[Row * 7 + Column + 1] = Face;
        Ticks(kRevealTicks);
        if (Pair + 1 < kPairs) {
            EXPECT_EQ(ShownBoard(), Expected);  // the pair stays matched after its reveal
            EXPECT_FALSE(OptionsEnabled());
        }
    }
    EXPECT_EQ(Form->Game.State().Chances, 16);
    EXPECT_TRUE(Form->Game.State().Won);
    EXPECT_TRUE(OptionsEnabled());
    EXPECT_EQ(ShownBoard(), kAllFaces);
    EXPECT_FALSE(CounterShown());
}

TEST_F(PlayTest, GameLostByMouseTurnsEachMissBackAfter22Ticks) {
    NewGame();
    for (int Miss = 1; Miss <= 7; ++Miss) {
        SCOPED_TRACE(Miss);
        Click(0, 0);
        Click(2, 0);
        if (Miss == 7) {
            break;
        }
        Ticks(kRevealTicks - 1);
        EXPECT_EQ(ShownBoard(), "102000|000000|000000");
        Ticks(1);
        EXPECT_EQ(ShownBoard(), kAllBacks);
        EXPECT_EQ(Form->Game.State().Chances, 7 - Miss);
        EXPECT_FALSE(OptionsEnabled());
    }
    EXPECT_TRUE(Form->Game.State().Lost);
    EXPECT_TRUE(OptionsEnabled());
    EXPECT_EQ(ShownBoard(), kAllFaces);
    EXPECT_FALSE(CounterShown());

    NewGame();  // a new game after a loss starts from the backs again
    EXPECT_FALSE(OptionsEnabled());
    EXPECT_EQ(ShownBoard(), kAllBacks);
}

// The text's cell starts at x = width - 120 and y = 10; Qt's baseline is not its top.
TEST_F(PlayTest, CounterIsWhiteTextWithItsTopLeftAt674By10) {
    NewGame();
    const QImage Image = Grab();
    QRect Ink;
    bool White = false;
    for (int Y = 0; Y < 60; ++Y) {
        for (int X = 660; X < Image.width(); ++X) {
            const QRgb Pixel = PixelAt(Image, {X, Y});
            if (Pixel != kBackground) {
                Ink |= QRect(X, Y, 1, 1);
                White = White || Pixel == Rgb(Qt::white);
                // Every pixel of the text is a blend of white over the background.
                EXPECT_GE(qRed(Pixel), qRed(kBackground));
                EXPECT_GE(qBlue(Pixel), qBlue(kBackground));
            }
        }
    }
    ASSERT_FALSE(Ink.isEmpty());
    EXPECT_TRUE(White);
    EXPECT_GE(Ink.left(), 674);
    EXPECT_LE(Ink.left(), 677);  // "C" starts right at the edge, bar antialiasing
    EXPECT_GE(Ink.top(), 10);
    EXPECT_LE(Ink.top(), 15);  // a capital's top lies just below the cell's internal leading
    EXPECT_LE(Ink.bottom(), 10 + 24);
    EXPECT_LT(Ink.right(), 794);

    // A match changes the number, and with it the text.
    Click(0, 0);
    Click(1, 0);
    EXPECT_NE(Grab().copy(Ink), Image.copy(Ink));
}

TEST_F(PlayTest, PointerIsTheHandExactlyOverCardsThatCanBeTurnedNow) {
    Move(CardCentre(0, 0));
    EXPECT_EQ(Pointer(), Qt::ArrowCursor);  // between games the shape is left alone

    NewGame();
    Move({700, 400});
    struct TCase {
        QPoint Position;
        Qt::CursorShape Shape;
    };
    const TCase Ready[] = {
        {CardCentre(0, 0), Qt::PointingHandCursor},
        {{115, 100}, Qt::ArrowCursor},  // gap between columns 0 and 1
        {{13, 16}, Qt::ArrowCursor},    // edge band of card (0, 0)
        {{14, 16}, Qt::PointingHandCursor},
        {{106, 168}, Qt::PointingHandCursor},
        {{107, 168}, Qt::ArrowCursor},
        {{700, 300}, Qt::ArrowCursor},  // beside the board
        {CardCentre(5, 2), Qt::PointingHandCursor},
    };
    for (const TCase& Case : Ready) {
        Move(Case.Position);
        EXPECT_EQ(Pointer(), Case.Shape) << Case.Position.x() << "," << Case.Position.y();
    }

    Click(0, 0);
    Move(CardCentre(0, 0) + QPoint(1, 1));
    EXPECT_EQ(Pointer(), Qt::ArrowCursor);  // the turned card
    Move(CardCentre(1, 2));
    EXPECT_EQ(Pointer(), Qt::PointingHandCursor);

    Click(2, 0);  // a miss: the reveal blocks every card
    for (const QPoint Position : {CardCentre(3, 0), CardCentre(1, 2)}) {
        Move(Position);
        EXPECT_EQ(Pointer(), Qt::ArrowCursor);
    }
    Ticks(kRevealTicks);
    Move(CardCentre(0, 0));
    EXPECT_EQ(Pointer(), Qt::PointingHandCursor);
}

TEST_F(PlayTest, HandShownWhenTheGameEndsStaysUntilTheNextGame) {
    NewGame();
    for (int Miss = 0; Miss < 7; ++Miss) {
        Click(0, 0);
        Click(2, 0);
        Ticks(kRevealTicks);
    }
    ASSERT_FALSE(Form->Game.State().Playing);
    Move({115, 100});
    EXPECT_EQ(Pointer(), Qt::PointingHandCursor);
    NewGame();
    Move({116, 100});
    EXPECT_EQ(Pointer(), Qt::ArrowCursor);
}

TEST_F(PlayTest, PressDecidesTheCardAndReleaseTurnsItWherever) {
    NewGame();
    // Pressed on a card, dragged off the board and released there: the card turns.
    Press(CardCentre(0, 0));
    Move({700, 300});
    Release({700, 300});
    EXPECT_EQ(ShownBoard(), "100000|000000|000000");

    // The edge band and the gaps turn nothing.
    for (const QPoint Position : {QPoint(13, 16), QPoint(115, 100), QPoint(50, 177)}) {
        Press(Position);
        Release(Position);
    }
    EXPECT_EQ(ShownBoard(), "100000|000000|000000");

    // A right-button press turns nothing and restarts the attempt; the turned card stays up.
    Click(1, 0, Qt::RightButton);
    EXPECT_EQ(ShownBoard(), "100000|000000|000000");
    Click(2, 0);
    Click(3, 0);  // a match of its own: the first card was not part of this attempt
    EXPECT_EQ(Form->Game.State().Chances, 8);
    Ticks(kRevealTicks);
    EXPECT_EQ(ShownBoard(), "002200|000000|000000");

    // A double click turns a card once and never pairs it with itself.
    DoubleClick(CardCentre(4, 0));
    EXPECT_EQ(Form->Game.State().TurnedCount, 1);
    EXPECT_EQ(Form->Game.State().Chances, 8);
}

}  // namespace
}  // namespace velmo::test
