// Lenient reader of card-set files: reads what it can and lists every problem it meets.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QIODevice>
#include <QSize>
#include <QString>

namespace velmo::tool {

enum class TProblemKind {
    Unreadable,   // the file cannot be opened or read
    TooShort,     // no room for both tags and the trailer
    NotACardSet,  // neither tag is there
    BadLeadingTag,
    BadTrailingTag,
    NameTooLong,  // length byte above 31
    SlotAboveNine,
    DuplicateSlot,
    MissingSlot,
    RangeOutsideFile,   // the entry's bytes run past the end of the file
    RangeOverlapsTags,  // inside the file but over the leading tag or the trailer
    EmptyImage,         // size 0
    NotPng,             // the bytes do not decode as a PNG file
    WrongDimensions,    // a picture other than 100 x 160
};

struct TProblem {
    TProblemKind Kind;
    QString Message;  // French, for the user
};

struct TInspectedEntry {
    int Index = 0;  // position in the directory
    unsigned Slot = 0;
    std::uint32_t Size = 0;
    std::uint32_t Offset = 0;
    bool InFile = false;              // the whole range lies inside the file
    std::optional<QSize> Dimensions;  // when the bytes decode as a PNG file
};

struct TInspection {
    std::uint64_t FileSize = 0;
    bool HasDirectory = false;  // the trailer was found and read
    QByteArray Name;            // Windows-1252 bytes, at most 31
    std::vector<TInspectedEntry> Entries;
    std::vector<TProblem> Problems;
};

// Device must be open for reading and allow seeking.
TInspection InspectCardSet(QIODevice& Device);
TInspection InspectCardSetFile(const QString& Path);

// Exactly Size bytes at Offset, or nothing when they are not all inside the device.
std::optional<QByteArray> ReadRange(QIODevice& Device, std::uint64_t Offset, std::uint64_t Size);

// "dos" for slot 0, "face N" for the others.
QString SlotLabel(unsigned Slot);

}  // namespace velmo::tool
