// The single-byte Windows-1252 text that card-set names are stored in, to and from Unicode.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include <QByteArray>
#include <QString>

namespace velmo {

QString DecodeWindows1252(std::span<const std::byte> Bytes);

// The Windows-1252 bytes of Text, or nothing when a character has no Windows-1252 byte
// (FirstBad then receives that character). Decoding the result gives Text back.
std::optional<QByteArray> EncodeWindows1252(const QString& Text, QString* FirstBad = nullptr);

}  // namespace velmo
