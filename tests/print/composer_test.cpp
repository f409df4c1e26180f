// The card as the composer lays it out, read back from a text grid: every
// expected sheet below is what the printed card shows, cell for cell.

#include "print/card_composer.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

using namespace ksv::print;
using ksv::print::test::RecordingCanvas;

namespace {

CardData referenceCard() {
    CardData d;
    d.fileField = "Файл: /home/radio/cars.ust";
    d.date = "07.12.2025";
    d.group1First = 0;
    d.group1Last = 2;
    d.group2First = 9;
    d.group2Last = 10;
    for (auto& c : d.channels)
        c = {"Откл", "Откл", "Откл", "Откл", "", "", ""};
    d.channels[0] = {"149025", "171125", "67.0", "100.0", "Запрет", "S", ""};
    d.channels[1] = {"Откл", "Откл", "Откл", "Откл", "", "", "L"};
    d.channels[2] = {"148500", "172000", "254.1", "Откл", "", "S", "L"};
    d.channels[9] = {"148000", "Откл", "Откл", "Откл", "Запрет", "", ""};
    d.channels[11] = {"149000", "149000", "67.0", "67.0", "Запрет", "S", "L"}; // not in a group
    d.group1FirstText = "1";
    d.group1LastText = "3";
    d.group2FirstText = "10";
    d.group2LastText = "11";
    d.shpListen = "Да";
    d.txLimit = "60";
    d.subtoneCancel = "Нет";
    d.powerLevels = "5-10-20 (Возимая)";
    d.resumeDelay = "3";
    d.carrierTime = "150";
    d.scanTransmit = 1;
    d.priorityScan = true;
    d.priorityChannel = "2";
    d.priorityPeriod = "1,5";
    d.tones = true;
    d.toneShown = {true, true, false, false, false};
    d.toneHz = {2100, 1450, 1000, 800, 3000};
    d.toneDuration = "2";
    d.standby = true;
    d.rxToneHz = 1450;
    d.audioHold = "10";
    d.factoryNumber = "012345";
    d.firmware = "1.1";
    d.scrambler = "09ЛС400-07Б";
    return d;
}

QString compose(const CardData& d, int sheet) {
    PageWriter w;
    w.setResolution(96, 96);
    RecordingCanvas canvas(w);
    CardComposer c(d, w);
    if (sheet == 1)
        c.DrawList1(canvas, 0, 0);
    else
        c.DrawList2(canvas, 0, 0);
    return canvas.text();
}

QStringList sheetLines(const CardData& d, int sheet) {
    return compose(d, sheet).split(u'\n');
}

// Printed lines first..last (1-based) of a sheet.
QString linesOf(const CardData& d, int sheet, int first, int last) {
    const QStringList l = sheetLines(d, sheet);
    return l.mid(first - 1, last - first + 1).join(u'\n');
}

QString interpret(const QByteArray& tmpl, const CardData& d) {
    PageWriter w;
    w.setResolution(96, 96);
    RecordingCanvas canvas(w);
    CardComposer(d, w).DrawTmp(tmpl, canvas);
    return canvas.text();
}

const char* const kSheet1 = R"(
        Файл прошивки ППЗУ ПП
        Файл: /home/radio/cars.ust
        Лист 1

        Таблица настройки каналов
        ┌─────┬───────────────┬───────────────┬────────────┬────────┬────────┐
        │     │  Частота,кГц  │   Субтон, Гц  │ Запрет ПРД │ Список │ Список │
        │Канал├───────┬───────┼───────┬───────┤ на занятом │ скан.  │ L      │
        │     │  ПРМ  │  ПРД  │  ПРМ  │  ПРД  │ канале     │        │        │
        ├─────┼───────┴───────┼───────┴───────┼────────────┼────────┼────────┤
        │ 1   │ 149025  171125│ 67.0    100.0 │ Запрет     │ S      │        │
        │ 2   │ Откл    Откл  │ Откл    Откл  │            │        │ L      │
        │ 3   │ 148500  172000│ 254.1   Откл  │            │ S      │ L      │
        │ 4   │               │               │            │        │        │
        │ 5   │               │               │            │        │        │
        │ 6   │               │               │            │        │        │
        │ 7   │               │               │            │        │        │
        │ 8   │               │               │            │        │        │
        │ 9   │               │               │            │        │        │
        │ 10  │ 148000  Откл  │ Откл    Откл  │ Запрет     │        │        │
        │ 11  │ Откл    Откл  │ Откл    Откл  │            │        │        │
        │ 12  │               │               │            │        │        │
        │ 13  │               │               │            │        │        │
        │ 14  │               │               │            │        │        │
        │ 15  │               │               │            │        │        │
        │ 16  │               │               │            │        │        │
        │ 17  │               │               │            │        │        │
        │ 18  │               │               │            │        │        │
        │ 19  │               │               │            │        │        │
        │ 20  │               │               │            │        │        │
        │ 21  │               │               │            │        │        │
        │ 22  │               │               │            │        │        │
        │ 23  │               │               │            │        │        │
        │ 24  │               │               │            │        │        │
        │ 25  │               │               │            │        │        │
        │ 26  │               │               │            │        │        │
        │ 27  │               │               │            │        │        │
        │ 28  │               │               │            │        │        │
        │ 29  │               │               │            │        │        │
        │ 30  │               │               │            │        │        │
        │ 31  │               │               │            │        │        │
        │ 32  │               │               │            │        │        │
        │ 33  │               │               │            │        │        │
        │ 34  │               │               │            │        │        │
        │ 35  │               │               │            │        │        │
        │ 36  │               │               │            │        │        │
        │ 37  │               │               │            │        │        │
        │ 38  │               │               │            │        │        │
        │ 39  │               │               │            │        │        │
        │ 40  │               │               │            │        │        │
        └─────┴───────────────┴───────────────┴────────────┴────────┴────────┘

