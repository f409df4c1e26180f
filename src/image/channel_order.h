#pragma once

// The forty channel records rearranged: inserted, deleted, moved and sorted
// as whole records, all five bytes with the bits the program does not
// interpret. The priority channel follows the record it names; the channel
// groups are ranges of positions and stay as they are.

#include "image/image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace ksv {

// Whether every field the channel table shows is "Откл" or unmarked.
bool channelIsClear(const Image& image, int channel);

// Sets every field the channel table shows to "Откл" or unmarked; the other
// bits of the record stay.
void clearChannel(Image& image, int channel);

// Where each channel went: places[n - 1] is the new number of channel n, 0
// for a deleted channel.
using ChannelPlaces = std::array<int, kChannelCount>;

// Puts the record of channel order[i] at channel i + 1; order is a
// permutation of 1..40. The priority channel follows its record.
ChannelPlaces reorderChannels(Image& image, const std::array<int, kChannelCount>& order);

// Inserts count cleared channels before channel at; the channels below move
// down. Nothing changes, and the first channel that would fall off the end is
// returned, when one of the last count channels is not clear.
struct Insertion {
    std::optional<ChannelPlaces> places;
    int blocking = 0; // the channel that would be lost
};
Insertion insertChannels(Image& image, int at, int count);

// Deletes the channels (any order, no repeats); those below move up and the
// places freed at the end are cleared. A deleted priority channel leaves the
// priority at its number.
ChannelPlaces deleteChannels(Image& image, std::vector<int> channels);

// Each channel exchanges its place with its neighbour above (up) or below,
// so a block of channels moves as one. Nothing happens (nullopt) when one of
// them is channel 1 (up) or 40 (down).
std::optional<ChannelPlaces> moveChannels(Image& image, std::vector<int> channels, bool up);

// Orders the channels by receive frequency, those with "Откл" last; equal
// frequencies keep their order.
ChannelPlaces sortChannelsByReceive(Image& image);

// The five bytes of a record, to carry a whole channel from one image to
// another.
using ChannelRecord = std::array<std::uint8_t, map::RecordSize>;
ChannelRecord channelRecord(const Image& image, int channel);

// Takes the bits of a record that the channel table does not show.
void takeUnshownBits(Image& image, int channel, const ChannelRecord& from);

} // namespace ksv
