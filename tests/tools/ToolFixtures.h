// Pictures, files and command runs shared by the tool's tests.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include "tools/cardset/KxdWriter.h"

namespace velmo::tool::fixtures {

// A picture that differs from every other slot's: a flat colour and a marker pixel.
QImage CardPicture(int Slot, int Width = kCardWidth, int Height = kCardHeight);
QByteArray PngOf(const QImage& Picture);
QByteArray BmpOf(const QImage& Picture);

// Ten valid 100 x 160 PNG pictures, slot by slot.
TCardPictures ValidPictures();

QByteArray ReadAll(const QString& Path);
void WriteAll(const QString& Path, const QByteArray& Bytes);

struct TRun {
    int Status = 0;
    QString Out;
    QString Err;
};

// Runs the tool's command line (without the program name) and captures both streams.
TRun RunTool(const QStringList& Args);

}  // namespace velmo::tool::fixtures
