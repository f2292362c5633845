// The extract verb: each picture of a set written back out, byte for byte, as its own file.
#include <set>

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "tools/cardset/KxdInspector.h"
#include "tools/cardset/KxdLayout.h"
#include "tools/cardset/Verbs.h"

namespace velmo::tool {

namespace {

// "0-dos.png", "1-face.png" ... "9-face.png"; a slot given again by a later entry gets that
// entry's number too, so that no picture is lost.
QString PictureFileName(const TInspectedEntry& Entry, std::set<unsigned>& Taken) {
    const QString Base = QStringLiteral("%1-%2")
                             .arg(Entry.Slot)
                             .arg(Entry.Slot == 0 ? QStringLiteral("dos") : QStringLiteral("face"));
    if (Taken.insert(Entry.Slot).second) {
        return Base + QStringLiteral(".png");
    }
    return Base + QStringLiteral("-entree%1.png").arg(Entry.Index);
}

}  // namespace

int RunExtract(const QStringList& Args, std::ostream& Out, std::ostream& Err) {
    if (Args.size() != 2) {
        PrintError(Err, QStringLiteral("extract attend un fichier .kxd et un dossier"));
        Err << UsageText().toStdString();
        return kExitUsage;
    }
    const QString& Path = Args[0];
    const QString& Folder = Args[1];
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly)) {
        PrintError(
            Err,
            QStringLiteral("« %1 » : ouverture impossible (%2)").arg(Path, File.errorString()));
        return kExitFailure;
    }
    const TInspection Inspection = InspectCardSet(File);
    if (!Inspection.HasDirectory) {
        for (const TProblem& Problem : Inspection.Problems) {
            PrintError(Err, QStringLiteral("« %1 » : %2").arg(Path, Problem.Message));
        }
        return kExitFailure;
    }
    if (!QDir().mkpath(Folder)) {
        PrintError(Err, QStringLiteral("impossible de créer le dossier « %1 »").arg(Folder));
        return kExitFailure;
    }
    int Status = kExitOk;
    std::set<unsigned> Taken;
    for (const TInspectedEntry& Entry : Inspection.Entries) {
        const std::optional<QByteArray> Bytes =
            Entry.InFile ? ReadRange(File, Entry.Offset, Entry.Size) : std::nullopt;
        if (!Bytes) {
            PrintError(Err, QStringLiteral("entrée %1 (emplacement %2) ignorée : ses octets "
                                           "sortent du fichier")
                                .arg(Entry.Index)
                                .arg(Entry.Slot));
            Status = kExitFailure;
            continue;
        }
        const QString Target = QDir(Folder).filePath(PictureFileName(Entry, Taken));
        QSaveFile Picture(Target);
        if (!Picture.open(QIODevice::WriteOnly) || Picture.write(*Bytes) != Bytes->size() ||
            !Picture.commit()) {
            PrintError(Err, QStringLiteral("écriture de « %1 » impossible (%2)")
                                .arg(Target, Picture.errorString()));
            Status = kExitFailure;
            continue;
        }
        PrintLine(Out, QStringLiteral("« %1 » (%2 octets)").arg(Target).arg(Bytes->size()));
    }
    return Status;
}

}  // namespace velmo::tool
