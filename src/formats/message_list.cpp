#include "formats/message_list.h"

#include "serial/os/utf8.h"

namespace ksv::formats {

void MessageList::add(const std::string& message) {
    if (kept_.size() < kKept)
        kept_.push_back(os::printableText(message));
    ++count_;
}

std::vector<std::string> MessageList::lines(const char* what) const {
    std::vector<std::string> out = kept_;
    if (count_ > kept_.size())
        out.push_back("… и ещё " + std::to_string(count_ - kept_.size()) + " " + what);
    return out;
}

} // namespace ksv::formats
