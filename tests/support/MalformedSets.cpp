// Broken card sets, built from a good one with a single change each.
#include "tests/support/MalformedSets.h"

#include <algorithm>
#include <cctype>

#include <QBuffer>
#include <QImage>

namespace velmo::test {
namespace {

TBytes Png() {
    return SolidPng(kCardWidth, kCardHeight, SlotColour(0, 5));
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
        TKxdWriter Writer = CompleteSet("Nouveau", 2);
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

}  // namespace

const std::vector<TMalformedCase>& MalformedCases() {
    static const std::vector<TMalformedCase> Cases = {
        {"an empty file", BytesOf({}), TOutcome::NotACardSet},
        {"a file one byte short of a trailer",
         [] { return Truncated(TKxdWriter().Build(), kKxdTrailerSize - 1); },
         TOutcome::NotACardSet},
        {"the leading tag's last zero byte differs",
         SetWith([](TKxdWriter& W) { W.LeadingTag[7] = std::byte{1}; }), TOutcome::NotACardSet},
        {"the leading tag is lower case",
         SetWith([](TKxdWriter& W) { W.LeadingTag[0] = std::byte{'k'}; }), TOutcome::NotACardSet},
        {"the trailing tag is missing", SetWith([](TKxdWriter& W) { W.TrailingTag.fill({}); }),
         TOutcome::NotACardSet},
        {"a set cut short loses its trailer",
         [] {
             const TBytes Whole = CompleteSet("Nouveau").Build();
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
        {"slot index 10", SetWith([](TKxdWriter& W) { W.Entries[9].Slot = 10; }),
         TOutcome::SlotRange},
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
             W.Entries[8].Payload = WithPngDimensions(Png(), 30000, 30000);
         }),
         TOutcome::Image},
        {"a PNG declaring a width of 2^31 - 1", SetWith([](TKxdWriter& W) {
             W.Entries[8].Payload = WithPngDimensions(Png(), 0x7FFFFFFF, 1);
         }),
         TOutcome::Image},
        {"a PNG chunk claims 1.6 GB in a few bytes", SetWith([](TKxdWriter& W) {
             W.Entries[4].Payload = WithChunkClaiming(Png(), 0x620CD141, 20);
         }),
         TOutcome::Image},
        {"a PNG whose header lies about its size",
         SetWith([](TKxdWriter& W) { W.Entries[8].Payload = WithPngDimensions(Png(), 200, 320); }),
         TOutcome::Image},
    };
    return Cases;
}

std::string CaseId(const char* Fault) {
    std::string Id = Fault;
    std::replace_if(
        Id.begin(), Id.end(), [](char C) { return !std::isalnum(static_cast<unsigned char>(C)); },
        '_');
    return Id;
}

}  // namespace velmo::test
