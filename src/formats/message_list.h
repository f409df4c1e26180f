#pragma once

// The messages about an imported file, of which only the first few dozen
// are kept: a file that is wrong throughout must not become millions of
// lines (and hundreds of megabytes) of messages.

#include <cstddef>
#include <string>
#include <vector>

namespace ksv::formats {

class MessageList {
public:
    static constexpr std::size_t kKept = 30;

    // One line; the values it quotes from the file (a cell may hold an
    // escape sequence, a bell or a line break) show their control
    // characters as "\x1b".
    void add(const std::string& message);
    bool empty() const { return count_ == 0; }
    std::size_t size() const { return count_; }
    // The kept messages, then "… и ещё N <what>" when some were left out.
    std::vector<std::string> lines(const char* what) const;

private:
    std::vector<std::string> kept_;
    std::size_t count_ = 0;
};

inline constexpr const char* kMoreErrors = "ошибок";
inline constexpr const char* kMoreNotes = "замечаний";

} // namespace ksv::formats
