// Lays out card-set bytes for tests and makes the PNG payloads with QImage.
#include "tests/support/KxdWriter.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include <QBuffer>
#include <QImage>

namespace velmo::test {
namespace {

constexpr std::size_t kNameFieldSize = 32;
constexpr std::size_t kEntrySize = 12;

void PutU32(TBytes& Out, std::size_t At, uint32_t Value) {
    for (int i = 0; i < 4; ++i) {
        Out[At + i] = static_cast<std::byte>((Value >> (8 * i)) & 0xFFu);
    }
}

// PNG layout: 8-byte signature, then the IHDR chunk: length, type, width, height, ..., CRC.
constexpr std::size_t kIhdrTypeAt = 12;
constexpr std::size_t kIhdrWidthAt = 16;
constexpr std::size_t kIhdrHeightAt = 20;
constexpr std::size_t kIhdrCrcAt = 29;
constexpr std::size_t kIhdrCrcCovered = 17;  // type and 13 data bytes

void PutU32BE(TBytes& Out, std::size_t At, uint32_t Value) {
    for (int i = 0; i < 4; ++i) {
        Out[At + i] = static_cast<std::byte>((Value >> (24 - 8 * i)) & 0xFFu);
    }
}

uint32_t Crc32(const std::byte* Data, std::size_t Length) {
    uint32_t Crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < Length; ++i) {
        Crc ^= static_cast<uint32_t>(Data[i]);
        for (int Bit = 0; Bit < 8; ++Bit) {
            Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1u)));
        }
    }
    return ~Crc;
}

}  // namespace

TBytes WithPngDimensions(TBytes Png, uint32_t Width, uint32_t Height) {
    if (Png.size() < kIhdrCrcAt + 4) {
        throw std::logic_error("not a PNG with a header chunk");
    }
    PutU32BE(Png, kIhdrWidthAt, Width);
    PutU32BE(Png, kIhdrHeightAt, Height);
    PutU32BE(Png, kIhdrCrcAt, Crc32(Png.data() + kIhdrTypeAt, kIhdrCrcCovered));
    return Png;
}

TBytes WithChunkClaiming(TBytes Png, uint32_t DeclaredLength, std::size_t BytesGiven) {
    if (Png.size() < kIhdrCrcAt + 4) {
        throw std::logic_error("not a PNG with a header chunk");
    }
    TBytes Chunk(8 + BytesGiven, std::byte{'x'});
    PutU32BE(Chunk, 0, DeclaredLength);
    const char Type[] = "zTXt";
    for (std::size_t At = 0; At < 4; ++At) {
        Chunk[4 + At] = static_cast<std::byte>(Type[At]);
    }
    Png.insert(Png.begin() + kIhdrCrcAt + 4, Chunk.begin(), Chunk.end());
    return Png;
}

TKxdEntry& TKxdWriter::Add(uint8_t Slot, TBytes Payload) {
    Entries.push_back(TKxdEntry{Slot, std::move(Payload), std::nullopt, std::nullopt});
    return Entries.back();
}

TBytes TKxdWriter::Build() const {
    if (Entries.size() > kKxdDirectoryEntries) {
        throw std::logic_error("a card set holds at most ten directory entries");
    }
    TBytes Out(LeadingTag.begin(), LeadingTag.end());
    Out.insert(Out.end(), Padding.begin(), Padding.end());

    std::vector<uint32_t> Placed;
    for (const TKxdEntry& Entry : Entries) {
        Placed.push_back(static_cast<uint32_t>(Out.size()));
        Out.insert(Out.end(), Entry.Payload.begin(), Entry.Payload.end());
    }

    Out.insert(Out.end(), TrailingTag.begin(), TrailingTag.end());

    const std::size_t NameAt = Out.size();
    Out.resize(NameAt + kNameFieldSize, std::byte{0});
    Out[NameAt] =
        static_cast<std::byte>(NameLength.value_or(static_cast<uint8_t>(NameBytes.size())));
    const std::size_t Copied = std::min(NameBytes.size(), kNameFieldSize - 1);
    for (std::size_t i = 0; i < Copied; ++i) {
        Out[NameAt + 1 + i] = static_cast<std::byte>(NameBytes[i]);
    }

    const std::size_t DirectoryAt = Out.size();
    Out.resize(DirectoryAt + kKxdDirectoryEntries * kEntrySize, std::byte{0});
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        const TKxdEntry& Entry = Entries[i];
        const std::size_t At = DirectoryAt + i * kEntrySize;
        Out[At] = static_cast<std::byte>(Entry.Slot);
        PutU32(Out, At + 4, Entry.Size.value_or(static_cast<uint32_t>(Entry.Payload.size())));
        PutU32(Out, At + 8, Entry.Offset.value_or(Placed[i]));
    }
    return Out;
}

TBytes SolidPng(int Width, int Height, QColor Colour, bool TransparentCorner) {
    QImage Image(Width, Height, QImage::Format_ARGB32);
    Image.fill(Colour);
    if (TransparentCorner && Width > 0 && Height > 0) {
        Image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    }
    QByteArray Encoded;
    QBuffer Buffer(&Encoded);
    Buffer.open(QIODevice::WriteOnly);
    if (!Image.save(&Buffer, "PNG")) {
        throw std::runtime_error("could not encode a test PNG");
    }
    const auto* First = reinterpret_cast<const std::byte*>(Encoded.constData());
    return TBytes(First, First + Encoded.size());
}

QColor SlotColour(int Slot, int Variant) {
    // Hues spread over the circle; a variant shifts them so two sets never share a colour.
    return QColor::fromHsv((Slot * 36 + Variant * 17) % 360, 200, 100 + 15 * (Variant % 10));
}

TKxdWriter CompleteSet(const std::string& NameBytes, int Variant) {
    TKxdWriter Writer;
    Writer.NameBytes = NameBytes;
    for (int Slot = 0; Slot < static_cast<int>(kKxdDirectoryEntries); ++Slot) {
        Writer.Add(static_cast<uint8_t>(Slot),
                   SolidPng(kCardWidth, kCardHeight, SlotColour(Slot, Variant)));
    }
    return Writer;
}

void WriteFile(const std::filesystem::path& Path, const TBytes& Bytes) {
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Bytes.data()),
              static_cast<std::streamsize>(Bytes.size()));
    if (!Out) {
        throw std::runtime_error("could not write " + Path.string());
    }
}

}  // namespace velmo::test
