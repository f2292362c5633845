// Byte layout of a card-set file: leading tag, PNG data, then a 160-byte trailer.
#pragma once

#include <array>
#include <cstdint>

namespace velmo::tool {

// "KXD" and five zero bytes, at the start of the file and again at the start of the trailer.
inline constexpr std::array<char, 8> kTag = {'K', 'X', 'D', 0, 0, 0, 0, 0};
inline constexpr std::uint64_t kTagSize = kTag.size();

inline constexpr int kSlotCount = 10;  // slot 0 the back, slots 1 to 9 the faces
inline constexpr int kMaxSlot = kSlotCount - 1;

inline constexpr std::uint64_t kNameFieldSize = 32;  // length byte + characters + filler
inline constexpr int kMaxNameLength = 31;
inline constexpr std::uint64_t kEntrySize = 12;  // slot, 3 filler, size u32, offset u32
inline constexpr std::uint64_t kEntrySizeField = 4;
inline constexpr std::uint64_t kEntryOffsetField = 8;
inline constexpr std::uint64_t kDirectorySize = kEntrySize * kSlotCount;
inline constexpr std::uint64_t kTrailerSize = kTagSize + kNameFieldSize + kDirectorySize;

// Smallest well-formed file: both tags, the name and a directory of empty images.
inline constexpr std::uint64_t kMinFileSize = kTagSize + kTrailerSize;

// Offsets and sizes are unsigned 32-bit, so no byte of a file may lie beyond this.
inline constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

inline constexpr int kCardWidth = 100;
inline constexpr int kCardHeight = 160;

}  // namespace velmo::tool
