// The pack verb: a name, a back and nine faces into a card-set file.
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "cardset/Windows1252.h"
#include "tools/cardset/KxdWriter.h"
#include "tools/cardset/Picture.h"
#include "tools/cardset/ToolError.h"
#include "tools/cardset/Verbs.h"

namespace velmo::tool {

namespace {

constexpr qsizetype kPackArgCount = 3 + kSlotCount - 1;  // OUT NAME BACK FACE1..FACE9

QByteArray EncodeName(const QString& Name) {
    for (QChar Char : Name) {
        if (Char.category() == QChar::Other_Control) {
            throw TToolError(
                QStringLiteral("le nom « %1 » contient un caractère de contrôle").arg(Name));
        }
    }
    QString Bad;
    const std::optional<QByteArray> Bytes = EncodeWindows1252(Name, &Bad);
    if (!Bytes) {
        throw TToolError(
            QStringLiteral("le caractère « %1 » du nom « %2 » n'existe pas en Windows-1252")
                .arg(Bad, Name));
    }
    if (Bytes->size() > kMaxNameLength) {
        throw TToolError(QStringLiteral("le nom « %1 » fait %2 caractères, %3 au plus")
                             .arg(Name)
                             .arg(Bytes->size())
                             .arg(kMaxNameLength));
    }
    return *Bytes;
}

void WriteFile(const QString& Path, const QByteArray& Bytes) {
    const QString Folder = QFileInfo(Path).absolutePath();
    if (!QDir().mkpath(Folder)) {
        throw TToolError(QStringLiteral("impossible de créer le dossier « %1 »").arg(Folder));
    }
    // QSaveFile leaves no half-written set behind when writing fails.
    QSaveFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit()) {
        throw TToolError(
            QStringLiteral("écriture de « %1 » impossible (%2)").arg(Path, File.errorString()));
    }
}

}  // namespace

int RunPack(const QStringList& Args, std::ostream& Out, std::ostream& Err) {
    if (Args.size() != kPackArgCount) {
        PrintError(Err, QStringLiteral("pack attend %1 arguments (SORTIE.kxd NOM DOS FACE1 ... "
                                       "FACE9), %2 donnés")
                            .arg(kPackArgCount)
                            .arg(Args.size()));
        Err << UsageText().toStdString();
        return kExitUsage;
    }
    const QString& OutPath = Args[0];
    try {
        const QByteArray Name = EncodeName(Args[1]);
        TCardPictures Pictures;
        for (int Slot = 0; Slot < kSlotCount; ++Slot) {
            Pictures[Slot] = LoadCardPicture(Args[2 + Slot]);
        }
        const QByteArray File = BuildCardSet(Name, Pictures);
        WriteFile(OutPath, File);
        PrintLine(Out, QStringLiteral("« %1 » : jeu « %2 » écrit (%3 octets)")
                           .arg(OutPath, Args[1])
                           .arg(File.size()));
        return kExitOk;
    } catch (const TToolError& Error) {
        PrintError(Err, QString::fromUtf8(Error.what()));
        return kExitFailure;
    }
}

}  // namespace velmo::tool
