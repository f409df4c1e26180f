#include "print/codepage.h"

#include <gtest/gtest.h>

using namespace ksv::print;

TEST(CodePage, WindowTextsTo1251) {
    EXPECT_EQ(toCp1251("Тип УПР - 09ЛС400-07Б"), QByteArray("\xD2\xE8\xEF \xD3\xCF\xD0 - 09\xCB\xD1"
                                                            "400-07\xC1"));
    EXPECT_EQ(toCp1251("Ёё№"), QByteArray("\xA8\xB8\xB9"));
    EXPECT_EQ(toCp1251("«—»"), QByteArray("\xAB\x97\xBB"));
    // Characters 1251 lacks, one "?" per character, also outside the BMP.
    EXPECT_EQ(toCp1251("a\u2500b\U0001F600c"), QByteArray("a?b?c"));
}

TEST(CodePage, ToneTableTextsTo866) {
    EXPECT_EQ(toCp866("│   1   │"), QByteArray("\xB3   1   \xB3"));
    EXPECT_EQ(toCp866("└─┴┘"), QByteArray("\xC0\xC4\xC1\xD9"));
    EXPECT_EQ(toCp866("Лист"), QByteArray("\x8B\xA8\xE1\xE2"));
    EXPECT_EQ(toCp866("€"), QByteArray("?"));
}

TEST(CodePage, ControlCharactersBecomeQuestionMarks) {
    // A file name with a line feed or a tab must not move the page writer.
    EXPECT_EQ(toCp1251("Файл: /tmp/a\nb\tc.ust"), QByteArray("\xD4\xE0\xE9\xEB: /tmp/a?b?c.ust"));
    EXPECT_EQ(toCp866(QString("x\ry")), QByteArray("x?y"));
}

TEST(CodePage, RoundTripOfEveryAssignedCode) {
    for (int b = 32; b < 256; ++b) {
        const QByteArray one(1, char(b));
        if (b != 0x98) {
            EXPECT_EQ(toCp1251(fromCp1251(one)), one) << b;
        }
        EXPECT_EQ(toCp866(fromCp866(one)), one) << b;
    }
}
