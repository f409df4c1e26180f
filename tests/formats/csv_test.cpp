#include "formats/csv_reader.h"

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

} // namespace
} // namespace ksv::formats
