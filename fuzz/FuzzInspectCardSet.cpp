// libFuzzer entry for velmo-cardset's inspector: any bytes are inspected without a crash, and
// a file the inspector passes without a single problem is one the game loads completely.
#include <cstddef>
#include <cstdint>
#include <span>

#include <QBuffer>
#include <QByteArray>

#include "cardset/KXDApi.h"
#include "fuzz/FuzzSupport.h"
#include "tools/cardset/KxdInspector.h"

namespace {

using velmo::fuzz::Require;

bool GameLoadsEverySlot(std::span<const std::byte> Bytes) {
    velmo::TMemorySource Source(Bytes);
    velmo::TCardImages Slots;
    QString Name;
    try {
        if (!velmo::LoadCardSet(Source, Slots, Name)) {
            return false;
        }
    } catch (const velmo::TCardSetError&) {
        return false;
    }
    for (const QImage& Picture : Slots) {
        if (Picture.isNull()) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    velmo::fuzz::SilenceQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    QByteArray Bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    QBuffer Device(&Bytes);
    Device.open(QIODevice::ReadOnly);
    const velmo::tool::TInspection Inspection = velmo::tool::InspectCardSet(Device);
    if (Inspection.Problems.empty()) {
        Require(GameLoadsEverySlot(std::as_bytes(std::span(Data, Size))),
                "a set that passes the check loads in the game with all ten pictures");
    }
    return 0;
}
