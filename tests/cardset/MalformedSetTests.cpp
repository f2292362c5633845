// Malformed card sets: each is refused the way its fault calls for, and no slot changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "cardset/KXDApi.h"
#include "tests/support/KxdWriter.h"
#include "tests/support/MalformedSets.h"

namespace velmo {
namespace {

using test::CaseId;
using test::TBytes;
using test::TKxdWriter;
using test::TMalformedCase;
using test::TOutcome;

class MalformedSet : public ::testing::TestWithParam<TMalformedCase> {};

TOutcome Outcome(const std::function<void()>& Call, std::string& Message) {
    try {
        Call();
    } catch (const TStreamReadError& Error) {
        EXPECT_STREQ(Error.what(), "Erreur de lecture du flux");
        Message = Error.what();
        return TOutcome::StreamRead;
    } catch (const TSlotRangeError& Error) {
        Message = Error.what();
        return TOutcome::SlotRange;
    } catch (const TImageError& Error) {
        Message = Error.what();
        return TOutcome::Image;
    }
    return TOutcome::NotACardSet;
}

TEST_P(MalformedSet, IsRefusedAndLeavesEverySlotAsItWas) {
    const TBytes Bytes = GetParam().Make();
    TCardImages Slots;
    QString Name;
    {
        const TBytes PreviousBytes = test::CompleteSet("Ancien", 1).Build();
        TMemorySource Previous(PreviousBytes);
        ASSERT_TRUE(LoadCardSet(Previous, Slots, Name));
    }
    const TCardImages Before = Slots;
    const QString NameBefore = Name;

    TMemorySource Source(Bytes);
    bool Loaded = true;
    std::string Message;
    const TOutcome Got = Outcome([&] { Loaded = LoadCardSet(Source, Slots, Name); }, Message);
    EXPECT_EQ(Got, GetParam().Expected) << Message;
    if (Got == TOutcome::NotACardSet) {
        EXPECT_FALSE(Loaded);
        EXPECT_EQ(Name, NameBefore);
        QString Unread = NameBefore;
        EXPECT_FALSE(ReadCardSetName(Source, Unread));
        EXPECT_EQ(Unread, NameBefore);
    }
    EXPECT_EQ(Slots, Before) << "a failed load changed the slots";
}

INSTANTIATE_TEST_SUITE_P(Table, MalformedSet, ::testing::ValuesIn(test::MalformedCases()),
                         [](const auto& Info) { return CaseId(Info.param.Fault); });

// The message of the image error that loading a set of one picture raises.
std::string ImageErrorOf(TBytes Picture) {
    TKxdWriter Writer;
    Writer.Add(0, std::move(Picture));
    const TBytes Bytes = Writer.Build();
    TMemorySource Source(Bytes);
    TCardImages Slots;
    QString Name;
    try {
        LoadCardSet(Source, Slots, Name);
    } catch (const TImageError& Error) {
        return Error.what();
    }
    return "(no image error)";
}

TEST(MalformedSetErrors, TheDecodersRefusalSaysWhatWentWrongInFrench) {
    const std::string Message = ImageErrorOf(TBytes(50, std::byte{1}));
    EXPECT_EQ(Message.rfind("Image PNG invalide", 0), 0u) << Message;
}

TEST(MalformedSetErrors, APngChunkLongerThanThePictureIsRefusedBeforeTheDecoderAllocatesIt) {
    // The PNG library allocates a chunk's declared length up front: 1.6 GB for these few bytes.
    EXPECT_EQ(ImageErrorOf(test::WithChunkClaiming(test::SolidPng(2, 3, Qt::red), 0x620CD141, 20)),
              "Image PNG invalide : un bloc annonce plus d'octets que l'image n'en contient");
}

// Wraps a source and remembers the largest read asked of it.
class TWatchedSource final : public TByteSource {
  public:
    explicit TWatchedSource(TByteSource& Inner) : Inner(Inner) {}
    uint64_t Size() const override { return Inner.Size(); }
    void ReadAt(uint64_t Offset, std::span<std::byte> Out) override {
        LargestRead = std::max<uint64_t>(LargestRead, Out.size());
        Inner.ReadAt(Offset, Out);
    }
    uint64_t LargestRead = 0;

  private:
    TByteSource& Inner;
};

TEST(MalformedSetErrors, AHugeDeclaredSizeIsRefusedBeforeAnythingIsReadForIt) {
    TKxdWriter Writer;
    Writer.Padding = TBytes(32, std::byte{0});
    Writer.Add(1, {}).Size = 0xFFFFFFFF;
    Writer.Entries[0].Offset = 8;
    const TBytes Bytes = Writer.Build();
    ASSERT_EQ(Bytes.size(), 200u);

    TMemorySource Memory(Bytes);
    TWatchedSource Source(Memory);
    TCardImages Slots;
    QString Name;
    EXPECT_THROW(LoadCardSet(Source, Slots, Name), TStreamReadError);
    EXPECT_LE(Source.LargestRead, test::kKxdTrailerSize);
}

TEST(MalformedSetErrors, EveryStoredCrasherFailsCleanly) {
    namespace fs = std::filesystem;
    const fs::path Folder = VELMO_CRASHERS_DIR;
    if (!fs::is_directory(Folder)) {
        GTEST_SKIP() << "no crasher folder";
    }
    for (const fs::directory_entry& Entry : fs::directory_iterator(Folder)) {
        std::ifstream In(Entry.path(), std::ios::binary);
        const std::string Raw((std::istreambuf_iterator<char>(In)),
                              std::istreambuf_iterator<char>());
        TMemorySource Source(std::as_bytes(std::span(Raw.data(), Raw.size())));
        TCardImages Slots;
        QString Name;
        try {
            LoadCardSet(Source, Slots, Name);
        } catch (const TCardSetError&) {
            // a clean refusal
        }
        SUCCEED() << Entry.path();
    }
}

}  // namespace
}  // namespace velmo
