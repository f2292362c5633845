// Splits a card-set trailer into tag, name and directory, reading every field byte-wise.
#include "cardset/KxdFormat.h"

#include <algorithm>

namespace velmo {
namespace {

constexpr std::size_t kNameAt = kTagSize;
constexpr std::size_t kDirectoryAt = kTagSize + kNameFieldSize;
constexpr std::size_t kEntrySizeField = 4;
constexpr std::size_t kEntryOffsetField = 8;

uint32_t ReadU32LE(std::span<const std::byte> Bytes, std::size_t At) {
    uint32_t Value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        Value |= static_cast<uint32_t>(Bytes[At + i]) << (8 * i);
    }
    return Value;
}

bool IsTag(std::span<const std::byte> Bytes) {
    return std::equal(kKxdTag.begin(), kKxdTag.end(), Bytes.begin());
}

}  // namespace

bool ReadKxdTrailer(TByteSource& Source, TKxdTrailer& Trailer) {
    const uint64_t FileSize = Source.Size();
    if (FileSize < kTrailerSize) {
        return false;
    }
    std::array<std::byte, kTagSize> Leading{};
    Source.ReadAt(0, Leading);
    if (!IsTag(Leading)) {
        return false;
    }
    std::array<std::byte, kTrailerSize> Bytes{};
    Source.ReadAt(FileSize - kTrailerSize, Bytes);
    if (!IsTag(std::span(Bytes).first(kTagSize))) {
        return false;
    }

    // A length byte above 31 cannot fit the field: the 31 bytes the field holds are read.
    Trailer.NameLength = std::min(static_cast<std::size_t>(Bytes[kNameAt]), kMaxNameLength);
    std::copy_n(Bytes.begin() + kNameAt + 1, kMaxNameLength, Trailer.NameChars.begin());

    for (std::size_t i = 0; i < kDirectoryEntryCount; ++i) {
        const std::size_t At = kDirectoryAt + i * kDirectoryEntrySize;
        Trailer.Directory[i].Slot = static_cast<uint8_t>(Bytes[At]);
        Trailer.Directory[i].Size = ReadU32LE(Bytes, At + kEntrySizeField);
        Trailer.Directory[i].Offset = ReadU32LE(Bytes, At + kEntryOffsetField);
    }
    return true;
}

}  // namespace velmo
