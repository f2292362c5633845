// Tests of the checked arithmetic and indexing: a result out of range throws, never wraps.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>

#include "game/Checked.h"

namespace velmo {
namespace {

TEST(Checked, ResultsThatFitAreExact) {
    EXPECT_EQ(CheckedAdd(INT32_MAX - 1, 1), INT32_MAX);
    EXPECT_EQ(CheckedSub(INT32_MIN + 1, 1), INT32_MIN);
    EXPECT_EQ(CheckedMul(46340, 46340), 2147395600);
    EXPECT_EQ(CheckedAdd<uint8_t>(254, 1), 255);
    EXPECT_EQ(CheckedSub<uint32_t>(1, 1), 0u);
}

TEST(Checked, OverflowThrowsAndNamesTheOperation) {
    const auto Message = [](auto Operation) -> std::string {
        try {
            Operation();
        } catch (const TOverflowError& Error) {
            return Error.what();
        }
        return "no overflow";
    };
    EXPECT_EQ(Message([] { CheckedAdd(INT32_MAX, 1); }),
              "Dépassement de capacité : 2147483647 + 1");
    EXPECT_EQ(Message([] { CheckedSub(INT32_MIN, 1); }),
              "Dépassement de capacité : -2147483648 - 1");
    EXPECT_EQ(Message([] { CheckedMul(65536, 32768); }), "Dépassement de capacité : 65536 × 32768");
    EXPECT_EQ(Message([] { CheckedAdd<uint8_t>(255, 1); }), "Dépassement de capacité : 255 + 1");
    EXPECT_EQ(Message([] { CheckedSub<uint32_t>(0, 1); }), "Dépassement de capacité : 0 - 1");
    EXPECT_EQ(Message([] { CheckedAdd<uint32_t>(UINT32_MAX, 1); }),
              "Dépassement de capacité : 4294967295 + 1");
}

TEST(Checked, AnIndexOutsideTheArrayThrows) {
    std::array<int, 2> Slots{4, 5};
    EXPECT_EQ(CheckedAt(Slots, uint8_t{1}, "les emplacements"), 5);
    EXPECT_THROW(CheckedAt(Slots, uint8_t{2}, "les emplacements"), TRangeError);
    EXPECT_THROW(CheckedAt(Slots, -1, "les emplacements"), TRangeError);
    try {
        CheckedAt(Slots, 3, "les emplacements");
    } catch (const TRangeError& Error) {
        EXPECT_STREQ(Error.what(), "Indice hors limites dans les emplacements : 3");
    }
}

}  // namespace
}  // namespace velmo
