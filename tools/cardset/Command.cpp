// Dispatches the command line to a verb and holds the usage text.
#include "tools/cardset/Verbs.h"

namespace velmo::tool {

QString UsageText() {
    return QStringLiteral(
        "Usage : velmo-cardset COMMANDE ARGUMENTS...\n"
        "Fabrique et vérifie les jeux de cartes de Velmo (fichiers .kxd).\n"
        "\n"
        "Commandes :\n"
        "  pack SORTIE.kxd NOM DOS FACE1 FACE2 ... FACE9\n"
        "      Assemble un jeu : son nom (31 caractères Windows-1252 au plus), le dos puis\n"
        "      les neuf faces, en PNG de 100 × 160 pixels ou en SVG (rendu en 100 × 160).\n"
        "  info FICHIER.kxd\n"
        "      Affiche le nom du jeu et son répertoire : emplacement, position et taille de\n"
        "      chaque image, et ses dimensions.\n"
        "  extract FICHIER.kxd DOSSIER\n"
        "      Écrit les images du jeu dans DOSSIER telles qu'elles sont stockées :\n"
        "      0-dos.png, 1-face.png ... 9-face.png.\n"
        "  check FICHIER.kxd [FICHIER.kxd ...]\n"
        "      Vérifie chaque fichier et signale tous les problèmes trouvés.\n"
        "  --help\n"
        "      Affiche cette aide.\n"
        "\n"
        "Code de sortie : 0 si tout va bien, 1 en cas d'erreur ou si check trouve un\n"
        "problème, 2 si la ligne de commande est incorrecte.\n");
}

void PrintLine(std::ostream& Stream, const QString& Text) {
    Stream << Text.toStdString() << '\n';
}

void PrintError(std::ostream& Err, const QString& Message) {
    PrintLine(Err, QStringLiteral("velmo-cardset : ") + Message);
}

int RunCommand(const QStringList& Args, std::ostream& Out, std::ostream& Err) {
    if (Args.isEmpty()) {
        Err << UsageText().toStdString();
        return kExitUsage;
    }
    const QString Verb = Args.front();
    const QStringList Rest = Args.mid(1);
    if (Verb == QStringLiteral("--help") || Verb == QStringLiteral("-h") ||
        Verb == QStringLiteral("help")) {
        Out << UsageText().toStdString();
        return kExitUsage;
    }
    if (Verb == QStringLiteral("pack")) {
        return RunPack(Rest, Out, Err);
    }
    if (Verb == QStringLiteral("info")) {
        return RunInfo(Rest, Out, Err);
    }
    if (Verb == QStringLiteral("extract")) {
        return RunExtract(Rest, Out, Err);
    }
    if (Verb == QStringLiteral("check")) {
        return RunCheck(Rest, Out, Err);
    }
    PrintError(Err, QStringLiteral("commande inconnue « %1 »").arg(Verb));
    Err << UsageText().toStdString();
    return kExitUsage;
}

}  // namespace velmo::tool
