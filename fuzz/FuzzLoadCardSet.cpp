// libFuzzer entry: every byte string is offered to the card-set reader as a file's contents.
#include <cstddef>
#include <cstdint>
#include <span>

#include <QtGlobal>

#include "cardset/KXDApi.h"

namespace {

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The PNG codec warns on every bad picture; the fuzzer only cares about crashes.
    qInstallMessageHandler(Quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::span<const std::byte> Bytes(reinterpret_cast<const std::byte*>(Data), Size);
    velmo::TMemorySource Source(Bytes);
    velmo::TCardImages Slots;
    velmo::CreateCardImages(Slots);
    QString Name;
    try {
        velmo::ReadCardSetName(Source, Name);
        velmo::LoadCardSet(Source, Slots, Name);
    } catch (const velmo::TCardSetError&) {
        // a clean refusal is the expected outcome for most inputs
    }
    velmo::FreeCardImages(Slots);
    return 0;
}
