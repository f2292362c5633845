// Broken set files beside a good Default.kxd: the window starts, plays, refuses them out loud,
// keeps its pictures and does not grow.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>
#include <QAction>
#include <QMenu>

#include "tests/ui/FormFixture.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMO_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELMO_ADDRESS_SANITIZER 1
#endif
#ifdef VELMO_ADDRESS_SANITIZER
#include <sanitizer/allocator_interface.h>
#endif

namespace velmo::test {
namespace {

constexpr const char* kBrokenFile = "x.kxd";
constexpr const char* kBrokenName = "Abime";
constexpr int kBrokenVariant = 3;
constexpr int kMeasuredChoices = 5;  // after one choice that warms up caches and pools
constexpr int64_t kAllowedGrowth = 8 * 1024 * 1024;
constexpr std::size_t kNameChars = 31;  // what the name field holds after its length byte
const QString kDefaultCaption = QStringLiteral("Classique (defaut)");

enum class TPlacement { File, EmptyFolder, FolderWithASet };

// What choosing the broken set's entry does.
enum class TChoice {
    Refused,        // an error message, nothing changes
    RefusedPrefix,  // the same, the message only known by its start
    Loads,          // a usable set after all: its pictures are shown
};

struct TWindowCase {
    const char* Fault;
    TPlacement Placement;
    std::function<TBytes()> Make;  // the file's bytes, for TPlacement::File
    QString Caption;               // its entry under "Ensembles"
    TChoice Choice;
    QString Message;
};

void PrintTo(const TWindowCase& Case, std::ostream* Out) {
    *Out << Case.Fault;
}

TBytes WholeSet() {
    return CompleteSet(kBrokenName, kBrokenVariant).Build();
}

// The whole set cut to a size given from its start or, when negative, from its end.
std::function<TBytes()> CutAt(std::ptrdiff_t Size) {
    return [Size] {
        TBytes Bytes = WholeSet();
        const std::ptrdiff_t Whole = static_cast<std::ptrdiff_t>(Bytes.size());
        Bytes.resize(static_cast<std::size_t>(Size >= 0 ? Size : Whole + Size));
        return Bytes;
    };
}

std::function<TBytes()> SetWith(std::function<void(TKxdWriter&)> Change) {
    return [Change] {
        TKxdWriter Writer = CompleteSet(kBrokenName, kBrokenVariant);
        Change(Writer);
        return Writer.Build();
    };
}

QString NotACardSet() {
    return QStringLiteral("x.kxd n'est pas un ensemble de cartes.");
}

// A length byte above the field's size shows every byte the field holds, its zeros included.
QString FullNameField() {
    return QString::fromLatin1(kBrokenName) +
           QString(static_cast<qsizetype>(kNameChars - std::string(kBrokenName).size()), QChar());
}

constexpr auto kTrailerStart = -static_cast<std::ptrdiff_t>(kKxdTrailerSize);
constexpr std::ptrdiff_t kInsideTag = 5;
constexpr std::ptrdiff_t kNameAndDirectory = kKxdTrailerSize - 8;

const TWindowCase kWindowCases[] = {
    {"cut inside the leading tag", TPlacement::File, CutAt(kInsideTag), "x", TChoice::Refused,
     NotACardSet()},
    {"cut inside the pictures", TPlacement::File,
     [] {
         TBytes Bytes = WholeSet();
         Bytes.resize(Bytes.size() / 2);
         return Bytes;
     },
     "x", TChoice::Refused, NotACardSet()},
    {"cut inside the trailing tag", TPlacement::File, CutAt(kTrailerStart + kInsideTag), "x",
     TChoice::Refused, NotACardSet()},
    {"cut inside the name and directory", TPlacement::File,
     CutAt(-(kNameAndDirectory - kInsideTag)), "x", TChoice::Refused, NotACardSet()},
    {"a picture that is not a PNG", TPlacement::File,
     SetWith([](TKxdWriter& W) { W.Entries[4].Payload = TBytes(300, std::byte{0x5A}); }),
     kBrokenName, TChoice::RefusedPrefix, "Image PNG invalide : "},
    {"slot index 10", TPlacement::File, SetWith([](TKxdWriter& W) { W.Entries[9].Slot = 10; }),
     kBrokenName, TChoice::Refused, "Indice d'image hors limites (10)"},
    {"slot index 255", TPlacement::File, SetWith([](TKxdWriter& W) { W.Entries[0].Slot = 255; }),
     kBrokenName, TChoice::Refused, "Indice d'image hors limites (255)"},
    {"a size far past the end", TPlacement::File,
     SetWith([](TKxdWriter& W) { W.Entries[3].Size = 0x7FFFFFF0; }), kBrokenName, TChoice::Refused,
     "Erreur de lecture du flux"},
    {"an offset past the end", TPlacement::File,
     SetWith([](TKxdWriter& W) { W.Entries[3].Offset = 0x00FFFFFF; }), kBrokenName,
     TChoice::Refused, "Erreur de lecture du flux"},
    {"a name length byte of 200", TPlacement::File,
     SetWith([](TKxdWriter& W) { W.NameLength = 200; }), FullNameField(), TChoice::Loads, ""},
    {"a file of 10 bytes", TPlacement::File, CutAt(10), "x", TChoice::Refused, NotACardSet()},
    {"an empty file", TPlacement::File, CutAt(0), "x", TChoice::Refused, NotACardSet()},
    {"a folder named like a set", TPlacement::EmptyFolder, nullptr, "x", TChoice::Refused,
     NotACardSet()},
    {"a folder named like a set holding a set", TPlacement::FolderWithASet, nullptr, "x",
     TChoice::Refused, NotACardSet()},
    {"a PNG declaring 100000 x 100000 pixels", TPlacement::File, SetWith([](TKxdWriter& W) {
         W.Entries[7].Payload = WithPngDimensions(W.Entries[7].Payload, 100000, 100000);
     }),
     kBrokenName, TChoice::Refused, "Image PNG trop grande (100000 × 100000 pixels)"},
};

// Resident memory of the process, from /proc/self/statm: it works under AddressSanitizer, whose
// allocator the C library's statistics do not see. That allocator keeps freed blocks in a
// quarantine to catch late uses; it is drained first, so only memory still held is counted.
int64_t ResidentBytes() {
#ifdef VELMO_ADDRESS_SANITIZER
    __sanitizer_purge_allocator();
#endif
    std::ifstream Statm("/proc/self/statm");
    int64_t Total = 0;
    int64_t Resident = 0;
    Statm >> Total >> Resident;
    return Resident * static_cast<int64_t>(sysconf(_SC_PAGESIZE));
}

class MalformedSetWindow : public FormTest, public ::testing::WithParamInterface<TWindowCase> {
  protected:
    void SetUp() override {
        WriteDefaultSet();
        const TWindowCase& Case = GetParam();
        const std::filesystem::path Broken = FolderPath() + kBrokenFile;
        switch (Case.Placement) {
            case TPlacement::File:
                WriteBytes(kBrokenFile, Case.Make());
                break;
            case TPlacement::EmptyFolder:
                std::filesystem::create_directory(Broken);
                break;
            case TPlacement::FolderWithASet:
                std::filesystem::create_directory(Broken);
                WriteFile(Broken / "Default.kxd", WholeSet());
                break;
        }
        Open();
    }

