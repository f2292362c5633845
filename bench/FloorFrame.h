// The floor of one frame: a bare painter fills the area, draws 18 pictures and one text line.
#pragma once

#include <array>

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QStaticText>
#include <QString>

#include "cardset/KXDApi.h"
#include "game/Board.h"

class QPainter;

namespace velmo::bench {

inline constexpr int kAreaWidth = 794;
inline constexpr int kAreaHeight = 525;
inline constexpr int kCardCount = kRows * kColumns;

struct TFloorFrame {
    std::array<const QImage*, kCardCount> Pictures{};
    std::array<QPoint, kCardCount> Places{};
    QFont Font;
    QStaticText Text;  // laid out once, as a frame that lays out nothing would
    QPoint TextPlace;
};

// The board's 18 places with, for each, the picture a game in progress shows there (a face for
// the turned cards, the back for the others), the counter's font, text and place.
TFloorFrame MakeFloorFrame(const TBoard& Board, const TCardImages& Images, bool Playing,
                           int Chances);

void PaintFloorFrame(QPainter& Canvas, const TFloorFrame& Frame);

}  // namespace velmo::bench
