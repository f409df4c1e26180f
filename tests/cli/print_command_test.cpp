#include "cli/print_card.h"
#include "cli_runner.h"
#include "image/normalise.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace ksv {
namespace {

using test::CliFiles;
using test::contains;
using test::runCli;

std::string fileText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto i = text.find(part); i != std::string::npos; i = text.find(part, i + 1))
        ++n;
    return n;
}

TEST(CliPrint, TwoPortraitPagesOrOneLandscapePage) {
    CliFiles files;
    const QString src = files.writeImage("card.ust", startupImage(rtVehicleUhf, omUser));
    const auto two = runCli({"print", src, "-o", files.path("two.pdf")});
    ASSERT_EQ(two.code, 0) << two.err;
    const std::string pdf = fileText(files.path("two.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(count(pdf, "/MediaBox [0 0 595.000000 842.000000]"), 2);

    const auto one = runCli({"print", src, "-o", files.path("one.pdf"), "--one-page"});
    ASSERT_EQ(one.code, 0) << one.err;
    const std::string landscape = fileText(files.path("one.pdf"));
    EXPECT_EQ(count(landscape, "/MediaBox"), 1);
    EXPECT_EQ(count(landscape, "/MediaBox [0 0 842.000000 595.000000]"), 1);
}

TEST(CliPrint, CardNamesTheInputFile) {
    const Image image = startupImage(rtVehicleVhf, omUser);
    const auto card = cli::cardOfFile(image, omUser, "some/dir/radio.ust");
    EXPECT_EQ(card.fileField,
              "Файл: " + QFileInfo(QStringLiteral("some/dir/radio.ust")).absoluteFilePath());
    EXPECT_EQ(card.factoryNumber, "000000");
    EXPECT_FALSE(card.midBand);
    EXPECT_TRUE(cli::cardOfFile(image, omMidBand, "radio.ust").midBand);
}

TEST(CliPrint, ModeOption) {
    CliFiles files;
    const QString src = files.writeImage("card.ust", startupImage(rtVehicleUhf, omUser));
    for (const char* mode : {"user", "service", "midband"})
        EXPECT_EQ(runCli({"print", src, "-o", files.path("m.pdf"), "--mode", mode}).code, 0)
            << mode;
    const auto bad = runCli({"print", src, "-o", files.path("bad.pdf"), "--mode", "kvrt"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(contains(bad.err, "Неверный режим \"kvrt\""));
    EXPECT_FALSE(files.exists("bad.pdf"));
}

TEST(CliPrint, Refusals) {
    CliFiles files;
    const auto missing = runCli({"print", files.path("no.ust"), "-o", files.path("x.pdf")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(contains(missing.err, "no.ust не найден"));
    EXPECT_FALSE(files.exists("x.pdf"));
    const QString src = files.writeImage("card.ust", startupImage(rtVehicleVhf, omUser));
    const auto unwritable = runCli({"print", src, "-o", "/nonexistent/dir/x.pdf"});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_TRUE(contains(unwritable.err, "Файл /nonexistent/dir/x.pdf не записан"));
}

} // namespace
} // namespace ksv
