#include "serial/serial_inventory.h"

#include <algorithm>
#include <fstream>
#include <map>

namespace ksv {

std::string readFirstLine(const std::string& path) {
    std::ifstream f(path);
    std::string s;
    std::getline(f, s);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

std::string readSmallFile(const std::string& path, std::size_t maxBytes) {
    std::ifstream f(path, std::ios::binary);
    std::string s(maxBytes, '\0');
    f.read(s.data(), static_cast<std::streamsize>(maxBytes));
    s.resize(static_cast<std::size_t>(std::max<std::streamsize>(f.gcount(), 0)));
    return s;
}

std::string uartType(const SystemPaths& paths, const std::string& name) {
    return readFirstLine(paths.sys + "/class/tty/" + name + "/type");
}

std::string uartTypeName(const std::string& type) {
    static const std::map<std::string, std::string> names = {
        {"1", "8250"},    {"2", "16450"}, {"3", "16550"},   {"4", "16550A"}, {"6", "16650"},
        {"7", "16650V2"}, {"8", "16750"}, {"10", "16C950"}, {"12", "16654"}, {"13", "16850"}};
    const auto it = names.find(type);
    return it != names.end() ? it->second : "тип " + type;
}

} // namespace ksv
