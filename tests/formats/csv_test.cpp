#include "formats/channel_csv.h"
#include "formats/csv_reader.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"

#include <ctime>
#include <gtest/gtest.h>

namespace ksv::formats {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvReader, QuotesSeparatorsAndLineNumbers) {
    const auto r = parseCsv("\xEF\xBB\xBF"
                            "a;\"b;c\";\"say \"\"hi\"\"\"\r\n"
                            "\r\n"
                            "1;\"two\nlines\";3\n"
                            "4;5;6");
    ASSERT_TRUE(r.table) << r.error;
    EXPECT_EQ(r.table->separator, ';');
    ASSERT_EQ(r.table->records.size(), 3u);
    EXPECT_EQ(r.table->records[0].fields, (Fields{"a", "b;c", "say \"hi\""}));
    EXPECT_EQ(r.table->records[1].fields, (Fields{"1", "two\nlines", "3"}));
    EXPECT_EQ(r.table->records[1].line, 3);
    EXPECT_EQ(r.table->records[2].line, 5);
    EXPECT_EQ(r.table->records[2].fields, (Fields{"4", "5", "6"}));
}

TEST(CsvReader, CommaSeparatorFromTheHeader) {
    const auto r = parseCsv("Location,Name,Frequency\n1,\"A;B\",148.000000\n");
    ASSERT_TRUE(r.table);
    EXPECT_EQ(r.table->separator, ',');
    EXPECT_EQ(r.table->records[1].fields, (Fields{"1", "A;B", "148.000000"}));
}

TEST(CsvReader, RefusesWhatItCannotRead) {
    EXPECT_EQ(parseCsv("a;b\n\"open\n").error, "строка 2: кавычка не закрыта до конца файла");
    // Code page 1251 text, as a spreadsheet may save it.
    EXPECT_EQ(parseCsv("a;b\n1;\xCE\xF2\xEA\xEB\n").error,
              "строка 2: текст не в кодировке UTF-8 (сохраните файл в UTF-8)");
    EXPECT_EQ(parseCsv("\n\n").error, "файл пуст");
}

TEST(CsvReader, FieldsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(csvField("Частота ПРМ, кГц", ';'), "Частота ПРМ, кГц");
    EXPECT_EQ(csvField("Частота ПРМ, кГц", ','), "\"Частота ПРМ, кГц\"");
    EXPECT_EQ(csvField("a\"b", ';'), "\"a\"\"b\"");
}

// What a spreadsheet would run as a formula, quoted or not, is written as
// text; numbers stay numbers.
TEST(CsvReader, TextsASpreadsheetWouldRunGetAnApostrophe) {
    const struct {
        std::string value, field;
    } cases[] = {
        {"=HYPERLINK(\"http:\\evil\",\"x\")+cmd|' C calc'!A0.ust",
         "\"'=HYPERLINK(\"\"http:\\evil\"\",\"\"x\"\")+cmd|' C calc'!A0.ust\""},
        {"+7 912", "'+7 912"},
        {"-", "'-"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tcmd", "'\tcmd"},
        {"\r=1", "\"'\r=1\""},
        {"a=b", "a=b"},
        {"-12", "-12"},
        {"+3.5", "+3.5"},
        {"-0,25", "\"-0,25\""}, // a number, quoted for its comma
        {"-1-2", "'-1-2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvField(c.value, ','), c.field) << c.value;
}

// Files wrong throughout: each list stops after a few dozen messages and
// says how many more there were, and a wide and long file is read in time
// linear in its size (once it took minutes).
TEST(CsvImport, MessagesStopAfterAFewDozenAndReadingStaysLinear) {
    const Image base = defaultImage(rtVehicleVhf);
    std::string chirp = "Location,Frequency";
    for (int i = 0; i < 200'000; ++i)
        chirp += ",c" + std::to_string(i);
    for (int i = 0; i < 200'000; ++i)
        chirp += "\n41";
    const std::clock_t start = std::clock();
    const CsvImport wide = importChannelsCsv(chirp, base, omUser);
    EXPECT_LT(std::clock() - start, 4 * CLOCKS_PER_SEC);
    EXPECT_EQ(wide.errors, std::vector<std::string>{"в файле нет ни одного канала"});
    ASSERT_EQ(wide.notes.size(), 31u);
    EXPECT_EQ(wide.notes[30], "… и ещё 199970 замечаний");

    std::string ones = "1";
    for (int i = 1; i < 200'000; ++i)
        ones += ";1";
    const CsvImport own = importChannelsCsv(ones, base, omUser);
    ASSERT_EQ(own.errors.size(), 31u);
    EXPECT_EQ(own.errors[0], "Строка 1, столбец 1: неизвестный столбец \"1\"");
    EXPECT_EQ(own.errors[30], "… и ещё 199971 ошибок");
}

// An import is finished as the window's store finishes the table: in
// mid-band mode the channels the file does not name are brought into the
// range too, and the stored bit and the checksum are set.
TEST(CsvImport, FinishedAsTheWindowStoresTheTable) {
    Image base = defaultImage(rtVehicleVhf); // every receive frequency 148000
    base.setStoredBit(false);
    const CsvImport r = importChannelsCsv("№;Частота ПРМ, кГц\n1;150000\n", base, omMidBand);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(FrqTxt(r.image.rxCode(1), rtVehicleVhf), "150000");
    EXPECT_EQ(FrqTxt(r.image.rxCode(2), rtVehicleVhf), "149025");
    EXPECT_TRUE(r.image.storedBit());
    EXPECT_TRUE(CheckCRC(r.image));
}

} // namespace
} // namespace ksv::formats