    // Chooses the broken set and checks that it did what the row says.
    void ChooseBrokenSet(const TCardImages& Before) {
        const TWindowCase& Case = GetParam();
        Recorder.Messages.clear();
        QAction* Item = Entry(Case.Caption);
        ASSERT_NE(Item, nullptr);
        Item->trigger();
        if (Case.Choice == TChoice::Loads) {
            EXPECT_TRUE(Recorder.Messages.empty());
            EXPECT_NE(Form->CardImages, Before);
            return;
        }
        ASSERT_EQ(Recorder.Messages.size(), 1u);
        const TMessage& Message = Recorder.Messages[0];
        EXPECT_EQ(Message.Kind, TMessageKind::Error);
        EXPECT_EQ(Message.Title, "Velmo");
        if (Case.Choice == TChoice::RefusedPrefix) {
            EXPECT_TRUE(Message.Text.startsWith(Case.Message)) << Message.Text.toStdString();
        } else {
            EXPECT_EQ(Message.Text, Case.Message);
        }
        EXPECT_EQ(Form->CardImages, Before) << "a refused set changed the pictures";
        EXPECT_EQ(CheckedEntries(), std::vector<QString>{kDefaultCaption});
    }

    static inline int64_t WorstGrowth = 0;
    static inline std::string WorstFault;

