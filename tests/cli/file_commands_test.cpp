#include "cli_runner.h"
#include "files/file_names.h"
#include "formats/channel_csv.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "image/normalise.h"
#include "serial/os/file_system.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace ksv {
namespace {

using test::CliFiles;
using test::contains;
using test::runCli;

// A VHF image whose channels use every column: frequencies in both user
// ranges, subtones (one without a tone of the table), prohibitions, both
// scan lists, and bits the table does not show.
Image variedImage() {
    Image im = startupImage(rtStationaryVhf, omUser);
    im.set(map::PriorityChannel, 5);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        im.setRxCode(ch, 12 + ch);                    // 148025 ...
        im.setTxCode(ch, ch % 4 == 0 ? 0 : 942 + ch); // 171250 ... or off
        im.channel(ch).setTxOff(im.txCode(ch) == 0);
        im.setRxSubtone(ch, ch % 51);
        im.setTxSubtone(ch, ch == 7 ? 55 : (ch * 3) % 51); // 55 names no tone
        im.channel(ch).setProhibited(ch % 3 == 0);
        im.channel(ch).setScanS(ch % 2 == 0);
        im.channel(ch).setScanL(ch % 5 == 0);
        im[Image::recordOffset(ch) + 4] |= static_cast<std::uint8_t>((ch & 0x0F) << 2);
    }
    storeChecksum(im);
    return im;
}

std::vector<std::uint8_t> channelBytes(const Image& im) {
    return {im.data() + map::FirstRecord, im.data() + map::Group1First.offset()};
}

TEST(CliNew, WritesTheStartupImageOfEachType) {
    CliFiles files;
    for (int type = 0; type < kRadioTypeCount; ++type) {
        const QString name = QStringLiteral("t%1.ust").arg(type);
        const auto r = runCli({"new", "--type", QString::number(type), "-o", files.path(name)});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_TRUE(contains(r.out, modelName(static_cast<RadioType>(type))));
        EXPECT_EQ(files.readImage(name), startupImage(type, omUser));
    }
}

TEST(CliNew, RefusesBadTypeAndUnwritableFile) {
    CliFiles files;
    for (const char* bad : {"6", "-1", "x", "01"}) {
        const auto r = runCli({"new", "--type", bad, "-o", files.path("n.ust")});
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(contains(r.err, std::string("Неверный тип радиостанции \"") + bad + "\""));
    }
    EXPECT_FALSE(files.exists("n.ust"));
    const auto r = runCli({"new", "--type", "0", "-o", "/nonexistent/dir/n.ust"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.err, "Файл /nonexistent/dir/n.ust не записан"));
}

TEST(CliShow, ReportAndJson) {
    CliFiles files;
    Image im = variedImage();
    im.set(map::Group1First, 4); // group 1: 5..10, group 2: 20..40
    im.set(map::Group1Last, 9);
    im.set(map::Group2First, 19);
    ZnToBuf(4242, im);
    im.set(map::Firmware, 11);
    im.setChecksum(static_cast<std::uint8_t>(im.checksum() ^ 1));
    const QString path = files.writeImage("s.ust", im);

    const auto report = runCli({"show", path});
    EXPECT_EQ(report.code, 0);
    EXPECT_TRUE(contains(report.out, "Модель: Тарвен-51 (тип 1)"));
    EXPECT_TRUE(contains(report.out, "Заводской номер: 004242"));
    EXPECT_TRUE(contains(report.out, "(неверна, по данным должна быть"));
    EXPECT_TRUE(contains(report.out, "  7   148175    171425    82.5        #55"));

    const auto json = runCli({"show", path, "--json"});
    ASSERT_EQ(json.code, 0);
    QJsonParseError error;
    const QJsonObject o =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
    EXPECT_EQ(o["radio_type"].toInt(), 1);
    EXPECT_EQ(o["model"].toString(), "Тарвен-51");
    EXPECT_EQ(o["band"].toInt(), 1);
    EXPECT_EQ(o["factory_number"].toString(), "004242");
    EXPECT_EQ(o["firmware"].toString(), "1.1");
    EXPECT_FALSE(o["checksum_ok"].toBool());
    EXPECT_EQ(o["groups"].toArray(), (QJsonArray{QJsonArray{5, 10}, QJsonArray{20, 40}}));
    EXPECT_EQ(o["priority_channel"].toInt(), 5);
    const QJsonArray ch = o["channels"].toArray();
    ASSERT_EQ(ch.size(), 40);
    const QJsonObject c4 = ch[3].toObject();
    EXPECT_EQ(c4["channel"].toInt(), 4);
    EXPECT_EQ(c4["rx"].toString(), "148100");
    EXPECT_EQ(c4["tx"].toString(), "Откл");
    EXPECT_EQ(c4["rx_subtone"].toString(), "74.4");
    EXPECT_EQ(c4["tx_subtone"].toString(), "97.4");
    EXPECT_FALSE(c4["tx_inhibit"].toBool());
    EXPECT_TRUE(c4["scan_s"].toBool());
    EXPECT_FALSE(c4["scan_l"].toBool());
    EXPECT_FALSE(c4["in_use"].toBool());
    EXPECT_TRUE(ch[4].toObject()["in_use"].toBool());
    EXPECT_TRUE(ch[19].toObject()["in_use"].toBool());

    im.set(map::PriorityChannel, std::nullopt);
    const auto noPriority = runCli({"show", files.writeImage("p.ust", im), "--json"});
    EXPECT_TRUE(contains(noPriority.out, "\"priority_channel\": null"));
}

