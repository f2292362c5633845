// Inspects a card-set file field by field, checking every range against the file size first.
#include "tools/cardset/KxdInspector.h"

#include <array>

#include <QFile>

#include "tools/cardset/KxdLayout.h"
#include "tools/cardset/Picture.h"

namespace velmo::tool {

namespace {

const QByteArray kTagBytes(kTag.data(), static_cast<qsizetype>(kTagSize));

std::uint32_t ReadU32(const QByteArray& Bytes, qsizetype At) {
    std::uint32_t Value = 0;
    for (int i = 3; i >= 0; --i) {
        Value = (Value << 8) | static_cast<unsigned char>(Bytes[At + i]);
    }
    return Value;
}

class TInspector {
  public:
    TInspector(QIODevice& Device, TInspection& Result) : Device(Device), Result(Result) {}

    void Run() {
        Result.FileSize = static_cast<std::uint64_t>(Device.size());
        const std::uint64_t Size = Result.FileSize;
        if (Size < kMinFileSize) {
            Add(TProblemKind::TooShort,
                QStringLiteral("trop court : %1 octets, il en faut au moins %2 pour les deux "
                               "étiquettes, le nom et le répertoire")
                    .arg(Size)
                    .arg(kMinFileSize));
            return;
        }
        TrailerStart = Size - kTrailerSize;
        std::optional<QByteArray> Leading = ReadRange(Device, 0, kTagSize);
        std::optional<QByteArray> Trailer = ReadRange(Device, TrailerStart, kTrailerSize);
        if (!Leading || !Trailer) {
            Add(TProblemKind::Unreadable, QStringLiteral("lecture du fichier interrompue"));
            return;
        }
        const bool LeadingOk = *Leading == kTagBytes;
        const bool TrailingOk = Trailer->left(kTagSize) == kTagBytes;
        if (!LeadingOk && !TrailingOk) {
            Add(TProblemKind::NotACardSet,
                QStringLiteral("pas un jeu de cartes : aucune des deux étiquettes « KXD » n'est "
                               "présente"));
            return;
        }
        if (!LeadingOk) {
            Add(TProblemKind::BadLeadingTag,
                QStringLiteral("l'étiquette de tête (octets 0 à 7) n'est pas « KXD » suivi de cinq "
                               "octets nuls"));
        }
        if (!TrailingOk) {
            Add(TProblemKind::BadTrailingTag,
                QStringLiteral("l'étiquette de fin (position %1) n'est pas « KXD » suivi de cinq "
                               "octets nuls")
                    .arg(TrailerStart));
        }
        Result.HasDirectory = true;
        ReadName(Trailer->mid(kTagSize, kNameFieldSize));
        ReadDirectory(Trailer->mid(kTagSize + kNameFieldSize, kDirectorySize));
        CheckSlots();
    }

  private:
    void Add(TProblemKind Kind, const QString& Message) {
        Result.Problems.push_back({Kind, Message});
    }

    void ReadName(const QByteArray& Field) {
        const int Length = static_cast<unsigned char>(Field[0]);
        if (Length > kMaxNameLength) {
            Add(TProblemKind::NameTooLong,
                QStringLiteral("le nom annonce %1 caractères, le champ n'en contient que %2")
                    .arg(Length)
                    .arg(kMaxNameLength));
        }
        Result.Name = Field.mid(1, std::min(Length, kMaxNameLength));
    }

    void ReadDirectory(const QByteArray& Directory) {
        for (int i = 0; i < kSlotCount; ++i) {
            const qsizetype At = i * static_cast<qsizetype>(kEntrySize);
            TInspectedEntry Entry;
            Entry.Index = i;
            Entry.Slot = static_cast<unsigned char>(Directory[At]);
            Entry.Size = ReadU32(Directory, At + static_cast<qsizetype>(kEntrySizeField));
            Entry.Offset = ReadU32(Directory, At + static_cast<qsizetype>(kEntryOffsetField));
            InspectEntry(Entry);
            Result.Entries.push_back(Entry);
        }
    }

    QString EntryName(const TInspectedEntry& Entry) const {
        return QStringLiteral("entrée %1 (emplacement %2)").arg(Entry.Index).arg(Entry.Slot);
    }

