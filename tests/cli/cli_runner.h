#pragma once

// Runs ksv717n-cli in-process and captures what it prints, and a temporary
// folder for the files of a test.

#include "cli/cli_app.h"
#include "files/ust_file.h"
#include "image/image.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace ksv::test {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// Exchanges with a short retry timer and without pauses: a transceiver that
// never answers is given up after 0.6 s.
inline constexpr ExchangeTimings kFastTimings{100, 0};

inline CliRun runCli(const QStringList& args, bool errIsTerminal = false) {
    std::ostringstream out, err;
    cli::CliIo io{out, err, errIsTerminal, kFastTimings};
    CliRun r;
    r.code = cli::runCli(args, io);
    r.out = out.str();
    r.err = err.str();
    return r;
}

class CliFiles {
public:
    CliFiles() { EXPECT_TRUE(dir_.isValid()); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    QString writeImage(const QString& name, const Image& image) const {
        const QString p = path(name);
        EXPECT_TRUE(WriteUSTFile(p, image).ok);
        return p;
    }
    QString writeText(const QString& name, const std::string& text) const {
        const QString p = path(name);
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
        return p;
    }
    Image readImage(const QString& name) const {
        Image im;
        EXPECT_TRUE(ReadUSTFile(path(name), im).ok());
        return im;
    }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }

private:
    QTemporaryDir dir_;
};

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace ksv::test