TEST(CliShow, FileRefusals) {
    CliFiles files;
    const auto missing = runCli({"show", files.path("none.ust")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "Файл " + files.path("none.ust").toStdString() + " не найден\n");
    const auto shortFile = runCli({"show", files.writeText("short.ust", std::string(255, '\1'))});
    EXPECT_EQ(shortFile.code, 1);
    EXPECT_TRUE(contains(shortFile.err, "short.ust поврежден"));
    EXPECT_TRUE(shortFile.out.empty());
}

// Names that are not UTF-8 reach the system as the bytes they were given:
// the file is found, and two names never become one; messages show U+FFFD.
TEST(CliFiles, NamesThatAreNotUtf8) {
    CliFiles files;
    const std::string folder = nameForSystem(files.path(""));
    const Image im = startupImage(rtVehicleVhf, omUser);
    ASSERT_TRUE(os::replaceFile(folder + "\xcf\xf0.ust",
                                std::string_view(reinterpret_cast<const char*>(im.data()), 256))
                    .ok);
    const auto shown = runCli({"show", nameFromSystem(folder + "\xcf\xf0.ust")});
    EXPECT_EQ(shown.code, 0) << shown.err;
    EXPECT_TRUE(contains(shown.out, "\uFFFD\uFFFD.ust")) << shown.out;

    const auto made = runCli({"new", "--type", "0", "-o", nameFromSystem(folder + "\xc1.ust")});
    EXPECT_EQ(made.code, 0) << made.err;
    EXPECT_TRUE(contains(made.out, "Создан файл " + files.path("").toStdString() + "\uFFFD.ust"));
    EXPECT_EQ(os::fileKind(folder + "\xc1.ust"), os::FileKind::Regular);
    EXPECT_EQ(os::fileKind(folder + "\uFFFD.ust"), os::FileKind::Absent);
}

TEST(CliDiff, FieldLevelDifferencesAndExitCode) {
    CliFiles files;
    const Image a = startupImage(rtVehicleVhf, omUser);
    const QString pa = files.writeImage("a.ust", a);
    const auto same = runCli({"diff", pa, files.writeImage("same.ust", a)});
    EXPECT_EQ(same.code, 0);
    EXPECT_TRUE(same.out.empty());

    Image b = a;
    b.setRxCode(5, 13);
    b.setRxSubtone(5, 1);
    b[230] = 0x4C;               // not interpreted
    b[222] |= 0x01;              // not interpreted bit beside an interpreted one
    b.set(map::PowerSet, false); // vehicle becomes stationary
    const auto diff = runCli({"diff", pa, files.writeImage("b.ust", b)});
    EXPECT_EQ(diff.code, 1);
    EXPECT_EQ(diff.out, "Тип радиостанции: Тарвен-52 → Тарвен-51\n"
                        "Канал 5, Частота ПРМ, кГц: 148000 → 148025\n"
                        "Канал 5, Субтон ПРМ, Гц: Откл → 67.0\n"
                        "Уровни выходной мощности передатчика, Вт: 5-10-20 (Возимая) → 5-20-40 "
                        "(Стационарная)\n"
                        "Байт 222 (биты, не используемые программой): 0x06 → 0x07\n"
                        "Байт 230: 0x4B → 0x4C\n");

    const auto broken = runCli({"diff", pa, files.path("missing.ust")});
    EXPECT_EQ(broken.code, 1);
    EXPECT_TRUE(contains(broken.err, "missing.ust не найден"));
}

TEST(CliCsv, RoundTripReproducesTheChannelBytes) {
    CliFiles files;
    const Image original = variedImage();
    const QString src = files.writeImage("src.ust", original);
    const auto exported = runCli({"export-csv", src, "-o", files.path("ch.csv")});
    ASSERT_EQ(exported.code, 0) << exported.err;

    // Import into an image whose table fields are all different, keeping
    // only the bits the table does not show.
    Image base = original;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        base.setRxCode(ch, 0);
        base.setTxCode(ch, 300);
        base.setRxSubtone(ch, 9);
        base.setTxSubtone(ch, 0);
        base[Image::recordOffset(ch) + 4] ^= 0xC3;
    }
    const QString basePath = files.writeImage("base.ust", base);
    const auto imported =
        runCli({"import-csv", basePath, files.path("ch.csv"), "-o", files.path("out.ust")});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_TRUE(contains(imported.out, "Каналов принято: 40"));
    const Image out = files.readImage("out.ust");
    EXPECT_EQ(channelBytes(out), channelBytes(original));
    EXPECT_TRUE(CheckCRC(out));
    EXPECT_EQ(out, original); // nothing else was touched

    // The same table from stdout, rewritten with "," as a spreadsheet might.
    const auto stdoutCsv = runCli({"export-csv", src});
    std::string comma = "\"№\",\"Частота ПРМ, кГц\",\"Частота ПРД, кГц\",\"Субтон ПРМ, Гц\","
                        "\"Субтон ПРД, Гц\",Запрет ПРД,Список скан.,Список L\n";
    for (std::size_t i = stdoutCsv.out.find('\n') + 1; i < stdoutCsv.out.size(); ++i)
        comma += stdoutCsv.out[i] == ';' ? ',' : stdoutCsv.out[i];
    const auto commaRun = runCli(
        {"import-csv", basePath, files.writeText("c.csv", comma), "-o", files.path("out2.ust")});
    ASSERT_EQ(commaRun.code, 0) << commaRun.err;
    EXPECT_EQ(files.readImage("out2.ust"), original);
}

