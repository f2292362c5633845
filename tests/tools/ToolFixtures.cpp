// Builds the pictures and files the tool's tests work on.
#include "ToolFixtures.h"

#include <sstream>

#include <QBuffer>
#include <QFile>

#include "tools/cardset/Verbs.h"

namespace velmo::tool::fixtures {

namespace {

QByteArray Encode(const QImage& Picture, const char* Format) {
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    Picture.save(&Buffer, Format);
    return Bytes;
}

}  // namespace

QImage CardPicture(int Slot, int Width, int Height) {
    QImage Picture(Width, Height, QImage::Format_ARGB32);
    Picture.fill(QColor::fromHsv(Slot * 36, 200, 220));
    Picture.setPixelColor(Slot, Slot * 2, QColor(0, 0, 0, 128));
    return Picture;
}

QByteArray PngOf(const QImage& Picture) {
    return Encode(Picture, "PNG");
}
QByteArray BmpOf(const QImage& Picture) {
    return Encode(Picture, "BMP");
}

TCardPictures ValidPictures() {
    TCardPictures Pictures;
    for (int Slot = 0; Slot < kSlotCount; ++Slot) {
        Pictures[Slot] = PngOf(CardPicture(Slot));
    }
    return Pictures;
}

QByteArray ReadAll(const QString& Path) {
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly)) {
        return {};
    }
    return File.readAll();
}

void WriteAll(const QString& Path, const QByteArray& Bytes) {
    QFile File(Path);
    if (File.open(QIODevice::WriteOnly)) {
        File.write(Bytes);
    }
}

TRun RunTool(const QStringList& Args) {
    std::ostringstream Out;
    std::ostringstream Err;
    TRun Result;
    Result.Status = RunCommand(Args, Out, Err);
    Result.Out = QString::fromStdString(Out.str());
    Result.Err = QString::fromStdString(Err.str());
    return Result;
}

}  // namespace velmo::tool::fixtures
