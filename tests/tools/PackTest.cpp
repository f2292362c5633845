// pack, info and extract: what goes into a set comes back out, and bad input is refused.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolFixtures.h"
#include "tools/cardset/KxdInspector.h"
#include "tools/cardset/Picture.h"
#include "tools/cardset/ToolError.h"
#include "tools/cardset/Verbs.h"

namespace velmo::tool {
namespace {

using testing::HasSubstr;
using velmo::tool::fixtures::CardPicture;
using velmo::tool::fixtures::PngOf;
using velmo::tool::fixtures::ReadAll;
using velmo::tool::fixtures::RunTool;
using velmo::tool::fixtures::ValidPictures;
using velmo::tool::fixtures::WriteAll;

// A rounded card: transparent corners, a blue body and a word in the middle.
const QByteArray kSvgCard = R"(<svg xmlns="http://www.w3.org/2000/svg" width="50" height="80"
    viewBox="0 0 50 80">
  <rect x="0" y="0" width="50" height="80" rx="8" fill="#2050c0"/>
  <text x="25" y="48" font-size="20" font-family="Liberation Sans" fill="#ffffff"
        text-anchor="middle">Été</text>
</svg>)";

class PackTest : public ::testing::Test {
  protected:
    QString In(const QString& Name) const { return Dir.filePath(Name); }

    // The ten input files, the back first: PNG files except where Svg names a slot.
    QStringList WriteInputs(int SvgSlot = -1) {
        QStringList Paths;
        const TCardPictures Pictures = ValidPictures();
        for (int Slot = 0; Slot < kSlotCount; ++Slot) {
            const bool Svg = Slot == SvgSlot;
            const QString Path = In(QStringLiteral("in%1.%2").arg(Slot).arg(Svg ? "svg" : "png"));
            WriteAll(Path, Svg ? kSvgCard : Pictures[Slot]);
            Paths.append(Path);
        }
        return Paths;
    }

    QStringList PackArgs(const QString& Name, const QStringList& Inputs) const {
        return QStringList{QStringLiteral("pack"), In(QStringLiteral("set.kxd")), Name} + Inputs;
    }