TEST(CliCsv, EveryFailureListedAndNothingWritten) {
    CliFiles files;
    Image im = startupImage(rtVehicleVhf, omUser); // no priority channel
    const QString src = files.writeImage("src.ust", im);
    const QString out = files.writeImage("out.ust", defaultImage(rtVehicleUhf));
    const std::string csv =
        "№;Частота ПРМ, кГц;Частота ПРД, кГц;Субтон ПРМ, Гц;Запрет ПРД;Список L\n"
        "1;149025;148010;67,0;Запрет;\n"
        "2;148000;0;100;да;L\n"
        "41;148000;;;;\n";
    const auto r = runCli({"import-csv", src, files.writeText("bad.csv", csv), "-o", out});
    EXPECT_EQ(r.code, 1);
    const char* expected[] = {
        "Строка 2, столбец \"Частота ПРМ, кГц\", значение \"149025\": Введите частоту в пределах "
        "отведенного диапазона (Тарвен-52: 148000-149000, 171150-173000 кГц)",
        "Строка 2, столбец \"Частота ПРД, кГц\", значение \"148010\": Введите частоту, кратную 25 "
        "кГц",
        "Строка 3, столбец \"Запрет ПРД\", значение \"да\"",
        "Строка 3, столбец \"Список L\", значение \"L\": для формирования списка L следует "
        "включить функцию \"Сканирование приоритетного канала\"",
        "Строка 4, столбец \"№\", значение \"41\": номер канала должен быть от 1 до 40",
        "Ничего не записано."};
    for (const char* e : expected)
        EXPECT_TRUE(contains(r.err, e)) << e << "\n" << r.err;
    // "67,0" and "100" are subtones written differently: accepted.
    EXPECT_FALSE(contains(r.err, "67,0"));
    EXPECT_EQ(files.readImage("out.ust"), defaultImage(rtVehicleUhf));

    const auto unknown =
        runCli({"import-csv", src, files.writeText("u.csv", "№;Частота\n1;148000\n"), "-o", out});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_TRUE(contains(unknown.err, "Строка 1, столбец 2: неизвестный столбец \"Частота\""));
}