         07.12.2025)";

const char* const kSheet2 = R"(
        Файл прошивки ППЗУ ПП
        Файл: /home/radio/cars.ust
        Лист 2

        Таблица основных параметров
        ┌────────────────────────────────────────────────────────────────────┐
        │                                                                    │
        │    Группа каналов 1: c  1   по 3                                   │
        │                                                                    │
        │    Группа каналов 2: c  10  по 11                                  │
        │                                                                    │
        │                                                                    │
        │                    Прослушивание канала кнопкой "ШП" - Да          │
        │                         Время непрерывной работы ПРД - 60   c      │
        │            Отмена запрета передачи на занятом канале               │
        │                               при совпадении субтона - Нет         │
        │                                                                    │
        │  Уровни выходной мощности передатчика, Вт - 5-10-20 (Возимая)      │
        │                                                                    │
        │              Задержка для возобновления сканирования - 3    c      │
        │Время анализа несущей на канале в режиме сканирования - 150  мс     │
        │      Выход в режим "Передача" из режима сканирования - Вариант 1   │
        │  (Выход в режим "Передача" в режиме сканирования                   │
        │  на текущем канале при условии останова.                           │
        │  При отсутствии останова режим "Передача" запрещен)                │
        │                                                                    │
        │                                   Приоритетный канал - 2           │
        │             Период сканирования приоритетного канала - 1,5  с      │
        │                                                                    │
        │                              Частота тон-сигнала ПРМ - 1450 Гц     │
        │        Время работы УНЧ после приема тон-сигнала ПРМ - 10   с      │
        │                                                                    │
        │                                   Заводской номер ПП - 012345      │
        │                                 Номер версии ППЗУ ПП - 1.1         │
        │                                              Тип УПР - 09ЛС400-07Б │
        │                                                                    │
        └────────────────────────────────────────────────────────────────────┘


        Таблица тональных частот
        ┌───────┬──────────────┬────────────────┐
        │  Тон  │  Частота, Гц │ Длительность,с │
        ├───────┼──────────────┼────────────────┤
        │   1   │   2100       │       2        │
        │   2   │   1450       │       2        │
        └───────┴──────────────┴────────────────┘

          07.12.2025)";

} // namespace

TEST(Composer, ReferenceSheets) {
    const CardData d = referenceCard();
    EXPECT_EQ(compose(d, 1), QString(kSheet1));
    EXPECT_EQ(compose(d, 2), QString(kSheet2));
}

TEST(Composer, ChannelGroups) {
    CardData d = referenceCard();
    for (int i = 0; i < 40; ++i)
        d.channels[i] = {QString::number(148000 + 25 * i), "Откл", "Откл", "Откл", "", "", ""};

    // Overlapping groups 3..6 and 5..8: each channel once, in full.
    d.group1First = 2;
    d.group1Last = 5;
    d.group2First = 4;
    d.group2Last = 7;
    QStringList rows = sheetLines(d, 1).mid(11, 10);
    EXPECT_EQ(rows[1],
              "        │ 2   │               │               │            │        │        │");
    EXPECT_EQ(rows[2],
              "        │ 3   │ 148050  Откл  │ Откл    Откл  │            │        │        │");
    EXPECT_EQ(rows[7],
              "        │ 8   │ 148175  Откл  │ Откл    Откл  │            │        │        │");
    EXPECT_EQ(rows[8],
              "        │ 9   │               │               │            │        │        │");

    // A group whose first channel lies after its last holds no channel.
    d.group1First = 30;
    d.group1Last = 20;
    d.group2First = 39;
    d.group2Last = 39;
    rows = sheetLines(d, 1).mid(11, 40);
    for (int i = 0; i < 39; ++i)
        EXPECT_FALSE(rows[i].contains("148")) << "channel " << i + 1;
    EXPECT_EQ(rows[39],
              "        │ 40  │ 148975  Откл  │ Откл    Откл  │            │        │        │");
}

