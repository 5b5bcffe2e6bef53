#include "pages/skip_one_code.h"

#include <gtest/gtest.h>

namespace tessmar {
namespace {

TEST(SkipOneCode, StoredValuesSelectTheirItemAndItemsStoreZeroTwoOrThree) {
    const struct {
        unsigned stored;
        unsigned index;
        unsigned written;
    } kCases[] = {{0, 0, 0}, {1, 1, 2}, {2, 1, 2}, {3, 2, 3}};
    for (const auto& c : kCases) {
        EXPECT_EQ(skip_one_index(c.stored), c.index) << c.stored;
        EXPECT_EQ(skip_one_value(skip_one_index(c.stored)), c.written) << c.stored;
    }
}

}  // namespace
}  // namespace tessmar
