// The info verb: the set's name and its directory, one line per entry.
#include "cardset/Windows1252.h"
#include "tools/cardset/KxdInspector.h"
#include "tools/cardset/KxdLayout.h"
#include "tools/cardset/Verbs.h"

namespace velmo::tool {

namespace {

constexpr int kColumnWidth = 12;

// The name as text, with control characters (such as filler bytes under an overlong length
// byte) shown as \xNN so they do not reach the terminal.
QString NameText(const QByteArray& Name) {
    QString Text;
    for (QChar Char : DecodeWindows1252(std::as_bytes(std::span(Name.data(), Name.size())))) {
        if (Char.category() == QChar::Other_Control) {
            Text += QStringLiteral("\\x%1").arg(Char.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            Text += Char;
        }
    }
    return Text;
}

QString Column(const QString& Text) {
    return Text.leftJustified(kColumnWidth);
}

QString PictureText(const TInspectedEntry& Entry) {
    if (!Entry.InFile) {
        return QStringLiteral("hors du fichier");
    }
    if (Entry.Size == 0) {
        return QStringLiteral("vide");
    }
    if (!Entry.Dimensions) {
        return QStringLiteral("pas une image PNG");
    }
    return QStringLiteral("%1 × %2").arg(Entry.Dimensions->width()).arg(Entry.Dimensions->height());
}

}  // namespace

int RunInfo(const QStringList& Args, std::ostream& Out, std::ostream& Err) {
    if (Args.size() != 1) {
        PrintError(Err, QStringLiteral("info attend un seul fichier .kxd"));
        Err << UsageText().toStdString();
        return kExitUsage;
    }
    const QString& Path = Args[0];
    const TInspection Inspection = InspectCardSetFile(Path);
    if (!Inspection.HasDirectory) {
        for (const TProblem& Problem : Inspection.Problems) {
            PrintError(Err, QStringLiteral("« %1 » : %2").arg(Path, Problem.Message));
        }
        return kExitFailure;
    }
    PrintLine(Out,
              QStringLiteral("Fichier : « %1 » (%2 octets)").arg(Path).arg(Inspection.FileSize));
    PrintLine(Out, QStringLiteral("Nom : « %1 » (%2 caractères)")
                       .arg(NameText(Inspection.Name))
                       .arg(Inspection.Name.size()));
    PrintLine(Out, QStringLiteral("Répertoire :"));
    PrintLine(Out, QStringLiteral("  ") + Column(QStringLiteral("entrée")) +
                       Column(QStringLiteral("emplacement")) + Column(QStringLiteral("position")) +
                       Column(QStringLiteral("taille")) + QStringLiteral("image"));
    for (const TInspectedEntry& Entry : Inspection.Entries) {
        const QString Slot =
            Entry.Slot <= static_cast<unsigned>(kMaxSlot)
                ? QStringLiteral("%1 %2").arg(Entry.Slot).arg(SlotLabel(Entry.Slot))
                : QString::number(Entry.Slot);
        PrintLine(Out, QStringLiteral("  ") + Column(QString::number(Entry.Index)) + Column(Slot) +
                           Column(QString::number(Entry.Offset)) +
                           Column(QString::number(Entry.Size)) + PictureText(Entry));
    }
    if (!Inspection.Problems.empty()) {
        PrintLine(Out, QStringLiteral("Problèmes :"));
        for (const TProblem& Problem : Inspection.Problems) {
            PrintLine(Out, QStringLiteral("  - ") + Problem.Message);
        }
    }
    return kExitOk;
}

}  // namespace velmo::tool
