// Builds card-set (".kxd") bytes in memory for tests, well-formed or deliberately broken.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QColor>

namespace velmo::test {

using TBytes = std::vector<std::byte>;

inline constexpr std::array<std::byte, 8> kKxdTag = {std::byte{'K'}, std::byte{'X'}, std::byte{'D'},
                                                     std::byte{0},   std::byte{0},   std::byte{0},
                                                     std::byte{0},   std::byte{0}};
inline constexpr std::size_t kKxdTrailerSize = 160;
inline constexpr std::size_t kKxdDirectoryEntries = 10;
inline constexpr int kCardWidth = 100;
inline constexpr int kCardHeight = 160;

// One directory entry. Payload is placed in the image data by Build(); Size and Offset default
// to where it lands, and can be overridden to describe ranges that do not match the data.
struct TKxdEntry {
    uint8_t Slot = 0;
    TBytes Payload;
    std::optional<uint32_t> Size;
    std::optional<uint32_t> Offset;
};

class TKxdWriter {
  public:
    std::array<std::byte, 8> LeadingTag = kKxdTag;
    std::array<std::byte, 8> TrailingTag = kKxdTag;
    std::string NameBytes;              // raw Windows-1252 bytes, at most 31 of them fit the field
    std::optional<uint8_t> NameLength;  // overrides the length byte (defaults to NameBytes.size())
    TBytes Padding;                     // extra bytes between the leading tag and the first payload
    std::vector<TKxdEntry> Entries;     // at most ten; missing ones are written as all-zero entries

    TKxdEntry& Add(uint8_t Slot, TBytes Payload);
    // Lays out tag, payloads, trailing tag, name and directory.
    TBytes Build() const;
};

// A PNG of Width x Height filled with Colour (its alpha kept). With TransparentCorner the
// top-left pixel is fully transparent.
TBytes SolidPng(int Width, int Height, QColor Colour, bool TransparentCorner = false);

// Png with the width and height of its header replaced (and the header's CRC recomputed), so
// the picture declares dimensions its data does not hold.
TBytes WithPngDimensions(TBytes Png, uint32_t Width, uint32_t Height);

// Png with a text chunk right after its header that declares DeclaredLength bytes of data while
// BytesGiven bytes follow its type.
TBytes WithChunkClaiming(TBytes Png, uint32_t DeclaredLength, std::size_t BytesGiven);

// A distinct, opaque colour for each slot 0..9, so tests can tell the pictures apart.
QColor SlotColour(int Slot, int Variant = 0);

// A complete set: slots 0..9 in order, each a kCardWidth x kCardHeight PNG of SlotColour(slot,
// Variant).
TKxdWriter CompleteSet(const std::string& NameBytes, int Variant = 0);

void WriteFile(const std::filesystem::path& Path, const TBytes& Bytes);

}  // namespace velmo::test
