// check and the lenient reader: every problem of a damaged set is found, none in a good one.
#include <functional>

#include <QBuffer>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolFixtures.h"
#include "tests/support/KxdWriter.h"
#include "tools/cardset/KxdInspector.h"
#include "tools/cardset/Verbs.h"

namespace velmo::tool {
namespace {

using fixtures::BmpOf;
using fixtures::CardPicture;
using fixtures::PngOf;
using fixtures::RunTool;
using fixtures::ValidPictures;
using fixtures::WriteAll;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAreArray;
using K = TProblemKind;

// Positions inside a file of S bytes.
qsizetype TrailerAt(const QByteArray& File) {
    return File.size() - 160;
}
qsizetype NameAt(const QByteArray& File) {
    return File.size() - 152;
}
qsizetype EntryAt(const QByteArray& File, int Entry) {
    return File.size() - 120 + Entry * 12;
}

void PutU32(QByteArray& File, qsizetype At, std::uint32_t Value) {
    for (int i = 0; i < 4; ++i) {
        File[At + i] = static_cast<char>((Value >> (8 * i)) & 0xFF);
    }
}
std::uint32_t GetU32(const QByteArray& File, qsizetype At) {
    std::uint32_t Value = 0;
    for (int i = 3; i >= 0; --i) {
        Value = (Value << 8) | static_cast<unsigned char>(File[At + i]);
    }
    return Value;
}

QByteArray GoodSet() {
    return BuildCardSet("Essai", ValidPictures());
}
QByteArray SetWithPicture(int Slot, const QByteArray& Picture) {
    TCardPictures Pictures = ValidPictures();
    Pictures[Slot] = Picture;
    return BuildCardSet("Essai", Pictures);
}

std::vector<TProblemKind> KindsOf(const QByteArray& File) {
    QByteArray Copy = File;
    QBuffer Buffer(&Copy);
    Buffer.open(QIODevice::ReadOnly);
    std::vector<TProblemKind> Kinds;
    for (const TProblem& Problem : InspectCardSet(Buffer).Problems) {
        Kinds.push_back(Problem.Kind);
    }
    return Kinds;
}

struct TBrokenFile {
    const char* What;
    std::function<QByteArray()> Make;
    std::vector<TProblemKind> Expected;
};

void PrintTo(const TBrokenFile& File, std::ostream* Out) {
    *Out << File.What;
}

const std::vector<TBrokenFile>& BrokenFiles() {
    static const std::vector<TBrokenFile> Files = {
        {"empty file", [] { return QByteArray(); }, {K::TooShort}},
        {"one byte short of the smallest set",
         [] { return BuildCardSet("", {}).left(167); },
         {K::TooShort}},
        {"no tag at all", [] { return QByteArray(400, 'x'); }, {K::NotACardSet}},
        {"last byte of the leading tag changed",
         [] {
             QByteArray File = GoodSet();
             File[7] = 1;
             return File;
         },
         {K::BadLeadingTag}},
        {"trailing tag changed",
         [] {
             QByteArray File = GoodSet();
             File[TrailerAt(File) + 1] = 'Y';
             return File;
         },
         {K::BadTrailingTag}},
        {"name length byte above 31",
         [] {
             QByteArray File = GoodSet();
             File[NameAt(File)] = static_cast<char>(200);
             return File;
         },
         {K::NameTooLong}},
        {"slot named twice, another never",
         [] {
             QByteArray File = GoodSet();
             File[EntryAt(File, 4)] = 3;
             return File;
         },
         {K::DuplicateSlot, K::MissingSlot}},
        {"slot index above nine",
         [] {
             QByteArray File = GoodSet();
             File[EntryAt(File, 9)] = 10;
             return File;
         },
         {K::SlotAboveNine, K::MissingSlot}},
        {"size runs past the end of the file",
         [] {
             QByteArray File = GoodSet();
             PutU32(File, EntryAt(File, 2) + 4, 0xFFFFFFFFu);
             return File;
         },
         {K::RangeOutsideFile}},
        {"offset past the end of the file",
         [] {
             QByteArray File = GoodSet();
             PutU32(File, EntryAt(File, 6) + 8, 0xFFFFFFF0u);
             return File;
         },
         {K::RangeOutsideFile}},
        {"range reaching into the trailer",
         [] {
             QByteArray File = GoodSet();
             const qsizetype Size = EntryAt(File, 9) + 4;
             PutU32(File, Size, GetU32(File, Size) + 8);
             return File;
         },
         {K::RangeOverlapsTags}},
        {"range over the leading tag",
         [] {
             QByteArray File = GoodSet();
             PutU32(File, EntryAt(File, 0) + 8, 4);
             return File;
         },
         {K::RangeOverlapsTags, K::NotPng}},
        {"empty image", [] { return SetWithPicture(7, QByteArray()); }, {K::EmptyImage}},
        {"damaged PNG header",
         [] {
             QByteArray Png = PngOf(CardPicture(1));
             Png[12] = 'X';  // the IHDR chunk type
             return SetWithPicture(1, Png);
         },
         {K::NotPng}},
        {"text instead of an image",
         [] { return SetWithPicture(3, "ceci n'est pas une image"); },
         {K::NotPng}},
        {"a BMP picture, which the game would not decode",
         [] { return SetWithPicture(8, BmpOf(CardPicture(8))); },
         {K::NotPng}},
        {"a PNG declaring 20000 x 20000 pixels, which the game refuses before decoding",
         [] {
             const QByteArray Png = PngOf(CardPicture(6));
             const auto* First = reinterpret_cast<const std::byte*>(Png.constData());
             const test::TBytes Huge =
                 test::WithPngDimensions(test::TBytes(First, First + Png.size()), 20000, 20000);
             return SetWithPicture(6, QByteArray(reinterpret_cast<const char*>(Huge.data()),
                                                 static_cast<qsizetype>(Huge.size())));
         },
         {K::NotPng}},
        {"picture not 100 x 160",
         [] { return SetWithPicture(5, PngOf(CardPicture(5, 160, 100))); },
         {K::WrongDimensions}},
        {"several problems at once, all reported",
         [] {
             QByteArray File = SetWithPicture(2, PngOf(CardPicture(2, 99, 160)));
             File[NameAt(File)] = 32;
             File[EntryAt(File, 0)] = 1;
             File[EntryAt(File, 5)] = static_cast<char>(255);
             PutU32(File, EntryAt(File, 7) + 8, static_cast<std::uint32_t>(File.size()));
             PutU32(File, EntryAt(File, 7) + 4, 1);
             File[TrailerAt(File)] = 'k';
             return File;
         },
         {K::BadTrailingTag, K::NameTooLong, K::WrongDimensions, K::SlotAboveNine,
          K::RangeOutsideFile, K::DuplicateSlot, K::MissingSlot, K::MissingSlot}},
    };
    return Files;
}

class BrokenFileTest : public ::testing::TestWithParam<TBrokenFile> {};

TEST_P(BrokenFileTest, ReaderReportsExactlyTheseProblems) {
    EXPECT_THAT(KindsOf(GetParam().Make()), UnorderedElementsAreArray(GetParam().Expected));
}

TEST_P(BrokenFileTest, CheckListsEachProblemAndExitsWithOne) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("broken.kxd"));
    WriteAll(Path, GetParam().Make());
    const fixtures::TRun Result = RunTool({QStringLiteral("check"), Path});
    EXPECT_EQ(Result.Status, kExitFailure);
    EXPECT_EQ(Result.Out.count(QStringLiteral("\n  - ")),
              static_cast<qsizetype>(GetParam().Expected.size()))
        << Result.Out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Check, BrokenFileTest, ::testing::ValuesIn(BrokenFiles()),
                         [](const ::testing::TestParamInfo<TBrokenFile>& Info) {
                             std::string Name = Info.param.What;
                             std::replace_if(
                                 Name.begin(), Name.end(), [](char C) { return !std::isalnum(C); },
                                 '_');
                             return Name;
                         });

