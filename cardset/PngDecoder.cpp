// PNG decoding through QImageReader, asked for PNG only, with a bound checked on the header.
#include "cardset/PngDecoder.h"

#include <cstdint>

#include <QBuffer>
#include <QByteArrayView>
#include <QImageReader>

#include "cardset/KXDApi.h"
#include "cardset/KxdFormat.h"

namespace velmo {
namespace {

constexpr uint64_t kBytesPerPixel = 4;  // 32-bit ARGB
constexpr QByteArrayView kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr qsizetype kSignatureSize = 8;
constexpr qsizetype kChunkHeaderSize = 8;  // length, then type
constexpr qsizetype kChunkCrcSize = 4;

uint32_t ReadBigEndian32(QByteArrayView Data, qsizetype At) {
    uint32_t Value = 0;
    for (qsizetype Byte = 0; Byte < 4; ++Byte) {
        Value = (Value << 8) | static_cast<uint8_t>(Data[At + Byte]);
    }
    return Value;
}

// True unless a chunk declares more bytes than the data holds. The PNG library allocates a
// chunk's declared length before reading it, so a few bytes claiming a gigabyte-long text chunk
// would otherwise cost a gigabyte. Everything else is left for the decoder to judge.
bool ChunksFitInData(const QByteArray& Data) {
    const QByteArrayView Bytes(Data);
    if (!Bytes.startsWith(kPngSignature)) {
        return true;  // not a PNG at all: the decoder says so
    }
    qsizetype At = kSignatureSize;
    while (Bytes.size() - At >= kChunkHeaderSize) {
        if (Bytes.sliced(At + 4, 4) == "IEND") {
            return true;
        }
        const uint32_t Length = ReadBigEndian32(Bytes, At);
        const qsizetype Left = Bytes.size() - At - kChunkHeaderSize;
        if (Length > static_cast<uint64_t>(Left) || Left - Length < kChunkCrcSize) {
            return false;
        }
        At += kChunkHeaderSize + static_cast<qsizetype>(Length) + kChunkCrcSize;
    }
    return true;
}

}  // namespace

QImage DecodeCardPng(const QByteArray& Data) {
    QBuffer Buffer;
    Buffer.setData(Data);
    Buffer.open(QIODevice::ReadOnly);

    if (!ChunksFitInData(Data)) {
        throw TImageError(
            "Image PNG invalide : un bloc annonce plus d'octets que l'image n'en "
            "contient");
    }

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