    void InspectEntry(TInspectedEntry& Entry) {
        if (Entry.Slot > static_cast<unsigned>(kMaxSlot)) {
            Add(TProblemKind::SlotAboveNine,
                QStringLiteral("%1 : emplacement au-delà de 9").arg(EntryName(Entry)));
        }
        const std::uint64_t Size = Result.FileSize;
        if (Entry.Offset > Size || Entry.Size > Size - Entry.Offset) {
            Add(TProblemKind::RangeOutsideFile,
                QStringLiteral("%1 : les octets %2 à %3 sortent du fichier (%4 octets)")
                    .arg(EntryName(Entry))
                    .arg(Entry.Offset)
                    .arg(static_cast<std::uint64_t>(Entry.Offset) + Entry.Size)
                    .arg(Size));
            return;
        }
        Entry.InFile = true;
        if (Entry.Size == 0) {
            Add(TProblemKind::EmptyImage, QStringLiteral("%1 : image vide").arg(EntryName(Entry)));
            return;
        }
        if (Entry.Offset < kTagSize || Entry.Offset > TrailerStart ||
            Entry.Size > TrailerStart - Entry.Offset) {
            Add(TProblemKind::RangeOverlapsTags,
                QStringLiteral("%1 : l'image (octets %2 à %3) empiète sur l'étiquette de tête ou "
                               "sur la fin du fichier")
                    .arg(EntryName(Entry))
                    .arg(Entry.Offset)
                    .arg(static_cast<std::uint64_t>(Entry.Offset) + Entry.Size));
        }
        const std::optional<QByteArray> Bytes = ReadRange(Device, Entry.Offset, Entry.Size);
        if (!Bytes) {
            Add(TProblemKind::Unreadable,
                QStringLiteral("%1 : lecture interrompue").arg(EntryName(Entry)));
            return;
        }
        const std::optional<QImage> Picture = DecodePng(*Bytes);
        if (!Picture) {
            Add(TProblemKind::NotPng,
                QStringLiteral("%1 : les données ne sont pas une image PNG lisible")
                    .arg(EntryName(Entry)));
            return;
        }
        Entry.Dimensions = Picture->size();
        if (Picture->width() != kCardWidth || Picture->height() != kCardHeight) {
            Add(TProblemKind::WrongDimensions,
                QStringLiteral("%1 : l'image fait %2 × %3 pixels au lieu de %4 × %5")
                    .arg(EntryName(Entry))
                    .arg(Picture->width())
                    .arg(Picture->height())
                    .arg(kCardWidth)
                    .arg(kCardHeight));
        }
    }

    void CheckSlots() {
        std::array<QStringList, kSlotCount> Namers;
        for (const TInspectedEntry& Entry : Result.Entries) {
            if (Entry.Slot <= static_cast<unsigned>(kMaxSlot)) {
                Namers[Entry.Slot].append(QString::number(Entry.Index));
            }
        }
        for (unsigned Slot = 0; Slot < static_cast<unsigned>(kSlotCount); ++Slot) {
            if (Namers[Slot].isEmpty()) {
                Add(TProblemKind::MissingSlot, QStringLiteral("aucune entrée pour l'emplacement "
                                                              "%1 (%2)")
                                                   .arg(Slot)
                                                   .arg(SlotLabel(Slot)));
            } else if (Namers[Slot].size() > 1) {
                Add(TProblemKind::DuplicateSlot,
                    QStringLiteral("l'emplacement %1 (%2) est donné par plusieurs entrées : %3")
                        .arg(Slot)
                        .arg(SlotLabel(Slot), Namers[Slot].join(QStringLiteral(", "))));
            }
        }
    }

    QIODevice& Device;
    TInspection& Result;
    std::uint64_t TrailerStart = 0;
};

}  // namespace

std::optional<QByteArray> ReadRange(QIODevice& Device, std::uint64_t Offset, std::uint64_t Size) {
    const std::uint64_t DeviceSize = static_cast<std::uint64_t>(Device.size());
    if (Offset > DeviceSize || Size > DeviceSize - Offset) {
        return std::nullopt;
    }
    if (!Device.seek(static_cast<qint64>(Offset))) {
        return std::nullopt;
    }
    QByteArray Bytes = Device.read(static_cast<qint64>(Size));
    if (static_cast<std::uint64_t>(Bytes.size()) != Size) {
        return std::nullopt;
    }
    return Bytes;
}

QString SlotLabel(unsigned Slot) {
    return Slot == 0 ? QStringLiteral("dos") : QStringLiteral("face %1").arg(Slot);
}

TInspection InspectCardSet(QIODevice& Device) {
    TInspection Result;
    TInspector(Device, Result).Run();
    return Result;
}

TInspection InspectCardSetFile(const QString& Path) {
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly)) {
        TInspection Result;
        Result.Problems.push_back(
            {TProblemKind::Unreadable,
             QStringLiteral("ouverture impossible (%1)").arg(File.errorString())});
        return Result;
    }
    return InspectCardSet(File);
}

}  // namespace velmo::tool
