// The card-set file type as a desktop sees it, and the icon sizes the build renders.
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velmo::test {
namespace {

const QString kCardSetType = QStringLiteral("application/x-velmo-cardset");
const QByteArray kTag("KXD\0\0\0\0\0", 8);

struct TFileCase {
    const char* Name;
    QByteArray Bytes;
    bool IsCardSet;
};

// The test runs with only the staged MIME package on the data path (set by CMake), so the
// type can only come from our file.
TEST(CardSetFileType, IsKnownByItsNameOrByTheTagAtItsStart) {
    const std::vector<TFileCase> Cases = {
        {"texte.kxd", "not a card set", true},                  // the name alone
        {"MAJUSCULES.KXD", "not a card set", true},             // names match in any case
        {"sans-extension", kTag + QByteArray(200, 'x'), true},  // the tag alone
        {"etiquette-decalee", ' ' + kTag + QByteArray(200, 'x'), false},
        {"etiquette-tronquee", QByteArray("KXD\0\0\0\0\1", 8) + QByteArray(200, 'x'), false},
        {"image.png", QByteArray("\x89PNG\r\n\x1a\n", 8), false},
    };
    QTemporaryDir Folder;
    ASSERT_TRUE(Folder.isValid());
    QMimeDatabase Database;
    for (const TFileCase& Case : Cases) {
        const QString Path = Folder.filePath(QString::fromLatin1(Case.Name));
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Case.Bytes);
        File.close();
        EXPECT_EQ(Database.mimeTypeForFile(Path).name() == kCardSetType, Case.IsCardSet)
            << Case.Name << " is " << Database.mimeTypeForFile(Path).name().toStdString();
    }
}

TEST(CardSetFileType, NamesTheBundledSetsInFrench) {
    QMimeDatabase Database;
    const QMimeType Type =
        Database.mimeTypeForFile(QStringLiteral(VELMO_CARDSETS_DIR "/Default.kxd"));
    EXPECT_EQ(Type.name(), kCardSetType);
    EXPECT_EQ(Type.comment(), QStringLiteral("Jeu de cartes Velmo"));
    EXPECT_EQ(Database.mimeTypeForName(kCardSetType).globPatterns(),
              QStringList{QStringLiteral("*.kxd")});
}

// Each size is drawn for its own square: corners left transparent, the cards in the middle.
TEST(ApplicationIcon, EverySizeIsASquareIconOfThatSize) {
    for (const int Size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString Path =
            QStringLiteral(VELMO_ICONS_DIR "/%1x%1/apps/org.velmo.Velmo.png").arg(Size);
        const QImage Icon(Path);
        ASSERT_FALSE(Icon.isNull()) << Path.toStdString();
        EXPECT_EQ(Icon.size(), QSize(Size, Size)) << Path.toStdString();
        EXPECT_TRUE(Icon.hasAlphaChannel()) << Path.toStdString();
        EXPECT_EQ(qAlpha(Icon.pixel(0, 0)), 0) << Path.toStdString();
        EXPECT_EQ(qAlpha(Icon.pixel(Size - 1, Size - 1)), 0) << Path.toStdString();
        EXPECT_EQ(qAlpha(Icon.pixel(Size / 2, Size / 2)), 255) << Path.toStdString();
    }
}

}  // namespace
}  // namespace velmo::test
