// The floor frame: exactly the work one frame of the board cannot avoid, with nothing around it.
#include "bench/FloorFrame.h"

#include <QPainter>

namespace velmo::bench {
namespace {

const QColor kBackground{116, 84, 156};
constexpr int kCounterRightOffset = 120;
constexpr int kCounterTop = 10;
constexpr int kCounterPointSize = 14;

}  // namespace

TFloorFrame MakeFloorFrame(const TBoard& Board, const TCardImages& Images, bool Playing,
                           int Chances) {
    TFloorFrame Frame;
    std::size_t Index = 0;
    for (const auto& Row : Board.Cards) {
        for (const TCard& Card : Row) {
            const bool Face = !Playing || Card.FaceUp || Card.Matched;
            Frame.Pictures[Index] = &Images[Face ? Card.Value : 0];
            Frame.Places[Index] = QPoint(Card.Bounds.Left, Card.Bounds.Top);
            ++Index;
        }
    }
    Frame.Font = QFont(QStringLiteral("Arial"));
    Frame.Font.setPointSize(kCounterPointSize);
    Frame.Text.setText(QStringLiteral("Chances : %1").arg(Chances));
    Frame.Text.setTextFormat(Qt::PlainText);
    Frame.Text.prepare(QTransform(), Frame.Font);
    Frame.TextPlace = QPoint(kAreaWidth - kCounterRightOffset, kCounterTop);
    return Frame;
}

void PaintFloorFrame(QPainter& Canvas, const TFloorFrame& Frame) {
    Canvas.fillRect(0, 0, kAreaWidth, kAreaHeight, kBackground);
    for (std::size_t Index = 0; Index < Frame.Places.size(); ++Index) {
        Canvas.drawImage(Frame.Places[Index], *Frame.Pictures[Index]);
    }
    Canvas.setFont(Frame.Font);
    Canvas.setPen(Qt::white);
    Canvas.drawStaticText(Frame.TextPlace, Frame.Text);
}

}  // namespace velmo::bench
