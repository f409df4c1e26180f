#include "image/channel_order.h"
#include "image/fields.h"

#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

using namespace ksv;

namespace {

// Random records with channels 39 and 40 clear, the priority on channel 6.
Image randomChannels(unsigned seed) {
    std::mt19937 rng(seed);
    Image im;
    for (auto& b : im.bytes())
        b = static_cast<std::uint8_t>(rng());
    clearChannel(im, 39);
    clearChannel(im, 40);
    im.set(map::PriorityChannel, 6);
    return im;
}

std::vector<int> range(int first, int last) {
    std::vector<int> v(static_cast<std::size_t>(last - first + 1));
    std::iota(v.begin(), v.end(), first);
    return v;
}

// Every record of after is the record of before that order names, all five
// bytes (a negative number: that record cleared, its other bits kept); the
// priority follows its channel; no other byte changes.
void expectOrder(const Image& before, const Image& after, const std::vector<int>& order,
                 int priority) {
    ASSERT_EQ(order.size(), 40u);
    for (int n = 1; n <= 40; ++n) {
        const int from = std::abs(order[static_cast<std::size_t>(n - 1)]);
        Image expected = before;
        if (order[static_cast<std::size_t>(n - 1)] < 0)
            clearChannel(expected, from);
        EXPECT_EQ(channelRecord(after, n), channelRecord(expected, from)) << "channel " << n;
    }
    EXPECT_EQ(after.get(map::PriorityChannel), priority);
    for (int o = 0; o < static_cast<int>(kImageSize); ++o) {
        const bool outside = o < map::FirstRecord || o >= Image::recordOffset(41);
        if (outside && o != map::PriorityChannel.offset()) {
            EXPECT_EQ(after[o], before[o]) << "byte " << o;
        }
    }
}

} // namespace

TEST(ChannelOrder, RowOperationsKeepEveryRecordAndThePriorityFollows) {
    const auto cat = [](std::vector<std::vector<int>> parts) {
        std::vector<int> v;
        for (const auto& p : parts)
            v.insert(v.end(), p.begin(), p.end());
        return v;
    };
    using Op = std::function<bool(Image&)>; // false: refused, nothing changed
    const struct {
        const char* name;
        Op op;
        std::vector<int> order;
        int priority;
    } cases[] = {
        {"insert 2 at 5", [](Image& im) { return !!insertChannels(im, 5, 2).places; },
         cat({range(1, 4), {39, 40}, range(5, 38)}), 8},
        {"delete 3, 6",
         [](Image& im) {
             return deleteChannels(im, {6, 3})[2] == 0; // channel 3 has no place
         },
         cat({{1, 2, 4, 5}, range(7, 40), {-3, -6}}), 6},
        {"delete 2", [](Image& im) { return deleteChannels(im, {2})[1] == 0; },
         cat({{1}, range(3, 40), {-2}}), 5},
        {"move 5-6 up",
         [](Image& im) {
             return !!moveChannels(im, {6, 5}, true);
         },
         cat({range(1, 3), {5, 6, 4}, range(7, 40)}), 5},
        {"move 6, 8 down",
         [](Image& im) {
             return !!moveChannels(im, {6, 8}, false);
         },
         cat({range(1, 5), {7, 6, 9, 8}, range(10, 40)}), 7},
        {"move 1 up",
         [](Image& im) {
             return !moveChannels(im, {1, 2}, true);
         },
         range(1, 40), 6},
        {"move 40 down", [](Image& im) { return !moveChannels(im, {40}, false); }, range(1, 40), 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Image before = randomChannels(7);
        Image after = before;
        EXPECT_TRUE(c.op(after));
        expectOrder(before, after, c.order, c.priority);
    }
}

TEST(ChannelOrder, InsertRefusesToPushAChannelOffTheEnd) {
    Image im = randomChannels(3);
    im.setRxCode(40, 12);
    const Image before = im;
    const Insertion refused = insertChannels(im, 1, 1);
    EXPECT_FALSE(refused.places);
    EXPECT_EQ(refused.blocking, 40);
    EXPECT_EQ(insertChannels(im, 1, 2).blocking, 40);
    EXPECT_EQ(im, before);
}

// Receive frequency ascending, "Откл" last, equal frequencies in their order.
TEST(ChannelOrder, SortByReceiveIsStableWithOffLast) {
    Image im = randomChannels(11);
    const int codes[] = {30, 0, 10, 30, 20, 0, 10};
    for (int n = 1; n <= 40; ++n)
        im.setRxCode(n, codes[(n - 1) % 7]);
    const Image before = im;
    sortChannelsByReceive(im);
    std::vector<int> order = range(1, 40);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto key = [&](int n) { return codes[(n - 1) % 7] ? codes[(n - 1) % 7] : 9999; };
        return key(a) < key(b);
    });
    const int priority = static_cast<int>(std::find(order.begin(), order.end(), 6) - order.begin());
    expectOrder(before, im, order, priority + 1);
}
