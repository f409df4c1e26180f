#include "files/atomic_file.h"

#include "files/file_names.h"
#include "serial/os/file_system.h"

#include <string_view>

namespace ksv {

FileWriteResult replaceFileAtomically(const QString& path, const QByteArray& bytes) {
    const os::FileResult r = os::replaceFile(
        nameForSystem(path),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return {r.ok, QString::fromStdString(r.reason)};
}

} // namespace ksv
