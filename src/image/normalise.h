#pragma once

// What the main window makes of an image when it shows it and stores it back
// at once (ShowBuf, then SetBuf), computed without a window: the fields the
// window rewrites come out normalised and byte 250 holds the checksum. Used
// for the image a program holds after start-up, where the window runs
// exactly this pass over the default image of the chosen type.

#include "image/image.h"
#include "image/mode.h"

namespace ksv {

// The image after one pass through a freshly created window (priority
// scanning ticked, as the window starts):
//  - channel records: transmit-off bit = transmit code 0; in mid-band mode
//    every frequency other than "Откл" clamped into the allowed range; L
//    marks cleared when priority scanning is off (byte 249 = 0xFF);
//  - group bytes 216..219 and their copies 252, 253 when the group is valid;
//  - byte 225 brought down to a multiple of 5, byte 0 to a multiple of 8;
//  - tone signalling: tones after the first absent one erased, present ones
//    re-encoded from their shown frequency (500..3000 Hz);
//  - standby reception: byte 231 and bytes 11..15 recomputed, or the "off"
//    pattern;
//  - the scrambler bit of a repeater cleared; byte 255 bit 1 set;
//  - byte 250 = CalcCRC.
// A value the window's list cannot show leaves its field as it was; bytes the
// program does not interpret are never touched.
Image normaliseImage(const Image& image, OperatingMode mode);

// The last step of every store, the window's and the command line's CSV
// import: the channel records normalised (the transmit-off bit set exactly
// for a transmit code of 0; in mid-band mode every frequency other than
// "Откл" clamped into the allowed range), byte 255 bit 1 set and the
// checksum of the image in byte 250.
void finishStore(Image& image, OperatingMode mode);

// The image the window holds after start-up with the given radio type
// (0..5; anything else counts as 0): its default image, normalised.
Image startupImage(int type, OperatingMode mode);

} // namespace ksv
