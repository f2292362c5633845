// Layout of a card-set file's trailer and the limits the reader applies to untrusted bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "ByteSource.h"

namespace velmo {

inline constexpr std::size_t kTagSize = 8;
inline constexpr std::size_t kNameFieldSize = 32;  // length byte + up to 31 characters
inline constexpr std::size_t kMaxNameLength = kNameFieldSize - 1;
inline constexpr std::size_t kDirectoryEntryCount = 10;
inline constexpr std::size_t kDirectoryEntrySize = 12;
inline constexpr std::size_t kTrailerSize =
    kTagSize + kNameFieldSize + kDirectoryEntryCount * kDirectoryEntrySize;  // 160
inline constexpr uint8_t kMaxSlotIndex = 9;

// Both tags: "KXD" and five zero bytes.
inline constexpr std::array<std::byte, kTagSize> kKxdTag = {
    std::byte{'K'}, std::byte{'X'}, std::byte{'D'}, std::byte{0},
    std::byte{0},   std::byte{0},   std::byte{0},   std::byte{0}};

// A picture needing more decoded memory than this (as 32-bit ARGB) is refused before decoding.
inline constexpr uint64_t kMaxDecodedImageBytes = 64ull * 1024 * 1024;

struct TDirectoryEntry {
    uint8_t Slot = 0;
    uint32_t Size = 0;
    uint32_t Offset = 0;
};

// The 160 bytes at the end of the file, split into fields.
struct TKxdTrailer {
    std::array<std::byte, kMaxNameLength> NameChars{};
    std::size_t NameLength = 0;  // already capped at kMaxNameLength
    std::array<TDirectoryEntry, kDirectoryEntryCount> Directory{};
};

// False when the source is not a card set: shorter than a trailer, or either tag differs.
// Reads past the end raise TStreamReadError.
bool ReadKxdTrailer(TByteSource& Source, TKxdTrailer& Trailer);

// True when [Offset, Offset + Size) lies inside a source of SourceSize bytes.
constexpr bool RangeInside(uint64_t Offset, uint64_t Size, uint64_t SourceSize) {
    return Size <= SourceSize && Offset <= SourceSize - Size;
}

}  // namespace velmo
