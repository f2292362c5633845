// PNG decoding through QImageReader, asked for PNG only, with a bound checked on the header.
#include "cardset/PngDecoder.h"

#include <cstdint>

#include <QBuffer>
#include <QImageReader>

#include "cardset/KXDApi.h"
#include "cardset/KxdFormat.h"

namespace velmo {
namespace {

constexpr uint64_t kBytesPerPixel = 4;  // 32-bit ARGB

}  // namespace

QImage DecodeCardPng(const QByteArray& Data) {
    QBuffer Buffer;
    Buffer.setData(Data);
    Buffer.open(QIODevice::ReadOnly);

    QImageReader Reader(&Buffer, "png");
    Reader.setDecideFormatFromContent(false);
    Reader.setAutoDetectImageFormat(false);

    // The header's dimensions are checked before any pixel memory is allocated.
    const QSize Declared = Reader.size();
    if (Declared.isValid()) {
        const uint64_t Bytes = static_cast<uint64_t>(Declared.width()) *
                               static_cast<uint64_t>(Declared.height()) * kBytesPerPixel;
        if (Bytes > kMaxDecodedImageBytes) {
            throw TImageError(QStringLiteral("Image PNG trop grande (%1 × %2 pixels)")
                                  .arg(Declared.width())
                                  .arg(Declared.height())
                                  .toStdString());
        }
    }

    QImage Image;
    if (!Reader.read(&Image) || Image.isNull()) {
        throw TImageError(
            QStringLiteral("Image PNG invalide : %1").arg(Reader.errorString()).toStdString());
    }
    // Converted once here so that painting never has to convert.
    Image.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (Image.isNull()) {
        throw TImageError("Image PNG invalide : mémoire insuffisante pour la convertir");
    }
    return Image;
}

}  // namespace velmo
