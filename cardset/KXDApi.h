// Reader of card-set files (".kxd"): a set name and ten PNG pictures, a back and nine faces.
#pragma once

#include <array>
#include <filesystem>
#include <stdexcept>

#include <QImage>
#include <QString>

#include "ByteSource.h"

namespace velmo {

inline constexpr int kCardImageCount = 10;  // slot 0 the back, slot v the face of value v

// The image slots. Each picture is kept premultiplied ARGB, the format QPainter draws fastest.
using TCardImages = std::array<QImage, kCardImageCount>;

// Errors the reader raises; what() is a French message for the player.
class TCardSetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class TStreamReadError : public TCardSetError {  // "Erreur de lecture du flux"
public:
    TStreamReadError();
};
class TOpenError : public TCardSetError {  // names the path and the system's reason
public:
    using TCardSetError::TCardSetError;
};
class TSlotRangeError : public TCardSetError {  // a slot index above 9
public:
    using TCardSetError::TCardSetError;
};
class TImageError : public TCardSetError {  // the PNG decoder refused the data
public:
    using TCardSetError::TCardSetError;
};

void CreateCardImages(TCardImages& Slots);
void FreeCardImages(TCardImages& Slots);

// True when the source is a card set; Name receives the decoded set name only then.
bool ReadCardSetName(TByteSource& Source, QString& Name);
bool ReadCardSetName(const std::filesystem::path& Path, QString& Name);

// True when the source is a card set and every directory entry was loaded. All or nothing:
// the slots change only when every entry decoded; otherwise the error propagates and no slot
// changes. Name receives the set name whenever both tags matched.
bool LoadCardSet(TByteSource& Source, TCardImages& Slots, QString& Name);
bool LoadCardSet(const std::filesystem::path& Path, TCardImages& Slots, QString& Name);

}  // namespace velmo
