// Decoding of the single-byte Windows-1252 text that card-set names are stored in.
#pragma once

#include <cstddef>
#include <span>

#include <QString>

namespace velmo {

QString DecodeWindows1252(std::span<const std::byte> Bytes);

}  // namespace velmo
