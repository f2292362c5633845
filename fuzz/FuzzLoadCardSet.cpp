// libFuzzer entry: every byte string is offered to the card-set reader as a file's contents,
// both for its name and for its pictures, and the reader's promises are checked on the way.
#include <cstddef>
#include <cstdint>
#include <span>

#include <QImage>

#include "cardset/KXDApi.h"
#include "fuzz/FuzzSupport.h"

namespace {

using velmo::fuzz::Require;

// The pictures the slots hold before each load: a failed load must leave exactly these.
const velmo::TCardImages& Previous() {
    static const velmo::TCardImages Slots = [] {
        velmo::TCardImages Made;
        for (int Slot = 0; Slot < velmo::kCardImageCount; ++Slot) {
            QImage Picture(4, 6, QImage::Format_ARGB32_Premultiplied);
            Picture.fill(qRgb(20 * Slot, 255 - 20 * Slot, 7));
            Made[static_cast<std::size_t>(Slot)] = Picture;
        }
        return Made;
    }();
    return Slots;
}

const QString kPreviousName = QStringLiteral("avant");

void CheckName(velmo::TByteSource& Source) {
    QString Name = kPreviousName;
    bool Read = false;
    try {
        Read = velmo::ReadCardSetName(Source, Name);
    } catch (const velmo::TCardSetError&) {
        // a clean refusal
    }
    Require(Read || Name == kPreviousName, "a file that is no card set leaves the name alone");
}

void CheckLoad(velmo::TByteSource& Source) {
    velmo::TCardImages Slots = Previous();
    QString Name = kPreviousName;
    bool Loaded = false;
    try {
        Loaded = velmo::LoadCardSet(Source, Slots, Name);
    } catch (const velmo::TCardSetError&) {
        Loaded = false;
    }
    if (!Loaded) {
        Require(Slots == Previous(), "a failed load leaves every slot as it was");
        return;
    }
    for (const QImage& Picture : Slots) {
        Require(Picture.format() == QImage::Format_ARGB32_Premultiplied,
                "a loaded picture is premultiplied ARGB");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    velmo::fuzz::SilenceQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::span<const std::byte> Bytes(reinterpret_cast<const std::byte*>(Data), Size);
    velmo::TMemorySource Source(Bytes);
    CheckName(Source);
    CheckLoad(Source);
    return 0;
}
