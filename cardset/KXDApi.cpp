// Reads a card set's name and loads its ten pictures into the image slots, all or nothing.
#include "cardset/KXDApi.h"

#include <optional>
#include <system_error>

#include "cardset/KxdFormat.h"
#include "cardset/PngDecoder.h"
#include "cardset/Windows1252.h"

namespace velmo {
namespace {

QString DecodeName(const TKxdTrailer& Trailer) {
    return DecodeWindows1252(std::span(Trailer.NameChars).first(Trailer.NameLength));
}

// Only a regular file can hold a card set. A folder is no set, and a named pipe or a device
// would block or never end when read, so they count as no file at all.
bool FileExists(const std::filesystem::path& Path) {
    std::error_code Error;
    const auto Status = std::filesystem::status(Path, Error);
    return !Error && std::filesystem::is_regular_file(Status);
}

QImage LoadEntry(TByteSource& Source, const TDirectoryEntry& Entry) {
    // The range is checked against the source before anything is allocated for it.
    if (!RangeInside(Entry.Offset, Entry.Size, Source.Size())) {
        throw TStreamReadError();
    }
    QByteArray Data(static_cast<qsizetype>(Entry.Size), Qt::Uninitialized);
    Source.ReadAt(Entry.Offset, std::as_writable_bytes(std::span(Data.data(), Data.size())));
    if (Entry.Slot > kMaxSlotIndex) {
        throw TSlotRangeError("Indice d'image hors limites (" + std::to_string(Entry.Slot) + ")");
    }
    return DecodeCardPng(Data);
}

}  // namespace

TStreamReadError::TStreamReadError() : TCardSetError("Erreur de lecture du flux") {}

void CreateCardImages(TCardImages& Slots) {
    Slots.fill(QImage());
}

void FreeCardImages(TCardImages& Slots) {
    Slots.fill(QImage());
}

bool ReadCardSetName(TByteSource& Source, QString& Name) {
    TKxdTrailer Trailer;
    if (!ReadKxdTrailer(Source, Trailer)) {
        return false;
    }
    Name = DecodeName(Trailer);
    return true;
}

bool ReadCardSetName(const std::filesystem::path& Path, QString& Name) {
    if (!FileExists(Path)) {
        return false;
    }
    TFileSource Source(Path);
    return ReadCardSetName(Source, Name);
}

bool LoadCardSet(TByteSource& Source, TCardImages& Slots, QString& Name) {
    TKxdTrailer Trailer;
    if (!ReadKxdTrailer(Source, Trailer)) {
        return false;
    }
    Name = DecodeName(Trailer);

    // Every entry is decoded before any slot changes, so a failure never leaves a mix of two
    // sets. Entries apply in directory order: a later entry for the same slot wins, and a slot
    // that no entry names keeps its picture.
    std::array<std::optional<QImage>, kCardImageCount> Decoded;
    for (const TDirectoryEntry& Entry : Trailer.Directory) {
        if (Entry.Size == 0) {
            continue;  // no picture: the slot stays as it is
        }
        QImage Picture = LoadEntry(Source, Entry);  // checks the slot index before it is used
        Decoded[Entry.Slot] = std::move(Picture);
    }
    for (std::size_t Slot = 0; Slot < Slots.size(); ++Slot) {
        if (Decoded[Slot]) {
            Slots[Slot] = std::move(*Decoded[Slot]);
        }
    }
    return true;
}

bool LoadCardSet(const std::filesystem::path& Path, TCardImages& Slots, QString& Name) {
    if (!FileExists(Path)) {
        return false;
    }
    TFileSource Source(Path);
    return LoadCardSet(Source, Slots, Name);
}

}  // namespace velmo
