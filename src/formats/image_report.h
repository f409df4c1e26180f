#pragma once

// The settings of an image as a readable report and as one JSON object.

#include "image/image.h"

#include <string>

namespace ksv::formats {

// A multi-line report: the set, its settings page by page and the channel
// table. fileName, when not empty, heads the report.
std::string imageReport(const Image& image, const std::string& fileName);

// One JSON object (ends with a line feed): radio_type, model, band,
// factory_number, firmware, checksum, checksum_ok, groups, priority_channel,
// settings (texts keyed by name) and channels (40 objects).
std::string imageJson(const Image& image);

} // namespace ksv::formats