    QTemporaryDir Dir;
};

TEST_F(PackTest, PackThenExtractGivesBackEveryPictureByteForByte) {
    const QStringList Inputs = WriteInputs();
    const fixtures::TRun Packed = RunTool(PackArgs(QStringLiteral("Essai (defaut)"), Inputs));
    ASSERT_EQ(Packed.Status, kExitOk) << Packed.Err.toStdString();

    const QString OutDir = In(QStringLiteral("out"));
    const fixtures::TRun Extracted =
        RunTool({QStringLiteral("extract"), In(QStringLiteral("set.kxd")), OutDir});
    ASSERT_EQ(Extracted.Status, kExitOk) << Extracted.Err.toStdString();

    for (int Slot = 0; Slot < kSlotCount; ++Slot) {
        const QString Name =
            Slot == 0 ? QStringLiteral("0-dos.png") : QStringLiteral("%1-face.png").arg(Slot);
        EXPECT_EQ(ReadAll(QDir(OutDir).filePath(Name)), ReadAll(Inputs[Slot])) << "slot " << Slot;
    }
    EXPECT_EQ(QDir(OutDir).entryList(QDir::Files).size(), kSlotCount);
}

TEST_F(PackTest, InfoShowsTheNameAndEveryEntryWithItsPlaceSizeAndDimensions) {
    const QStringList Inputs = WriteInputs();
    ASSERT_EQ(RunTool(PackArgs(QStringLiteral("Été – œuvre"), Inputs)).Status, kExitOk);

    const fixtures::TRun Info = RunTool({QStringLiteral("info"), In(QStringLiteral("set.kxd"))});
    ASSERT_EQ(Info.Status, kExitOk) << Info.Err.toStdString();
    EXPECT_THAT(Info.Out.toStdString(), HasSubstr("Nom : « Été – œuvre » (11 caractères)"));

    qint64 Offset = 8;
    for (int Slot = 0; Slot < kSlotCount; ++Slot) {
        const qint64 Size = QFile(Inputs[Slot]).size();
        const QString Label =
            Slot == 0 ? QStringLiteral("dos") : QStringLiteral("face %1").arg(Slot);
        const QString Row = QStringLiteral("%1 %2").arg(Slot).arg(Label).leftJustified(12) +
                            QString::number(Offset).leftJustified(12) +
                            QString::number(Size).leftJustified(12) + QStringLiteral("100 × 160");
        EXPECT_THAT(Info.Out.toStdString(), HasSubstr(Row.toStdString()));
        Offset += Size;
    }
    EXPECT_THAT(Info.Out.toStdString(), testing::Not(HasSubstr("Problèmes")));
}

TEST_F(PackTest, TheNameIsStoredInWindows1252AfterTheTrailingTag) {
    ASSERT_EQ(RunTool(PackArgs(QStringLiteral("Dé à 5 €"), WriteInputs())).Status, kExitOk);
    const QByteArray File = ReadAll(In(QStringLiteral("set.kxd")));
    const QByteArray NameField = File.mid(File.size() - 152, 32);
    EXPECT_EQ(NameField, QByteArray("\x08"
                                    "D\xE9 \xE0 5 \x80",
                                    9) +
                             QByteArray(23, '\0'));
}

TEST_F(PackTest, AnSvgInputIsRenderedAt100By160WithItsTransparentCorners) {
    ASSERT_EQ(RunTool(PackArgs(QStringLiteral("Svg"), WriteInputs(4))).Status, kExitOk);
    const QString OutDir = In(QStringLiteral("out"));
    ASSERT_EQ(RunTool({QStringLiteral("extract"), In(QStringLiteral("set.kxd")), OutDir}).Status,
              kExitOk);

    const std::optional<QImage> Face = DecodePng(ReadAll(QDir(OutDir).filePath("4-face.png")));
    ASSERT_TRUE(Face.has_value());
    ASSERT_EQ(Face->size(), QSize(kCardWidth, kCardHeight));
    EXPECT_EQ(Face->pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(Face->pixelColor(99, 159).alpha(), 0);
    EXPECT_EQ(Face->pixelColor(50, 10), QColor(0x20, 0x50, 0xc0));

    // The word in the middle came out: some white pixels where the text lies.
    int White = 0;
    for (int Y = 70; Y < 100; ++Y) {
        for (int X = 20; X < 80; ++X) {
            White += Face->pixelColor(X, Y).lightness() > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(White, 20);
}

// Each refusal exits with an error, says why in French and leaves no file behind.
struct TRefusal {
    const char* What;
    QString Name;
    int BadSlot;  // the input file replaced by Bad, or -1
    QByteArray Bad;
    const char* Message;  // part of the error text
};

void PrintTo(const TRefusal& Refusal, std::ostream* Out) {
    *Out << Refusal.What;
}

class PackRefusalTest : public PackTest, public ::testing::WithParamInterface<TRefusal> {};

TEST_P(PackRefusalTest, RefusesAndWritesNothing) {
    const TRefusal& Case = GetParam();
    QStringList Inputs = WriteInputs();
    if (Case.BadSlot >= 0) {
        Inputs[Case.BadSlot] = In(QStringLiteral("bad.png"));
        if (!Case.Bad.isNull()) {
            WriteAll(Inputs[Case.BadSlot], Case.Bad);
        }
    }
    const fixtures::TRun Result = RunTool(PackArgs(Case.Name, Inputs));
    EXPECT_EQ(Result.Status, kExitFailure);
    EXPECT_THAT(Result.Err.toStdString(), HasSubstr(Case.Message));
    EXPECT_FALSE(QFile::exists(In(QStringLiteral("set.kxd"))));
}

INSTANTIATE_TEST_SUITE_P(
    Pack, PackRefusalTest,
    ::testing::Values(
        TRefusal{"name outside Windows-1252",
                 QStringLiteral("Cartes 日本"),
                 -1,
                 {},
                 "le caractère « 日 » du nom « Cartes 日本 » n'existe pas en Windows-1252"},
        TRefusal{"name of 32 bytes",
                 QString(32, QLatin1Char('x')),
                 -1,
                 {},
                 "fait 32 caractères, 31 au plus"},
        TRefusal{"control character in the name",
                 QStringLiteral("a\tb"),
                 -1,
                 {},
                 "caractère de contrôle"},
        TRefusal{"missing input file", QStringLiteral("Essai"), 3, {}, "ouverture impossible"},
        TRefusal{"input that is no picture", QStringLiteral("Essai"), 5, "pas une image",
                 "ni une image PNG lisible ni un fichier .svg"},
        TRefusal{"PNG of the wrong size", QStringLiteral("Essai"), 0,
                 PngOf(CardPicture(0, 100, 150)),
                 "l'image fait 100 × 150 pixels au lieu de 100 × 160"}),
    [](const ::testing::TestParamInfo<TRefusal>& Info) {
        std::string Name = Info.param.What;
        std::replace_if(
            Name.begin(), Name.end(), [](char C) { return !std::isalnum(C); }, '_');
        return Name;
    });

TEST_F(PackTest, AnUnreadableSvgIsRefused) {
    QStringList Inputs = WriteInputs();
    Inputs[2] = In(QStringLiteral("broken.svg"));
    WriteAll(Inputs[2], "<svg><rect");
    const fixtures::TRun Result = RunTool(PackArgs(QStringLiteral("Essai"), Inputs));
    EXPECT_EQ(Result.Status, kExitFailure);
    EXPECT_THAT(Result.Err.toStdString(), HasSubstr("fichier SVG illisible"));
}

TEST(CardSetPlan, RefusesASetLargerThanItsThirtyTwoBitOffsetsCanAddress) {
    constexpr std::uint64_t kLargestPicture = kMaxFileSize - kMinFileSize;
    const TCardSetPlan Largest = PlanCardSet({kLargestPicture});
    EXPECT_EQ(Largest.FileSize, kMaxFileSize);
    EXPECT_EQ(Largest.Offsets[9], kMaxFileSize - kTrailerSize);

    EXPECT_THROW(PlanCardSet({kLargestPicture + 1}), TToolError);
    // Sizes whose sum wraps a 32-bit counter back to something small.
    EXPECT_THROW(PlanCardSet({0x80000000u, 0x80000000u, 16}), TToolError);
    EXPECT_THROW(PlanCardSet({0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFFFFu}), TToolError);
}

TEST(CommandLine, UsageIsShownWithStatusTwoForHelpNoArgumentsAndUnknownVerbs) {
    const fixtures::TRun Help = RunTool({QStringLiteral("--help")});
    EXPECT_EQ(Help.Status, kExitUsage);
    EXPECT_THAT(Help.Out.toStdString(), HasSubstr("Usage : velmo-cardset"));

    const fixtures::TRun Nothing = RunTool({});
    EXPECT_EQ(Nothing.Status, kExitUsage);
    EXPECT_THAT(Nothing.Err.toStdString(), HasSubstr("Usage : velmo-cardset"));

    const fixtures::TRun Unknown = RunTool({QStringLiteral("unpack"), QStringLiteral("x.kxd")});
    EXPECT_EQ(Unknown.Status, kExitUsage);
    EXPECT_THAT(Unknown.Err.toStdString(), HasSubstr("commande inconnue « unpack »"));

    for (const QStringList& Short :
         {QStringList{"pack", "x.kxd", "Nom", "dos.png"}, QStringList{"info"},
          QStringList{"extract", "x.kxd"}, QStringList{"check"}}) {
        EXPECT_EQ(RunTool(Short).Status, kExitUsage) << Short.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace velmo::tool