TEST(Check, AGoodSetHasNoProblemAndTheSmallestValidFileOnlyEmptyImages) {
    EXPECT_TRUE(KindsOf(GoodSet()).empty());
    const std::vector<TProblemKind> Empty(kSlotCount, K::EmptyImage);
    EXPECT_EQ(KindsOf(BuildCardSet("", {})), Empty);
}

TEST(Check, SaysOkPerGoodFileAndFailsWhenAnyFileHasAProblem) {
    QTemporaryDir Dir;
    const QString Good = Dir.filePath(QStringLiteral("good.kxd"));
    const QString Other = Dir.filePath(QStringLiteral("other.kxd"));
    WriteAll(Good, GoodSet());
    WriteAll(Other, BuildCardSet("Autre", ValidPictures()));

    const fixtures::TRun AllGood = RunTool({QStringLiteral("check"), Good, Other});
    EXPECT_EQ(AllGood.Status, kExitOk);
    EXPECT_EQ(AllGood.Out, QStringLiteral("« %1 » : OK\n« %2 » : OK\n").arg(Good, Other));

    const QString Missing = Dir.filePath(QStringLiteral("missing.kxd"));
    const fixtures::TRun OneBad = RunTool({QStringLiteral("check"), Good, Missing, Other});
    EXPECT_EQ(OneBad.Status, kExitFailure);
    EXPECT_THAT(OneBad.Out.toStdString(),
                HasSubstr(QStringLiteral("« %1 » : 1 problème\n  - ouverture impossible")
                              .arg(Missing)
                              .toStdString()));
    EXPECT_THAT(OneBad.Out.toStdString(),
                HasSubstr(QStringLiteral("« %1 » : OK").arg(Other).toStdString()));
}

