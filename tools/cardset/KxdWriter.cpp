// Lays out and writes a card-set file: tag, pictures, tag, name field, directory.
#include "tools/cardset/KxdWriter.h"

#include "tools/cardset/ToolError.h"

namespace velmo::tool {

namespace {

void AppendU32(QByteArray& Out, std::uint32_t Value) {
    for (int Shift = 0; Shift < 32; Shift += 8) {
        Out.append(static_cast<char>((Value >> Shift) & 0xFFu));
    }
}

void AppendTag(QByteArray& Out) {
    Out.append(kTag.data(), static_cast<qsizetype>(kTagSize));
}

}  // namespace

TCardSetPlan PlanCardSet(const std::array<std::uint64_t, kSlotCount>& PictureSizes) {
    TCardSetPlan Plan;
    std::uint64_t Next = kTagSize;
    for (int Slot = 0; Slot < kSlotCount; ++Slot) {
        // Next never exceeds kMaxFileSize here, so the subtraction cannot wrap.
        if (PictureSizes[Slot] > kMaxFileSize - Next) {
            throw TToolError(QStringLiteral(
                "le jeu dépasserait 4 Gio, la taille que ses positions sur 32 bits peuvent "
                "adresser"));
        }
        Plan.Offsets[Slot] = static_cast<std::uint32_t>(Next);
        Next += PictureSizes[Slot];
    }
    if (kTrailerSize > kMaxFileSize - Next) {
        throw TToolError(QStringLiteral(
            "le jeu dépasserait 4 Gio, la taille que ses positions sur 32 bits peuvent adresser"));
    }
    Plan.FileSize = Next + kTrailerSize;
    return Plan;
}

QByteArray BuildCardSet(const QByteArray& Name, const TCardPictures& Pictures) {
    if (Name.size() > kMaxNameLength) {
        throw TToolError(QStringLiteral("le nom fait %1 octets en Windows-1252, %2 au plus")
                             .arg(Name.size())
                             .arg(kMaxNameLength));
    }
    std::array<std::uint64_t, kSlotCount> Sizes{};
    for (int Slot = 0; Slot < kSlotCount; ++Slot) {
        Sizes[Slot] = static_cast<std::uint64_t>(Pictures[Slot].size());
    }
    const TCardSetPlan Plan = PlanCardSet(Sizes);

    QByteArray Out;
    Out.reserve(static_cast<qsizetype>(Plan.FileSize));
    AppendTag(Out);
    for (const QByteArray& Picture : Pictures) {
        Out.append(Picture);
    }
    AppendTag(Out);

    QByteArray NameField(static_cast<qsizetype>(kNameFieldSize), '\0');
    NameField[0] = static_cast<char>(Name.size());
    NameField.replace(1, Name.size(), Name);
    Out.append(NameField);

    for (int Slot = 0; Slot < kSlotCount; ++Slot) {
        Out.append(static_cast<char>(Slot));
        Out.append(3, '\0');
        AppendU32(Out, static_cast<std::uint32_t>(Sizes[Slot]));
        AppendU32(Out, Plan.Offsets[Slot]);
    }
    return Out;
}

}  // namespace velmo::tool