TEST(CliCsv, AllowedRangesFollowTheMode) {
    CliFiles files;
    const QString src = files.writeImage("src.ust", startupImage(rtVehicleVhf, omUser));
    const QString csv = files.writeText("m.csv", "№;Частота ПРМ, кГц\n1;160000\n");
    EXPECT_EQ(runCli({"import-csv", src, csv, "-o", files.path("u.ust")}).code, 1);
    for (const char* mode : {"service", "midband"}) {
        const auto r = runCli({"import-csv", src, csv, "-o", files.path("m.ust"), "--mode", mode});
        EXPECT_EQ(r.code, 0) << mode << r.err;
        EXPECT_EQ(FrqTxt(files.readImage("m.ust").rxCode(1), rtVehicleVhf), "160000");
    }
    const QString low = files.writeText("l.csv", "№;Частота ПРМ, кГц\n1;148000\n");
    EXPECT_EQ(runCli({"import-csv", src, low, "-o", files.path("l.ust"), "--mode", "midband"}).code,
              1);
}

TEST(CliCsv, ChirpExportIsMapped) {
    CliFiles files;
    Image base = startupImage(rtVehicleVhf, omUser);
    base.setRxSubtone(9, 5); // channel 9 is not in the file and keeps its values
    const QString src = files.writeImage("src.ust", base);
    const std::string chirp =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,CrossMode\n"
        "0,Simplex,148.025000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,,,,Tone->Tone\n"
        "1,Plus,148.050000,+,23.125000,Tone,100.0,88.5,023,NN,NFM,5.00,,,,,,Tone->Tone\n"
        "2,Minus,172.000000,-,23.100000,TSQL,88.5,123.0,023,NN,FM,5.00,,,,,,Tone->Tone\n"
        "3,Split,148.100000,split,171.500000,Cross,67.0,71.9,023,NN,FM,5.00,,,,,,Tone->Tone\n"
        "4,RxOnly,148.125000,off,0.000000,DTCS,88.5,88.5,023,NN,FM,5.00,,,,,,Tone->Tone\n"
        "5,CrossHalf,148.150000,,0.000000,Cross,69.3,88.5,023,NN,FM,5.00,,,,,,Tone->\n"
        "45,Far,148.200000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,,,,Tone->Tone\n";
    const auto r =
        runCli({"import-csv", src, files.writeText("chirp.csv", chirp), "-o", files.path("c.ust")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "Каналов принято: 6 (формат CHIRP)"));
    EXPECT_TRUE(contains(r.err, "Не переносятся (в радиостанции нет таких установок): Name, "
                                "Mode, TStep\n"));
    EXPECT_TRUE(contains(r.err, "ячейка 0 записана в канал 1"));
    EXPECT_TRUE(contains(r.err, "ячейка 45 пропущена"));
    EXPECT_TRUE(contains(r.err, "канал 5: цифровой код DTCS не поддерживается"));

    const Image im = files.readImage("c.ust");
    const auto frq = [&](int code) { return FrqTxt(code, rtVehicleVhf); };
    EXPECT_EQ(frq(im.rxCode(1)), "148025");
    EXPECT_EQ(frq(im.txCode(1)), "148025");
    EXPECT_EQ(frq(im.txCode(2)), "171175"); // 148050 + 23125
    EXPECT_EQ(SubTxt(im.txSubtone(2)), "100.0");
    EXPECT_EQ(SubTxt(im.rxSubtone(2)), kOff);
    EXPECT_EQ(frq(im.txCode(3)), "148900"); // 172000 - 23100
    EXPECT_EQ(SubTxt(im.rxSubtone(3)), "123.0");
    EXPECT_EQ(SubTxt(im.txSubtone(3)), "123.0");
    EXPECT_EQ(frq(im.txCode(4)), "171500");
    EXPECT_EQ(SubTxt(im.txSubtone(4)), "67.0");
    EXPECT_EQ(SubTxt(im.rxSubtone(4)), "71.9");
    EXPECT_EQ(im.txCode(5), 0);
    EXPECT_TRUE(im.txOff(5));
    EXPECT_EQ(SubTxt(im.txSubtone(6)), "69.3");
    EXPECT_EQ(SubTxt(im.rxSubtone(6)), kOff);
    EXPECT_EQ(im.rxSubtone(9), 5);
    EXPECT_TRUE(CheckCRC(im));
}

