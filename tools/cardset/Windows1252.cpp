// Windows-1252: ASCII, then 0x80-0x9F as typographic signs, then Latin-1 from 0xA0.
#include "tools/cardset/Windows1252.h"

#include <array>

#include <QList>

namespace velmo::tool {

namespace {

constexpr char32_t kUnassigned = 0xFFFD;
constexpr unsigned kHighBlockStart = 0x80;
constexpr unsigned kLatin1Start = 0xA0;

// Code points of bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC,      kUnassigned, 0x201A, 0x0192, 0x201E, 0x2026,      0x2020, 0x2021,       // 0x80
    0x02C6,      0x2030,      0x0160, 0x2039, 0x0152, kUnassigned, 0x017D, kUnassigned,  // 0x88
    kUnassigned, 0x2018,      0x2019, 0x201C, 0x201D, 0x2022,      0x2013, 0x2014,       // 0x90
    0x02DC,      0x2122,      0x0161, 0x203A, 0x0153, kUnassigned, 0x017E, 0x0178};      // 0x98

char32_t CodePointOf(unsigned char Byte) {
    if (Byte >= kHighBlockStart && Byte < kLatin1Start) {
        return kHighBlock[Byte - kHighBlockStart];
    }
    return Byte;
}

std::optional<unsigned char> ByteOf(char32_t CodePoint) {
    if (CodePoint < kHighBlockStart || (CodePoint >= kLatin1Start && CodePoint <= 0xFF)) {
        return static_cast<unsigned char>(CodePoint);
    }
    for (unsigned i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] == CodePoint && CodePoint != kUnassigned) {
            return static_cast<unsigned char>(kHighBlockStart + i);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<QByteArray> EncodeWindows1252(const QString& Text, QString* FirstBad) {
    QByteArray Bytes;
    for (char32_t CodePoint : Text.toUcs4()) {
        const std::optional<unsigned char> Byte = ByteOf(CodePoint);
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

QString DecodeWindows1252(const QByteArray& Bytes) {
    QString Text;
    for (char Byte : Bytes) {
        const char32_t CodePoint = CodePointOf(static_cast<unsigned char>(Byte));
        Text.append(QString::fromUcs4(&CodePoint, 1));
    }
    return Text;
}

}  // namespace velmo::tool
