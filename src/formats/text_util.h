#pragma once

// Small text helpers for the command line's output (all texts UTF-8).

#include <string>
#include <string_view>

namespace ksv::formats {

// Number of characters (code points) of a UTF-8 text.
int displayWidth(std::string_view text);

// The text followed by spaces up to the given width in characters.
std::string padRight(const std::string& text, int width);

// A JSON string literal, quotes included.
std::string jsonString(std::string_view text);

} // namespace ksv::formats