TEST(Composer, ScanTransmitVariants) {
    CardData d = referenceCard();
    const auto variant = [&](int index) {
        d.scanTransmit = index;
        return linesOf(d, 2, 23, 26);
    };
    EXPECT_EQ(variant(0),
              R"(        │      Выход в режим "Передача" из режима сканирования - Вариант 4   │
        │  (Выход в режим "Передача" в режиме сканирования запрещен)         │
        │                                                                    │
        │                                                                    │)");
    EXPECT_EQ(variant(1),
              R"(        │      Выход в режим "Передача" из режима сканирования - Вариант 1   │
        │  (Выход в режим "Передача" в режиме сканирования                   │
        │  на текущем канале при условии останова.                           │
        │  При отсутствии останова режим "Передача" запрещен)                │)");
    EXPECT_EQ(variant(2),
              R"(        │      Выход в режим "Передача" из режима сканирования - Вариант 2   │
        │  (Выход в режим "Передача" в режиме сканирования                   │
        │  на текущем канале при условии останова.                           │
        │  При отсутствии останова режим "Передача" на приоритетном канале)  │)");
    EXPECT_EQ(variant(3),
              R"(        │      Выход в режим "Передача" из режима сканирования - Вариант 3   │
        │  (Выход в режим "Передача" в режиме сканирования                   │
        │  только на приоритетном канале)                                    │
        │                                                                    │)");
    // Without a selection: blanks, not the key letters.
    EXPECT_EQ(variant(-1),
              R"(        │      Выход в режим "Передача" из режима сканирования -             │
        │                                                                    │
        │                                                                    │
        │                                                                    │)");
}

TEST(Composer, PriorityAndStandbyOff) {
    CardData d = referenceCard();
    d.priorityScan = false;
    d.standby = false;
    EXPECT_EQ(linesOf(d, 2, 28, 32),
              R"(        │                                                                    │
        │                                                                    │
        │                                                                    │
        │                                                                    │
        │                                                                    │)");
}

TEST(Composer, ToneTable) {
    CardData d = referenceCard();
    const QString head = "        Таблица тональных частот\n"
                         "        ┌───────┬──────────────┬────────────────┐\n"
                         "        │  Тон  │  Частота, Гц │ Длительность,с │\n"
                         "        ├───────┼──────────────┼────────────────┤\n";
    const QString end = "        └───────┴──────────────┴────────────────┘\n"
                        "\n"
                        "          07.12.2025";
    const QStringList rows = {
        "        │   1   │   2100       │       2        │\n",
        "        │   2   │   1450       │       2        │\n",
        "        │   3   │   1000       │       2        │\n",
        "        │   4   │   800        │       2        │\n",
        "        │   5   │   3000       │       2        │\n",
    };
    for (int n = 0; n <= 5; ++n) {
        for (int k = 0; k < 5; ++k)
            d.toneShown[k] = k < n;
        const QStringList sheet = sheetLines(d, 2);
        ASSERT_GE(sheet.size(), 41);
        // Five rows: the fifth covers the end of line 49 and the placeholder
        // of line 50, so the closing line still follows it directly.
        EXPECT_EQ(sheet.mid(40).join(u'\n'), head + rows.mid(0, n).join("") + end) << n << " tones";
    }

    // A duration of 20 s and a frequency of three digits keep the columns.
    d.toneShown = {true, false, false, false, false};
    d.toneHz[0] = 500;
    d.toneDuration = "20";
    EXPECT_EQ(sheetLines(d, 2)[44], "        │   1   │   500        │       20       │");

    // Tone signalling off: the date on line 40, indented by 9, ends the sheet.
    d.tones = false;
    const QStringList sheet = sheetLines(d, 2);
    EXPECT_EQ(sheet.size(), 40);
    EXPECT_EQ(sheet[39], "         07.12.2025");
}

TEST(Composer, LongValuesOverwriteTheTemplate) {
    CardData d = referenceCard();
    // Fourteen characters in a room of twelve: the unit "c" and the right
    // border of line 15 are overwritten.
    d.txLimit = "Не ограничено";
    EXPECT_EQ(sheetLines(d, 2)[14],
              "        │                         Время непрерывной работы ПРД - Не ограничено");

    // "Тип УПР - " and an 11-character type fill their room exactly.
    EXPECT_EQ(sheetLines(d, 2)[35],
              "        │                                              Тип УПР - 09ЛС400-07Б │");
}

