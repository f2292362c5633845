// Byte layout of a card-set file, as the tool needs it: the reader's format constants, in the
// types the writer and the inspector compute with, plus the limits only a writer cares about.
#pragma once

#include <array>
#include <cstdint>

#include "cardset/KxdFormat.h"

namespace velmo::tool {

// "KXD" and five zero bytes, at the start of the file and again at the start of the trailer.
inline constexpr std::array<char, 8> kTag = {'K', 'X', 'D', 0, 0, 0, 0, 0};
static_assert([] {
    for (std::size_t i = 0; i < kTag.size(); ++i) {
        if (static_cast<std::byte>(kTag[i]) != velmo::kKxdTag[i]) {
            return false;
        }
    }
    return kTag.size() == velmo::kKxdTag.size();
}());
inline constexpr std::uint64_t kTagSize = velmo::kTagSize;

inline constexpr int kSlotCount = static_cast<int>(velmo::kDirectoryEntryCount);
inline constexpr int kMaxSlot = velmo::kMaxSlotIndex;

inline constexpr std::uint64_t kNameFieldSize = velmo::kNameFieldSize;
inline constexpr int kMaxNameLength = static_cast<int>(velmo::kMaxNameLength);
inline constexpr std::uint64_t kEntrySize = velmo::kDirectoryEntrySize;
inline constexpr std::uint64_t kEntrySizeField = 4;    // after the slot byte and 3 filler bytes
inline constexpr std::uint64_t kEntryOffsetField = 8;  // after the size
inline constexpr std::uint64_t kDirectorySize = kEntrySize * kSlotCount;
inline constexpr std::uint64_t kTrailerSize = velmo::kTrailerSize;

// Smallest well-formed file: both tags, the name and a directory of empty images.
inline constexpr std::uint64_t kMinFileSize = kTagSize + kTrailerSize;

// Offsets and sizes are unsigned 32-bit, so no byte of a file may lie beyond this.
inline constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

inline constexpr int kCardWidth = 100;
inline constexpr int kCardHeight = 160;

}  // namespace velmo::tool
