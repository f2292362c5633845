// Reading a set's name: what counts as a card set, the name field's limits, Windows-1252 text.
#include <gtest/gtest.h>

#include <string>

#include "cardset/KXDApi.h"
#include "cardset/Windows1252.h"
#include "tests/support/KxdWriter.h"

namespace velmo {
namespace {

using test::TBytes;
using test::TKxdWriter;

bool ReadName(const TBytes& Bytes, QString& Name) {
    TMemorySource Source(Bytes);
    return ReadCardSetName(Source, Name);
}

TEST(CardSetName, ASetOfOnlyTagsNameAndEmptyDirectoryIsACardSet) {
    TKxdWriter Writer;
    Writer.NameBytes = "Nature";
    const TBytes Bytes = Writer.Build();
    ASSERT_EQ(Bytes.size(), 168u);
    QString Name;
    EXPECT_TRUE(ReadName(Bytes, Name));
    EXPECT_EQ(Name, "Nature");
}

TEST(CardSetName, AnEmptyNameStillCountsAsACardSet) {
    QString Name = "avant";
    EXPECT_TRUE(ReadName(TKxdWriter().Build(), Name));
    EXPECT_EQ(Name, "");
}

TEST(CardSetName, ALengthByteAboveThirtyOneReadsTheThirtyOneBytesOfTheField) {
    TKxdWriter Writer;
    Writer.NameBytes = std::string(31, 'a');
    Writer.NameLength = 200;
    QString Name;
    ASSERT_TRUE(ReadName(Writer.Build(), Name));
    EXPECT_EQ(Name, QString(31, 'a'));
}

TEST(CardSetName, TheNameStopsAtItsLengthNotAtTheFiller) {
    TKxdWriter Writer;
    Writer.NameBytes = "Animaux (defaut)";
    Writer.NameLength = 7;
    QString Name;
    ASSERT_TRUE(ReadName(Writer.Build(), Name));
    EXPECT_EQ(Name, "Animaux");
}

TEST(CardSetName, AWindows1252NameIsDecodedForDisplay) {
    TKxdWriter Writer;
    Writer.NameBytes = "\xC9t\xE9 (defaut)";
    QString Name;
    ASSERT_TRUE(ReadName(Writer.Build(), Name));
    EXPECT_EQ(Name, QString::fromUtf8("Été (defaut)"));
    EXPECT_EQ(Name.toUtf8().toStdString(), "\xC3\x89t\xC3\xA9 (defaut)");
}

TEST(CardSetName, TheBytesThatDifferFromLatin1AreDecodedByTheirWindows1252Meaning) {
    struct TCase {
        unsigned char Byte;
        char16_t Expected;
    };
    const TCase Cases[] = {
        {0x41, u'A'},      {0x80, u'\u20AC'}, {0x8C, u'\u0152'}, {0x92, u'\u2019'},
        {0x9C, u'\u0153'}, {0x9F, u'\u0178'}, {0x81, 0x0081},    {0xA0, u'\u00A0'},
        {0xE7, u'\u00E7'}, {0xFF, u'\u00FF'},
    };
    for (const TCase& Case : Cases) {
        const std::byte Byte{Case.Byte};
        const QString Text = DecodeWindows1252(std::span(&Byte, 1));
        ASSERT_EQ(Text.size(), 1);
        EXPECT_EQ(Text[0].unicode(), Case.Expected) << "byte " << int(Case.Byte);
    }
}

}  // namespace
}  // namespace velmo