// The file field fits its line, so that "Лист 1" stays on the next: a path
// of 58 characters whole, a longer one by its file name, a name too long by
// its two ends.
TEST(Composer, FileFieldIsShortenedToItsLine) {
    CardData d = referenceCard();
    const QString longFolder = "C:\\Users\\Иванов\\Documents\\KSV717N\\Серия 2026-12-08\\";
    const struct {
        QString field, printed;
    } cases[] = {
        {"Файл: " + QString(52, u'x'), "Файл: " + QString(52, u'x')},
        {"Файл: " + longFolder + "654321.ust", "Файл: 654321.ust"},
        {"Файл: /home/radio/" + QString(53, u'y'),
         "Файл: " + QString(25, u'y') + "..." + QString(24, u'y')},
    };
    for (const auto& c : cases) {
        d.fileField = c.field;
        const QStringList s = sheetLines(d, 1);
        EXPECT_EQ(s[2].toStdString(), ("        " + c.printed).toStdString());
        EXPECT_EQ(s[3], "        Лист 1");
    }
}

TEST(Composer, FileFieldAndMode) {
    CardData d = referenceCard();
    d.fileField = "Файл: ";
    EXPECT_EQ(sheetLines(d, 1)[2], "");
    EXPECT_EQ(sheetLines(d, 2)[2], "");

    // A control character in a file name must not break the line.
    d.fileField = "Файл: /tmp/a\nb\tc.ust";
    EXPECT_EQ(sheetLines(d, 1)[2], "        Файл: /tmp/a?b?c.ust");
    EXPECT_EQ(sheetLines(d, 1)[3], "        Лист 1");

    d.midBand = true;
    EXPECT_EQ(sheetLines(d, 2)[35],
              "        │                                                                    │");
}

TEST(Composer, EmptyListsPrintNoKeyLetters) {
    CardData d = referenceCard();
    d.group1FirstText = d.group1LastText = d.group2FirstText = d.group2LastText = "";
    d.shpListen = d.txLimit = d.subtoneCancel = d.powerLevels = "";
    d.resumeDelay = d.carrierTime = "";
    d.scanTransmit = -1;
    d.factoryNumber = d.firmware = "";
    d.channels[1] = {"", "", "", "", "", "", ""};
    const QStringList s2 = sheetLines(d, 2);
    EXPECT_EQ(s2[8],
              "        │    Группа каналов 1: c      по                                     │");
    EXPECT_EQ(s2[10],
              "        │    Группа каналов 2: c      по                                     │");
    EXPECT_EQ(s2[13],
              "        │                    Прослушивание канала кнопкой \"ШП\" -             │");
    EXPECT_EQ(s2[14],
              "        │                         Время непрерывной работы ПРД -      c      │");
    EXPECT_EQ(s2[16],
              "        │                               при совпадении субтона -             │");
    EXPECT_EQ(s2[18],
              "        │  Уровни выходной мощности передатчика, Вт -                        │");
    EXPECT_EQ(s2[20],
              "        │              Задержка для возобновления сканирования -      c      │");
    EXPECT_EQ(s2[21],
              "        │Время анализа несущей на канале в режиме сканирования -      мс     │");
    EXPECT_EQ(s2[33],
              "        │                                   Заводской номер ПП -             │");
    // An empty transmit-frequency cell still moves past its placeholder.
    EXPECT_EQ(sheetLines(d, 1)[12],
              "        │ 2   │               │               │            │        │        │");
}

TEST(Composer, PlaceholderEdgeCases) {
    CardData d = referenceCard();
    // An unknown key: one space, then the key as a template character.
    EXPECT_EQ(interpret("ab$?cd\r\n\f", d), "ab ?cd");
    // An empty value becomes two spaces.
    d.date = "";
    EXPECT_EQ(interpret("x$Ky\r\n\f", d), "x  y");
    // A value longer than the rest of the template ends it; so does a "$" at
    // its very end.
    d.fileField = "Файл: /a/very/long/name.ust";
    EXPECT_EQ(interpret("ab$A", d), "abФайл: /a/very/long/name.ust");
    EXPECT_EQ(interpret("ab$", d), "ab");
    EXPECT_EQ(interpret("ab$\f", d), "ab");
    // The form feed stops the sheet, whatever follows.
    EXPECT_EQ(interpret("ab\fcd", d), "ab");
}

TEST(Composer, SecondSheetBesideTheFirst) {
    // The one-sheet layout draws sheet 2 from origin cell (80, 0).
    const CardData d = referenceCard();
    PageWriter w;
    w.setResolution(96, 96);
    w.Scale = 0.6;
    RecordingCanvas canvas(w, 80, 0);
    CardComposer(d, w).DrawList2(canvas, 80, 0);
    EXPECT_EQ(canvas.text(), QString(kSheet2));
}
