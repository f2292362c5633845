// Loading a set into the image slots: pictures, directory order, files on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "cardset/KXDApi.h"
#include "tests/support/KxdWriter.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using test::SlotColour;
using test::SolidPng;
using test::TBytes;
using test::TKxdWriter;

constexpr int kProbeX = 50;
constexpr int kProbeY = 80;

bool Load(const TBytes& Bytes, TCardImages& Slots, QString& Name) {
    TMemorySource Source(Bytes);
    return LoadCardSet(Source, Slots, Name);
}

QRgb Probe(const QImage& Image) {
    return Image.pixel(kProbeX, kProbeY);
}

TEST(CardSetLoad, ACompleteSetFillsAllTenSlotsPremultipliedAtTheirOwnSize) {
    TCardImages Slots;
    CreateCardImages(Slots);
    QString Name;
    ASSERT_TRUE(Load(test::CompleteSet("Fruits").Build(), Slots, Name));
    EXPECT_EQ(Name, "Fruits");
    for (int Slot = 0; Slot < kCardImageCount; ++Slot) {
        const QImage& Image = Slots[Slot];
        ASSERT_FALSE(Image.isNull()) << "slot " << Slot;
        EXPECT_EQ(Image.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(Image.size(), QSize(test::kCardWidth, test::kCardHeight));
        EXPECT_EQ(Probe(Image), SlotColour(Slot).rgba()) << "slot " << Slot;
    }
}

TEST(CardSetLoad, LoadingTheSameSetTwiceGivesTheSamePictures) {
    const TBytes Bytes = test::CompleteSet("Fruits").Build();
    TCardImages First, Second;
    QString Name;
    ASSERT_TRUE(Load(Bytes, First, Name));
    ASSERT_TRUE(Load(Bytes, Second, Name));
    ASSERT_TRUE(Load(Bytes, Second, Name));
    EXPECT_EQ(First, Second);
}

TEST(CardSetLoad, TransparencySurvivesTheLoad) {
    TKxdWriter Writer;
    Writer.Add(0, SolidPng(10, 10, QColor(255, 0, 0, 128), true));
    TCardImages Slots;
    QString Name;
    ASSERT_TRUE(Load(Writer.Build(), Slots, Name));
    EXPECT_EQ(qAlpha(Slots[0].pixel(0, 0)), 0);
    EXPECT_EQ(Slots[0].pixelColor(5, 5).alpha(), 128);
}

TEST(CardSetLoad, ALaterEntryForASlotWinsAndAnUnnamedSlotKeepsThePreviousSetsPicture) {
    TCardImages Slots;
    QString Name;
    ASSERT_TRUE(Load(test::CompleteSet("Ancien", 1).Build(), Slots, Name));

    TKxdWriter Writer;
    for (int Slot : {0, 1, 2, 3, 3, 5, 6, 7, 8, 9}) {
        Writer.Add(static_cast<uint8_t>(Slot),
                   SolidPng(test::kCardWidth, test::kCardHeight,
                            SlotColour(Slot, static_cast<int>(Writer.Entries.size()))));
    }
    ASSERT_TRUE(Load(Writer.Build(), Slots, Name));
    EXPECT_EQ(Probe(Slots[3]), SlotColour(3, 4).rgba()) << "the second entry for slot 3";
    EXPECT_EQ(Probe(Slots[4]), SlotColour(4, 1).rgba()) << "the previous set's face 4";
    EXPECT_EQ(Probe(Slots[9]), SlotColour(9, 9).rgba());
}

TEST(CardSetLoad, EntriesNeedNotBeInSlotOrderAndSizeZeroEntriesLeaveTheirSlot) {
    TCardImages Slots;
    QString Name;
    ASSERT_TRUE(Load(test::CompleteSet("Ancien", 1).Build(), Slots, Name));

    TKxdWriter Writer;
    Writer.Add(7, SolidPng(8, 8, SlotColour(7)));
    Writer.Add(2, {}).Offset = 0xFFFFFFFF;  // size 0: no picture, wherever it points
    Writer.Add(0, SolidPng(8, 8, SlotColour(0)));
    ASSERT_TRUE(Load(Writer.Build(), Slots, Name));
    EXPECT_EQ(Slots[7].pixel(1, 1), SlotColour(7).rgba());
    EXPECT_EQ(Slots[0].pixel(1, 1), SlotColour(0).rgba());
    EXPECT_EQ(Probe(Slots[2]), SlotColour(2, 1).rgba());
}

TEST(CardSetLoad, FreeCardImagesEmptiesEverySlot) {
    TCardImages Slots;
    QString Name;
    ASSERT_TRUE(Load(test::CompleteSet("Fruits").Build(), Slots, Name));
    FreeCardImages(Slots);
    for (const QImage& Image : Slots) {
        EXPECT_TRUE(Image.isNull());
    }
}

class CardSetFile : public ::testing::Test {
  protected:
    void SetUp() override {
        Folder =
            fs::temp_directory_path() /
            ("velmo-cardset-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Folder);
        fs::create_directories(Folder);
    }
    void TearDown() override { fs::remove_all(Folder); }

    static int OpenDescriptors() {
        return static_cast<int>(
            std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
    }

    fs::path Folder;
};

TEST_F(CardSetFile, BothEntryPointsReadASetFromDisk) {
    const fs::path Path = Folder / "Default.kxd";
    test::WriteFile(Path, test::CompleteSet("Jouets (defaut)").Build());
    QString Name;
    ASSERT_TRUE(ReadCardSetName(Path, Name));
    EXPECT_EQ(Name, "Jouets (defaut)");
    TCardImages Slots;
    QString Loaded;
    ASSERT_TRUE(LoadCardSet(Path, Slots, Loaded));
    EXPECT_EQ(Loaded, Name);
    EXPECT_EQ(Probe(Slots[9]), SlotColour(9).rgba());
}

TEST_F(CardSetFile, NoFileAFolderOrAPipeAtThePathIsNotACardSetAndTouchesNothing) {
    fs::create_directory(Folder / "dossier.kxd");
    // A named pipe would block the reader forever if it were opened.
    ASSERT_EQ(::mkfifo((Folder / "tube.kxd").c_str(), 0600), 0);
    for (const fs::path& Path :
         {Folder / "absent.kxd", Folder / "dossier.kxd", Folder / "tube.kxd"}) {
        QString Name = "avant";
        TCardImages Slots;
        EXPECT_FALSE(ReadCardSetName(Path, Name)) << Path;
        EXPECT_FALSE(LoadCardSet(Path, Slots, Name)) << Path;
        EXPECT_EQ(Name, "avant");
    }
}

TEST_F(CardSetFile, TheOpenErrorNamesThePathAndTheSystemsReason) {
    const fs::path Path = Folder / "absent.kxd";
    try {
        TFileSource Source(Path);
        FAIL() << "opened a missing file";
    } catch (const TOpenError& Error) {
        const std::string Message = Error.what();
        EXPECT_NE(Message.find("Impossible d'ouvrir"), std::string::npos) << Message;
        EXPECT_NE(Message.find(Path.string()), std::string::npos) << Message;
        EXPECT_NE(Message.find(std::strerror(ENOENT)), std::string::npos) << Message;
    }
}

TEST_F(CardSetFile, TheFileIsClosedWhenTheLoadFails) {
    TKxdWriter Writer = test::CompleteSet("Casse");
    Writer.Entries[4].Payload.resize(20);  // a truncated PNG
    const fs::path Path = Folder / "casse.kxd";
    test::WriteFile(Path, Writer.Build());

    const int Before = OpenDescriptors();
    TCardImages Slots;
    QString Name;
    EXPECT_THROW(LoadCardSet(Path, Slots, Name), TImageError);
    EXPECT_EQ(OpenDescriptors(), Before);
}

}  // namespace
}  // namespace velmo
