#include "cli/output_guard.h"

#include "files/file_names.h"
#include "files/shown_path.h"
#include "files/ust_file.h"
#include "serial/os/file_system.h"

namespace ksv::cli {
namespace {

bool sameFile(const QString& a, const QString& b) {
    return os::sameFile(nameForSystem(a), nameForSystem(b));
}

} // namespace

bool checkOutputIsNotAnInput(const QString& output, const QStringList& inputs, CliIo& io) {
    for (const QString& input : inputs) {
        if (sameFile(output, input)) {
            io.err << writeFailureMessage(output)
                   << QStringLiteral(": выходной файл не может совпадать с входным файлом ")
                   << shownPath(input) << "\n";
            return false;
        }
    }
    return true;
}

bool checkOutputIsNotASettingsFile(const QString& output, CliIo& io) {
    Image existing;
    if (!ReadUSTFile(output, existing).ok())
        return true;
    io.err << writeFailureMessage(output)
           << QStringLiteral(": это файл установок, он не будет заменен\n");
    return false;
}

} // namespace ksv::cli
