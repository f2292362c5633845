// Conversion between Unicode text and the single-byte Windows-1252 code page of set names.
#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace velmo::tool {

// The Windows-1252 bytes of Text, or nothing when a character has no Windows-1252 byte
// (FirstBad then receives that character).
std::optional<QByteArray> EncodeWindows1252(const QString& Text, QString* FirstBad = nullptr);

// Text of Windows-1252 bytes; the five unassigned bytes decode to U+FFFD.
QString DecodeWindows1252(const QByteArray& Bytes);

}  // namespace velmo::tool
