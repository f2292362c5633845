// The window tests' fixture. Mouse events go through the platform's window-system path, as a
// player's would.
#define QTEST_QPA_MOUSE_HANDLING
#include "tests/ui/FormFixture.h"

#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "game/Board.h"

namespace velmo::test {
namespace {

constexpr int kBoardLeft = 10;
constexpr int kBoardTop = 12;
constexpr int kDrawsPerCard = 2;  // a column, then a row
constexpr int kCards = kRows * kColumns;

}  // namespace

int32_t TScriptedDeal::Draw(int32_t Bound) {
    const long Card = (Calls / kDrawsPerCard) % kCards;
    const bool Column = Calls % kDrawsPerCard == 0;
    ++Calls;
    const int32_t Value =
        Column ? static_cast<int32_t>(Card % kColumns) : static_cast<int32_t>(Card / kColumns);
    EXPECT_LT(Value, Bound);
    return Value;
}

TMessageRecorder::TMessageRecorder()
    : Previous(SetMessageSink(
          [this](QWidget*, const TMessage& Message) { Messages.push_back(Message); })) {}

TMessageRecorder::~TMessageRecorder() {
    SetMessageSink(Previous);
}

std::string FormTest::FolderPath() const {
    return Folder.path().toStdString() + "/";
}

void FormTest::WriteSet(const std::string& File, const TKxdWriter& Writer) const {
    WriteBytes(File, Writer.Build());
}

void FormTest::WriteBytes(const std::string& File, const TBytes& Bytes) const {
    WriteFile(FolderPath() + File, Bytes);
}

void FormTest::WriteDefaultSet() const {
    WriteSet("Default.kxd", CompleteSet("Classique (defaut)"));
}

void FormTest::Open(std::unique_ptr<TRandomSource> Deal) {
    Form = std::make_unique<TForm1>(FolderPath(), std::move(Deal));
    if (Form->LoadFailed()) {
        return;
    }
    Form->show();
    Form->Timer1->stop();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
}

QPoint FormTest::CardCentre(int Column, int Row) {
    return {kBoardLeft + Column * kPitchX + kCardWidth / 2,
            kBoardTop + Row * kPitchY + kCardHeight / 2};
}

void FormTest::Press(QPoint Position, Qt::MouseButton Button) {
    QTest::mousePress(Form->PaintBox1, Button, {}, Position);
}

void FormTest::Release(QPoint Position, Qt::MouseButton Button) {
    QTest::mouseRelease(Form->PaintBox1, Button, {}, Position);
}

void FormTest::Move(QPoint Position) {
    QTest::mouseMove(Form->PaintBox1, Position);
}

void FormTest::Click(int Column, int Row, Qt::MouseButton Button) {
    const QPoint Centre = CardCentre(Column, Row);
    Move(Centre);
    Press(Centre, Button);
    Release(Centre, Button);
}

void FormTest::DoubleClick(QPoint Position) {
    QTest::mouseDClick(Form->PaintBox1, Qt::LeftButton, {}, Position);
}

void FormTest::Ticks(int Count) {
    for (int Tick = 0; Tick < Count; ++Tick) {
        Form->Timer1Timer();
    }
}

void FormTest::NewGame() {
    Form->Nouvelle1->trigger();
}

QImage FormTest::Grab() const {
    return Form->PaintBox1->grab().toImage();
}

std::string FormTest::ShownBoard(int Variant) const {
    const QImage Image = Grab();
    std::string Shown;
    for (int Row = 0; Row < kRows; ++Row) {
        if (Row > 0) {
            Shown += '|';
        }
        for (int Column = 0; Column < kColumns; ++Column) {
            const QRgb Pixel = PixelAt(Image, CardCentre(Column, Row));
            char Slot = '?';
            for (int Candidate = 0; Candidate < kCardImageCount; ++Candidate) {
                if (Pixel == Rgb(SlotColour(Candidate, Variant))) {
                    Slot = static_cast<char>('0' + Candidate);
                }
            }
            Shown += Slot;
        }
    }
    return Shown;
}

// Anything but the background in the counter's corner of the paint area.
bool FormTest::CounterShown() const {
    const QImage Image = Grab();
    for (int Y = 0; Y < kBoardTop + 30; ++Y) {
        for (int X = kBoardLeft + kColumns * kPitchX; X < Image.width(); ++X) {
            if (PixelAt(Image, {X, Y}) != kBackground) {
                return true;
            }
        }
    }
    return false;
}

QAction* FormTest::Entry(const QString& Caption) const {
    for (QAction* Item : Form->Ensembles1->actions()) {
        if (Item->text() == Caption) {
            return Item;
        }
    }
    ADD_FAILURE() << "no set entry " << Caption.toStdString();
    return nullptr;
}

std::vector<QString> FormTest::CheckedEntries() const {
    std::vector<QString> Checked;
    for (QAction* Item : Form->Ensembles1->actions()) {
        if (Item->isChecked()) {
            Checked.push_back(Item->text());
        }
    }
    std::sort(Checked.begin(), Checked.end());
    return Checked;
}

Qt::CursorShape FormTest::Pointer() const {
    return Form->PaintBox1->cursor().shape();
}

QRgb PixelAt(const QImage& Image, QPoint Position) {
    return Image.pixel(Position) & RGB_MASK;
}

QRgb Rgb(const QColor& Colour) {
    return Colour.rgb() & RGB_MASK;
}

}  // namespace velmo::test
