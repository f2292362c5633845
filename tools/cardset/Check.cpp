// The check verb: every problem of every file given, exit status 1 if there is any.
#include "tools/cardset/KxdInspector.h"
#include "tools/cardset/Verbs.h"

namespace velmo::tool {

int RunCheck(const QStringList& Args, std::ostream& Out, std::ostream& Err) {
    if (Args.isEmpty()) {
        PrintError(Err, QStringLiteral("check attend au moins un fichier .kxd"));
        Err << UsageText().toStdString();
        return kExitUsage;
    }
    int Status = kExitOk;
    for (const QString& Path : Args) {
        const TInspection Inspection = InspectCardSetFile(Path);
        if (Inspection.Problems.empty()) {
            PrintLine(Out, QStringLiteral("« %1 » : OK").arg(Path));
            continue;
        }
        Status = kExitFailure;
        const qsizetype Count = static_cast<qsizetype>(Inspection.Problems.size());
        PrintLine(Out, QStringLiteral("« %1 » : %2 problème%3")
                           .arg(Path)
                           .arg(Count)
                           .arg(Count > 1 ? QStringLiteral("s") : QString()));
        for (const TProblem& Problem : Inspection.Problems) {
            PrintLine(Out, QStringLiteral("  - ") + Problem.Message);
        }
    }
    return Status;
}

}  // namespace velmo::tool
