// Malformed card sets: each is refused the way its fault calls for, and no slot changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <QBuffer>
#include <QImage>

#include "cardset/KXDApi.h"
#include "tests/support/KxdWriter.h"

namespace velmo {
namespace {

using test::SlotColour;
using test::SolidPng;
using test::TBytes;
using test::TKxdWriter;

enum class TOutcome { NotACardSet, StreamRead, SlotRange, Image };

struct TMalformedCase {
    const char* Fault;
    std::function<TBytes()> Make;
    TOutcome Expected;
    const char* MessagePart = "";  // a piece of the error's message, when it matters
};

TBytes Png() {
    return SolidPng(test::kCardWidth, test::kCardHeight, SlotColour(0, 5));
}

TBytes Encoded(const char* Format) {
    QImage Image(16, 16, QImage::Format_RGB32);
    Image.fill(Qt::blue);
    QByteArray Data;
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::WriteOnly);
    Image.save(&Buffer, Format);
    const auto* First = reinterpret_cast<const std::byte*>(Data.constData());
    return TBytes(First, First + Data.size());
}

// A complete, valid set with one change applied.
std::function<TBytes()> SetWith(std::function<void(TKxdWriter&)> Change) {
    return [Change] {
        TKxdWriter Writer = test::CompleteSet("Nouveau", 2);
        Change(Writer);
        return Writer.Build();
    };
}

std::function<TBytes()> BytesOf(TBytes Bytes) {
    return [Bytes] { return Bytes; };
}

TBytes Truncated(TBytes Bytes, std::size_t Size) {
    Bytes.resize(Size);
    return Bytes;
}

const TMalformedCase kMalformedCases[] = {
    {"an empty file", BytesOf({}), TOutcome::NotACardSet},
    {"a file one byte short of a trailer",
     [] { return Truncated(TKxdWriter().Build(), test::kKxdTrailerSize - 1); },
     TOutcome::NotACardSet},
    {"the leading tag's last zero byte differs",
     SetWith([](TKxdWriter& W) { W.LeadingTag[7] = std::byte{1}; }), TOutcome::NotACardSet},
    {"the leading tag is lower case",
     SetWith([](TKxdWriter& W) { W.LeadingTag[0] = std::byte{'k'}; }), TOutcome::NotACardSet},
    {"the trailing tag is missing", SetWith([](TKxdWriter& W) { W.TrailingTag.fill({}); }),
     TOutcome::NotACardSet},
    {"a set cut short loses its trailer",
     [] {
         const TBytes Whole = test::CompleteSet("Nouveau").Build();
         return Truncated(Whole, Whole.size() - 12);
     },
     TOutcome::NotACardSet},
    {"an entry's offset lies past the end",
     SetWith([](TKxdWriter& W) { W.Entries[2].Offset = 0x7FFFFFFF; }), TOutcome::StreamRead},
    {"an entry's size runs past the end",
     SetWith([](TKxdWriter& W) { W.Entries[2].Size = W.Entries[2].Payload.size() + 1000000; }),
     TOutcome::StreamRead},
    {"an entry declares 4 GiB", SetWith([](TKxdWriter& W) { W.Entries[0].Size = 0xFFFFFFFF; }),
     TOutcome::StreamRead},
    {"offset plus size wraps around 32 bits", SetWith([](TKxdWriter& W) {
         W.Entries[1].Offset = 0xFFFFFF00;
         W.Entries[1].Size = 0x200;
     }),
     TOutcome::StreamRead},
    {"slot index 10", SetWith([](TKxdWriter& W) { W.Entries[9].Slot = 10; }), TOutcome::SlotRange},
    {"slot index 255", SetWith([](TKxdWriter& W) { W.Entries[0].Slot = 255; }),
     TOutcome::SlotRange},
    {"a bad range is reported before a bad slot index", SetWith([](TKxdWriter& W) {
         W.Entries[3].Slot = 12;
         W.Entries[3].Offset = 0xFFFFFFF0;
     }),
     TOutcome::StreamRead},
    {"the third picture is not a PNG",
     SetWith([](TKxdWriter& W) { W.Entries[2].Payload = TBytes(300, std::byte{0x5A}); }),
     TOutcome::Image},
    {"a BMP is not guessed from its bytes",
     SetWith([](TKxdWriter& W) { W.Entries[2].Payload = Encoded("BMP"); }), TOutcome::Image},
    {"a truncated PNG", SetWith([](TKxdWriter& W) { W.Entries[5].Payload.resize(60); }),
     TOutcome::Image},
    {"a PNG whose data is cut after its header",
     SetWith([](TKxdWriter& W) { W.Entries[5].Payload.resize(33); }), TOutcome::Image},
    {"a PNG declaring 30000 x 30000 pixels", SetWith([](TKxdWriter& W) {
         W.Entries[8].Payload = test::WithPngDimensions(Png(), 30000, 30000);
     }),
     TOutcome::Image},
    {"a PNG declaring a width of 2^31 - 1", SetWith([](TKxdWriter& W) {
         W.Entries[8].Payload = test::WithPngDimensions(Png(), 0x7FFFFFFF, 1);
     }),
     TOutcome::Image},
    {"a PNG whose header lies about its size", SetWith([](TKxdWriter& W) {
         W.Entries[8].Payload = test::WithPngDimensions(Png(), 200, 320);
     }),
     TOutcome::Image},
};

void PrintTo(const TMalformedCase& Case, std::ostream* Out) {
    *Out << Case.Fault;
}

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
    EXPECT_NE(Message.find(GetParam().MessagePart), std::string::npos) << Message;
    if (Got == TOutcome::NotACardSet) {
        EXPECT_FALSE(Loaded);
        EXPECT_EQ(Name, NameBefore);
        QString Unread = NameBefore;
        EXPECT_FALSE(ReadCardSetName(Source, Unread));
        EXPECT_EQ(Unread, NameBefore);
    }
    EXPECT_EQ(Slots, Before) << "a failed load changed the slots";
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedSet, ::testing::ValuesIn(kMalformedCases), [](const auto& Info) {
        std::string Id = Info.param.Fault;
        std::replace_if(
            Id.begin(), Id.end(),
            [](char C) { return !std::isalnum(static_cast<unsigned char>(C)); }, '_');
        return Id;
    });

TEST(MalformedSetErrors, TheDecodersRefusalSaysWhatWentWrongInFrench) {
    TKxdWriter Writer;
    Writer.Add(0, TBytes(50, std::byte{1}));
    const TBytes Bytes = Writer.Build();
    TMemorySource Source(Bytes);
    TCardImages Slots;
    QString Name;
    try {
        LoadCardSet(Source, Slots, Name);
        FAIL() << "garbage decoded";
    } catch (const TImageError& Error) {
        EXPECT_EQ(std::string(Error.what()).rfind("Image PNG invalide", 0), 0u) << Error.what();
    }
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