TEST(CliCsv, ChirpValuesOutsideTheRadioAreRefused) {
    CliFiles files;
    const QString src = files.writeImage("src.ust", startupImage(rtVehicleVhf, omUser));
    const std::string chirp = "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq\n"
                              "1,146.520000,,0.000000,,88.5,88.5\n"
                              "2,148.012500,,0.000000,,88.5,88.5\n"
                              "3,148.000000,+,5.000000,Tone,88.6,88.5\n"
                              "1,148.000000,,0,,88.5,88.5\n";
    const auto r =
        runCli({"import-csv", src, files.writeText("bad.csv", chirp), "-o", files.path("c.ust")});
    EXPECT_EQ(r.code, 1);
    const char* expected[] = {
        "Строка 2, столбец \"Frequency\", значение \"146.520000\": 146520 кГц: Введите частоту в "
        "пределах отведенного диапазона",
        "Строка 3, столбец \"Frequency\", значение \"148.012500\": частота не кратна 25 кГц",
        "Строка 4, столбец \"Offset\", значение \"5.000000\": частота передачи 153000 кГц",
        "Строка 4, столбец \"rToneFreq\", значение \"88.6\": нет такого субтона",
        "Строка 5, столбец \"Location\", значение \"1\": канал 1 уже задан в строке 2"};
    for (const char* e : expected)
        EXPECT_TRUE(contains(r.err, e)) << e << "\n" << r.err;
    EXPECT_FALSE(files.exists("c.ust"));
}

// What a message quotes from a file, a name or an argument sends no control
// character to the terminal: each shows as "\x1b", and the text stays readable.
TEST(CliFiles, ControlCharactersInMessagesShowAsEscapes) {
    CliFiles files;
    const QString src = files.writeImage("src.ust", startupImage(rtVehicleVhf, omUser));
    const QString header = files.writeText("h.csv", "№;Частота ПРМ, кГц;\x1b]0:t\a\n");
    const QString cell =
        files.writeText("c.csv", std::string("№;Частота ПРМ, кГц\n1;\x1b[2J\a") + '\0' + "x\n");
    const QString damaged = files.writeText("dam\x1b]0;t\a.ust", "garbage");
    const struct {
        QStringList args;
        std::string shown;
    } cases[] = {
        {{"import-csv", src, header, "-o", files.path("o.ust")},
         "столбец 3: неизвестный столбец \"\\x1b]0:t\\x07\""},
        {{"import-csv", src, cell, "-o", files.path("o.ust")}, "значение \"\\x1b[2J\\x07\\x00x\""},
        {{"show", damaged}, "dam\\x1b]0;t\\x07.ust поврежден"},
        {{"export-csv", src, "-o", files.path("out\x1b[31m.csv")}, "out\\x1b[31m.csv"},
        {{"archive", "12\ax"}, "\"12\\x07x\" — не заводской номер"},
        {{"\x1b[5m"}, "Неизвестная команда \"\\x1b[5m\""},
    };
    for (const auto& c : cases) {
        const auto r = runCli(c.args);
        const std::string said = r.out + r.err;
        EXPECT_TRUE(contains(said, c.shown)) << said;
        EXPECT_EQ(
            std::count_if(said.begin(), said.end(),
                          [](char b) { return (b >= 0 && b < ' ' && b != '\n') || b == 127; }),
            0)
            << said;
    }
}

} // namespace
} // namespace ksv
