#include <gtest/gtest.h>

#include <vector>

#include "app/multisample_search.h"

namespace {

// A driver whose formats offer up to `maxSamples` samples; records every count asked for.
struct FakeDriver {
    std::uint32_t maxSamples = 0;
    std::vector<std::uint32_t> asked;
    int search(std::uint32_t configured, std::uint32_t* samples) {
        return searchMultisampleFormat(
            configured,
            [this](std::uint32_t count) {
                asked.push_back(count);
                return count <= maxSamples ? int(100 + count) : 0;
            },
            samples);
    }
};

using Counts = std::vector<std::uint32_t>;

} // namespace

TEST(AppMultisampleSearch, HalvesUntilADriverFormatIsFound) {
    FakeDriver upToEight{8, {}};
    std::uint32_t samples = 0;
    EXPECT_EQ(upToEight.search(16, &samples), 108);
    EXPECT_EQ(samples, 8u);
    EXPECT_EQ(upToEight.asked, (Counts{16, 8}));

    FakeDriver upToFour{4, {}};
    EXPECT_EQ(upToFour.search(4, &samples), 104);
    EXPECT_EQ(upToFour.asked, (Counts{4}));
}

TEST(AppMultisampleSearch, GivesUpBeforeAskingForOneSample) {
    std::uint32_t samples = 77;
    FakeDriver none{0, {}};
    EXPECT_EQ(none.search(16, &samples), 0);
    EXPECT_EQ(none.asked, (Counts{16, 8, 4, 2}));
    FakeDriver odd{0, {}};
    EXPECT_EQ(odd.search(6, &samples), 0);
    EXPECT_EQ(odd.asked, (Counts{6, 3}));
    FakeDriver two{0, {}};
    EXPECT_EQ(two.search(2, &samples), 0);
    EXPECT_EQ(two.asked, (Counts{2}));
    // A configured 1 is asked for once, as written.
    FakeDriver single{1, {}};
    EXPECT_EQ(single.search(1, &samples), 101);
    EXPECT_EQ(samples, 1u);
    EXPECT_EQ(single.asked, (Counts{1}));
    FakeDriver singleRefused{0, {}};
    EXPECT_EQ(singleRefused.search(1, &samples), 0);
    EXPECT_EQ(singleRefused.asked, (Counts{1}));
    EXPECT_EQ(samples, 1u); // untouched by the failures
}