  public:
    static void TearDownTestSuite() {
        std::cout << "[ MEMORY   ] worst resident growth " << WorstGrowth / 1024 << " KiB ("
                  << WorstFault << ")\n";
    }
};

TEST_P(MalformedSetWindow, StartsPlaysRefusesTheSetKeepsItsPicturesAndDoesNotGrow) {
    const TWindowCase& Case = GetParam();
    ASSERT_FALSE(Form->LoadFailed());
    EXPECT_TRUE(Recorder.Messages.empty()) << "start-up reported " << Recorder.Messages.size();
    const auto Listed =
        std::find(Form->CardSetFiles.begin(), Form->CardSetFiles.end(), kBrokenFile);
    ASSERT_NE(Listed, Form->CardSetFiles.end()) << "the scanner skipped it";
    ASSERT_NE(Entry(Case.Caption), nullptr);
    EXPECT_EQ(Form->CardSetFiles.at(Entry(Case.Caption)->data().toULongLong()), kBrokenFile);
    EXPECT_EQ(CheckedEntries(), std::vector<QString>{kDefaultCaption});

    const TCardImages DefaultImages = Form->CardImages;
    ChooseBrokenSet(DefaultImages);
    if (Case.Choice == TChoice::Loads) {
        EXPECT_EQ(ShownBoard(kBrokenVariant), kAllFaces);
        EXPECT_EQ(CheckedEntries(), std::vector<QString>{Case.Caption});
        Entry(kDefaultCaption)->trigger();
    }
    EXPECT_EQ(ShownBoard(), kAllFaces) << "the board lost Default's pictures";

    // Memory: the first choice above warmed up what stays allocated; later ones must not add.
    const int64_t Base = ResidentBytes();
    int64_t Peak = 0;
    for (int Choice = 0; Choice < kMeasuredChoices; ++Choice) {
        const TCardImages Before = Form->CardImages;
        ChooseBrokenSet(Before);
        if (Case.Choice == TChoice::Loads) {
            Entry(kDefaultCaption)->trigger();
        }
        Peak = std::max(Peak, ResidentBytes() - Base);
    }
    RecordProperty("resident_growth_kib", static_cast<int>(Peak / 1024));
    if (Peak > WorstGrowth || WorstFault.empty()) {
        WorstGrowth = Peak;
        WorstFault = Case.Fault;
    }
    EXPECT_LT(Peak, kAllowedGrowth) << "resident memory grew by " << Peak / 1024 << " KiB";
    EXPECT_EQ(Form->CardImages, DefaultImages);

    // The game is still playable with Default's pictures.
    Recorder.Messages.clear();
    NewGame();
    Click(0, 0);
    Click(1, 0);
    EXPECT_TRUE(Form->Game.State().Playing);
    EXPECT_EQ(Form->Game.State().Chances, 8);
    EXPECT_EQ(ShownBoard(), "110000|000000|000000");
    EXPECT_TRUE(Recorder.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedSetWindow, ::testing::ValuesIn(kWindowCases), [](const auto& Info) {
        std::string Id = Info.param.Fault;
        std::replace_if(
            Id.begin(), Id.end(),
            [](char C) { return !std::isalnum(static_cast<unsigned char>(C)); }, '_');
        return Id;
    });

}  // namespace
}  // namespace velmo::test
