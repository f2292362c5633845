// Writer of card-set files: a Windows-1252 name and ten PNG files, the back first.
#pragma once

#include <array>
#include <cstdint>

#include <QByteArray>

#include "tools/cardset/KxdLayout.h"

namespace velmo::tool {

using TCardPictures = std::array<QByteArray, kSlotCount>;  // PNG bytes; index = slot

// Where each picture goes: the pictures follow the leading tag in slot order.
struct TCardSetPlan {
    std::array<std::uint32_t, kSlotCount> Offsets{};
    std::uint64_t FileSize = 0;
};

// The layout of a set whose pictures have these sizes; raises TToolError when the file
// would not fit what its 32-bit offsets can address.
TCardSetPlan PlanCardSet(const std::array<std::uint64_t, kSlotCount>& PictureSizes);

// The complete file. Name is Windows-1252, at most 31 bytes (TToolError otherwise).
// The pictures are stored as they are; the caller decides whether they are valid.
QByteArray BuildCardSet(const QByteArray& Name, const TCardPictures& Pictures);

}  // namespace velmo::tool
