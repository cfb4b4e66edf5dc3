#include "front/byte_sets.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// The scans stop at members only, report the end when there is none, and
// see every byte value, NUL and the upper half included.
TEST(ByteSets, ScansFindTheNextAndTheLastMember) {
    constexpr ByteSet kSet = make_byte_set(std::string_view("(\0\xff", 3));
    const std::string_view text("ab(c\0d\xff", 7);
    const struct {
        std::size_t from, next, last;
    } cases[] = {
        {0, 2, 7}, {2, 2, 7}, {3, 4, 2}, {5, 6, 4}, {6, 6, 4}, {7, 7, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(next_in(text, c.from, kSet), c.next) << c.from;
        EXPECT_EQ(last_in(text, c.from, kSet), c.last) << c.from;
    }
    EXPECT_EQ(next_in("", 0, kSet), 0u);
    EXPECT_EQ(last_in("abc", 3, kSet), 3u);
}

}  // namespace
}  // namespace vesk
