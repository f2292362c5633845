// Set names travel between Unicode text and Windows-1252 bytes without loss.
#include <QStringDecoder>

#include <gtest/gtest.h>

#include "cardset/Windows1252.h"

namespace velmo {
namespace {

constexpr std::array<unsigned char, 5> kUnassignedBytes = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

std::span<const std::byte> Bytes(const QByteArray& Array) {
    return std::as_bytes(std::span(Array.data(), static_cast<std::size_t>(Array.size())));
}

bool IsUnassigned(int Byte) {
    return std::find(kUnassignedBytes.begin(), kUnassignedBytes.end(), Byte) !=
           kUnassignedBytes.end();
}

TEST(Windows1252, EveryByteDecodesAndEncodesBackToItself) {
    for (int Byte = 0; Byte < 256; ++Byte) {
        const QByteArray One(1, static_cast<char>(Byte));
        const QString Text = DecodeWindows1252(Bytes(One));
        const std::optional<QByteArray> Back = EncodeWindows1252(Text);
        ASSERT_TRUE(Back.has_value()) << "byte " << Byte;
        EXPECT_EQ(*Back, One) << "byte " << Byte;
    }
}

TEST(Windows1252, EveryAssignedByteDecodesAsQtsOwnCodecDecodesIt) {
    QStringDecoder Reference("windows-1252");
    if (!Reference.isValid()) {
        GTEST_SKIP() << "this Qt build has no Windows-1252 codec";
    }
    for (int Byte = 0; Byte < 256; ++Byte) {
        if (IsUnassigned(Byte)) {
            continue;
        }
        const QByteArray One(1, static_cast<char>(Byte));
        EXPECT_EQ(DecodeWindows1252(Bytes(One)), QString(Reference.decode(One))) << "byte " << Byte;
    }
}

TEST(Windows1252, FrenchAndTypographicSignsGetTheirSingleBytes) {
    const std::optional<QByteArray> Bytes =
        EncodeWindows1252(QStringLiteral("Été – œuvre à 5 € « ok »"));
    ASSERT_TRUE(Bytes.has_value());
    EXPECT_EQ(*Bytes, QByteArray("\xC9t\xE9 \x96 \x9Cuvre \xE0 5 \x80 \xAB ok \xBB"));
}

TEST(Windows1252, ACharacterOutsideTheCodePageIsRefusedAndNamed) {
    for (const QString& Bad : {QStringLiteral("日"), QStringLiteral("🂡"), QStringLiteral("\u0100"),
                               QStringLiteral("\uFFFD")}) {
        QString FirstBad;
        EXPECT_FALSE(EncodeWindows1252(QStringLiteral("ab") + Bad, &FirstBad).has_value());
        EXPECT_EQ(FirstBad, Bad);
    }
}

}  // namespace
}  // namespace velmo