TEST(Check, EveryTruncationOfASetIsReportedWithoutReadingPastItsEnd) {
    const QByteArray File = GoodSet();
    for (qsizetype Length = 0; Length < File.size(); Length += 37) {
        EXPECT_FALSE(KindsOf(File.left(Length)).empty()) << "length " << Length;
    }
}

TEST(Extract, KeepsBothPicturesOfASlotNamedTwice) {
    QByteArray File = GoodSet();
    File[EntryAt(File, 4)] = 3;
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("twice.kxd"));
    WriteAll(Path, File);
    const QString Out = Dir.filePath(QStringLiteral("out"));
    ASSERT_EQ(RunTool({QStringLiteral("extract"), Path, Out}).Status, kExitOk);
    const TCardPictures Pictures = ValidPictures();
    EXPECT_EQ(fixtures::ReadAll(Out + QStringLiteral("/3-face.png")), Pictures[3]);
    EXPECT_EQ(fixtures::ReadAll(Out + QStringLiteral("/3-face-entree4.png")), Pictures[4]);
}

TEST(Extract, SkipsAnEntryOutsideTheFileAndSaysSo) {
    QByteArray File = GoodSet();
    PutU32(File, EntryAt(File, 6) + 8, 0xFFFFFFF0u);
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("outside.kxd"));
    WriteAll(Path, File);
    const fixtures::TRun Result = RunTool({QStringLiteral("extract"), Path, Dir.filePath("out")});
    EXPECT_EQ(Result.Status, kExitFailure);
    EXPECT_THAT(Result.Err.toStdString(), HasSubstr("entrée 6 (emplacement 6) ignorée"));
    EXPECT_EQ(QDir(Dir.filePath("out")).entryList(QDir::Files).size(), kSlotCount - 1);
}

}  // namespace
}  // namespace velmo::tool
