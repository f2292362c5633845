// Windows-1252 differs from Latin-1 only in 0x80-0x9F; a table covers those, the rest maps 1:1.
#include "cardset/Windows1252.h"

#include <array>
#include <cstdint>

#include <QList>

namespace velmo {
namespace {

constexpr uint8_t kTableStart = 0x80;
constexpr uint8_t kTableEnd = 0x9F;

// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their
// Latin-1 value, as Windows itself decodes them.
constexpr std::array<char16_t, kTableEnd - kTableStart + 1> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(uint8_t Code) {
    return Code >= kTableStart && Code <= kTableEnd ? kHighTable[Code - kTableStart] : Code;
}

std::optional<uint8_t> ByteOf(char32_t CodePoint) {
    for (unsigned Code = 0; Code <= 0xFF; ++Code) {
        if (CodePointOf(static_cast<uint8_t>(Code)) == CodePoint) {
            return static_cast<uint8_t>(Code);
        }
    }
    return std::nullopt;
}

}  // namespace

QString DecodeWindows1252(std::span<const std::byte> Bytes) {
    QString Text;
    Text.reserve(static_cast<qsizetype>(Bytes.size()));
    for (std::byte Byte : Bytes) {
        Text.append(QChar(static_cast<char16_t>(CodePointOf(static_cast<uint8_t>(Byte)))));
    }
    return Text;
}

std::optional<QByteArray> EncodeWindows1252(const QString& Text, QString* FirstBad) {
    QByteArray Bytes;
    for (char32_t CodePoint : Text.toUcs4()) {
        const std::optional<uint8_t> Byte = ByteOf(CodePoint);
        if (!Byte) {
            if (FirstBad) {
                *FirstBad = QString::fromUcs4(&CodePoint, 1);
            }
            return std::nullopt;
        }
        Bytes.append(static_cast<char>(*Byte));
    }
    return Bytes;
}

}  // namespace velmo
