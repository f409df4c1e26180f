#include "image/channel_order.h"

#include "image/codecs.h"
#include "image/fields.h"

#include <algorithm>
#include <numeric>

namespace ksv {
namespace {

using Order = std::array<int, kChannelCount>;

Order identity() {
    Order order;
    std::iota(order.begin(), order.end(), 1);
    return order;
}

std::uint8_t* recordBytes(Image& image, int channel) {
    return image.data() + Image::recordOffset(channel);
}

// The bits of each record byte that a column of the table shows.
const ChannelRecord& shownBits() {
    static const ChannelRecord shown = [] {
        ChannelRecord mask{};
        for (const ChannelField* f : tableColumns())
            for (const FieldBits& b : f->bits)
                mask[static_cast<std::size_t>(b.offset)] |= b.mask;
        return mask;
    }();
    return shown;
}

} // namespace

bool channelIsClear(const Image& image, int channel) {
    const ConstChannelView record = image.channel(channel);
    return std::all_of(tableColumns().begin(), tableColumns().end(),
                       [&](const ChannelField* f) { return f->get(record) == 0; });
}

void clearChannel(Image& image, int channel) {
    for (const ChannelField* f : tableColumns())
        f->set(image.channel(channel), 0);
}

ChannelPlaces reorderChannels(Image& image, const Order& order) {
    const Image before = image;
    ChannelPlaces places{};
    for (int to = 1; to <= kChannelCount; ++to) {
        const int from = order[static_cast<std::size_t>(to - 1)];
        std::copy_n(before.data() + Image::recordOffset(from), map::RecordSize,
                    recordBytes(image, to));
        places[static_cast<std::size_t>(from - 1)] = to;
    }
    if (const auto priority = before.get(map::PriorityChannel);
        priority && *priority <= kChannelCount)
        image.set(map::PriorityChannel, places[static_cast<std::size_t>(*priority - 1)]);
    return places;
}

Insertion insertChannels(Image& image, int at, int count) {
    for (int n = kChannelCount - count + 1; n <= kChannelCount; ++n)
        if (!channelIsClear(image, n))
            return {std::nullopt, n};
    // The clear records from the end take the places of the inserted channels.
    Order order = identity();
    std::rotate(order.begin() + (at - 1), order.end() - count, order.end());
    const ChannelPlaces places = reorderChannels(image, order);
    for (int n = at; n < at + count; ++n)
        clearChannel(image, n);
    return {places, 0};
}

ChannelPlaces deleteChannels(Image& image, std::vector<int> channels) {
    const auto deleted = [&](int n) {
        return std::find(channels.begin(), channels.end(), n) != channels.end();
    };
    Order order = identity();
    std::stable_partition(order.begin(), order.end(), [&](int n) { return !deleted(n); });
    const auto priority = image.get(map::PriorityChannel);
    ChannelPlaces places = reorderChannels(image, order);
    const int kept = kChannelCount - static_cast<int>(channels.size());
    for (int n = kept + 1; n <= kChannelCount; ++n)
        clearChannel(image, n);
    if (priority && *priority <= kChannelCount && deleted(*priority))
        image.set(map::PriorityChannel, priority);
    for (int n : channels)
        places[static_cast<std::size_t>(n - 1)] = 0;
    return places;
}

std::optional<ChannelPlaces> moveChannels(Image& image, std::vector<int> channels, bool up) {
    std::sort(channels.begin(), channels.end());
    if (!up)
        std::reverse(channels.begin(), channels.end());
    const int edge = up ? 1 : kChannelCount;
    if (channels.empty() || channels.front() == edge)
        return std::nullopt;
    // In this order each exchange moves the neighbour past the whole block.
    Order order = identity();
    const int step = up ? -1 : 1;
    for (int n : channels)
        std::swap(order[static_cast<std::size_t>(n - 1)],
                  order[static_cast<std::size_t>(n - 1 + step)]);
    return reorderChannels(image, order);
}

ChannelPlaces sortChannelsByReceive(Image& image) {
    const auto key = [&](int n) {
        const int code = image.rxCode(n);
        return code == 0 ? kMaxFrqCode + 1 : code;
    };
    Order order = identity();
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    return reorderChannels(image, order);
}

ChannelRecord channelRecord(const Image& image, int channel) {
    ChannelRecord r;
    std::copy_n(image.data() + Image::recordOffset(channel), map::RecordSize, r.begin());
    return r;
}

void takeUnshownBits(Image& image, int channel, const ChannelRecord& from) {
    std::uint8_t* bytes = recordBytes(image, channel);
    for (std::size_t i = 0; i < from.size(); ++i)
        bytes[i] =
            static_cast<std::uint8_t>((bytes[i] & shownBits()[i]) | (from[i] & ~shownBits()[i]));
}

} // namespace ksv
