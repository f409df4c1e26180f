#pragma once

// A temporary folder for file tests: files put into it with given bytes,
// and what a file holds afterwards.

#include "image/image.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ksv::test {

struct ScratchFolder {
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    QString put(const QString& name, const QByteArray& content) const {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path(name);
    }

    static QByteArray contentOf(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    static QByteArray bytesOf(const Image& im) {
        return QByteArray(reinterpret_cast<const char*>(im.data()), static_cast<int>(kImageSize));
    }
};

} // namespace ksv::test
