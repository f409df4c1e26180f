// ReadUSTFile on arbitrary file contents: a file is accepted exactly when it
// holds 256 bytes with a band nibble of 1 or 2, and then byte for byte; any
// other file leaves the image alone and gets a message that names it.
#include "files/ust_file.h"
#include "fuzz_check.h"

#include <QFile>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

using namespace ksv;

namespace {

// One scratch file for the whole run, rewritten for every input.
const QString& scratchPath() {
    static const QString path = [] {
        const char* dir = std::getenv("TMPDIR");
        std::string name = std::string(dir && *dir ? dir : "/tmp") + "/ksv-ust-fuzz-XXXXXX";
        const int fd = ::mkstemp(name.data());
        FUZZ_CHECK(fd >= 0);
        ::close(fd);
        std::atexit([] { QFile::remove(scratchPath()); });
        return QString::fromLocal8Bit(name.c_str());
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString& path = scratchPath();
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
                   static_cast<qint64>(size));
    }

    Image image;
    image.data()[0] = 0xA5; // a sentinel: a refused file must not touch the image
    const Image before = image;
    const UstReadResult r = ReadUSTFile(path, image);

    const bool acceptable = size == kImageSize && Image::validBand(data[map::Band.offset()] & 0x0F);
    FUZZ_CHECK(r.ok() == acceptable);
    if (r.ok()) {
        FUZZ_CHECK(std::memcmp(image.data(), data, kImageSize) == 0);
        FUZZ_CHECK(r.reason.isEmpty());
        FUZZ_CHECK(readFailureMessage(r, path).isEmpty());
    } else {
        FUZZ_CHECK(image == before);
        FUZZ_CHECK(r.status == UstReadStatus::Damaged);
        FUZZ_CHECK(!r.reason.isEmpty());
        FUZZ_CHECK(readFailureMessage(r, path) ==
                   QStringLiteral("Файл ") + path + QStringLiteral(" поврежден"));
    }
    return 0;
}
