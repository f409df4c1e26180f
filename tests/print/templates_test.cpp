// The page templates must be byte-exact: a value longer than its placeholder
// overwrites the characters after it, so every trailing space and every line
// end counts.

#include "print/codepage.h"
#include "print/templates.h"

#include <QList>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace ksv::print;

namespace {

// The lines of a template without their CR LF; checks the line ends and the
// closing form feed on the way.
QList<QByteArray> linesOf(const QByteArray& t) {
    EXPECT_EQ(t.back(), '\f');
    EXPECT_EQ(t.count('\f'), 1);
    QList<QByteArray> lines = t.chopped(1).split('\n');
    EXPECT_TRUE(lines.back().isEmpty()); // the last line ends with CR LF too
    lines.removeLast();
    for (QByteArray& l : lines) {
        EXPECT_TRUE(l.endsWith('\r'));
        l.chop(1);
        EXPECT_FALSE(l.contains('\r'));
    }
    return lines;
}

std::vector<int> lengthsOf(const QList<QByteArray>& lines) {
    std::vector<int> out;
    for (const QByteArray& l : lines)
        out.push_back(int(l.size()));
    return out;
}

using Placeholder = std::tuple<int, int, char>; // line (1-based), column, key

std::vector<Placeholder> placeholdersOf(const QList<QByteArray>& lines) {
    std::vector<Placeholder> out;
    for (int n = 0; n < lines.size(); ++n)
        for (int i = 0; i + 1 < lines[n].size(); ++i)
            if (lines[n][i] == '$')
                out.emplace_back(n + 1, i, lines[n][i + 1]);
    return out;
}

} // namespace

TEST(Templates, Sheet1BytesAndLines) {
    const QByteArray& t = l1_tmp();
    EXPECT_EQ(t.size(), 4293);
    const QList<QByteArray> lines = linesOf(t);
    ASSERT_EQ(lines.size(), 54);

    std::vector<int> expected = {8, 77, 66};
    expected.insert(expected.end(), 50, 80);
    expected.push_back(33);
    EXPECT_EQ(lengthsOf(lines), expected);

    EXPECT_EQ(lines[0], QByteArray(8, ' '));
    EXPECT_EQ(fromCp866(lines[1]).trimmed(), QString("Файл прошивки ППЗУ ПП"));
    EXPECT_EQ(fromCp866(lines[3]).trimmed(), QString("Лист 1"));
    EXPECT_EQ(lines[4], QByteArray(80, ' '));
    EXPECT_EQ(lines[52], QByteArray(80, ' '));
    // Table corners and rules are code page 866 box-drawing bytes.
    EXPECT_EQ(uchar(lines[6][8]), 0xDA);
    EXPECT_EQ(uchar(lines[6][9]), 0xC4);
    EXPECT_EQ(uchar(lines[6][77]), 0xBF);
    EXPECT_EQ(uchar(lines[10][8]), 0xC3);
    EXPECT_EQ(uchar(lines[10][14]), 0xC5);
    EXPECT_EQ(uchar(lines[51][8]), 0xC0);
    EXPECT_EQ(uchar(lines[51][77]), 0xD9);
    // The "L" of the head is Latin.
    EXPECT_EQ(lines[8].mid(68, 4), QByteArray("\xB3 L "));

    // Every channel line is identical; the placeholders sit where the
    // values of a row belong.
    for (int n = 12; n <= 51; ++n)
        EXPECT_EQ(lines[n - 1], lines[11]) << "line " << n;
    std::vector<Placeholder> expectedKeys = {{3, 8, 'A'}};
    for (int n = 12; n <= 51; ++n)
        for (const auto& [col, key] : std::vector<std::pair<int, char>>{{10, 'C'},
                                                                        {16, 'D'},
                                                                        {24, 'E'},
                                                                        {32, 'F'},
                                                                        {40, 'G'},
                                                                        {48, 'H'},
                                                                        {61, 'I'},
                                                                        {70, 'J'}})
            expectedKeys.emplace_back(n, col, key);
    expectedKeys.emplace_back(54, 9, 'K');
    EXPECT_EQ(placeholdersOf(lines), expectedKeys);
}

TEST(Templates, Sheet2BytesAndLines) {
    const QByteArray& t = l2_tmp();
    EXPECT_EQ(t.size(), 3686);
    const QList<QByteArray> lines = linesOf(t);
    ASSERT_EQ(lines.size(), 53);

    const std::vector<int> expected = {8,  77, 66, 16, 80, 80, 80, 80, 80, 80,  80, 80, 78, 80,
                                       80, 80, 78, 78, 80, 80, 80, 80, 78, 80,  80, 80, 80, 78,
                                       80, 80, 80, 80, 80, 80, 80, 78, 78, 78,  8,  49, 53, 51,
                                       53, 51, 51, 51, 51, 51, 10, 53, 58, 102, 16};
    EXPECT_EQ(lengthsOf(lines), expected);

    EXPECT_EQ(fromCp866(lines[3]), QString("        Лист 2  "));
    EXPECT_EQ(lines[51], QByteArray(102, ' '));
    // Latin "c" after the group numbers and after the seconds; Cyrillic "мс".
    EXPECT_EQ(lines[8][31], 'c');
    EXPECT_EQ(lines[10][31], 'c');
    EXPECT_EQ(lines[14][70], 'c');
    EXPECT_EQ(lines[20][70], 'c');
    EXPECT_EQ(fromCp866(lines[21].mid(70, 2)), QString("мс"));
    EXPECT_EQ(uchar(lines[21][70]), 0xAC);
    // The frame of the parameter table: 70 columns from column 8.
    EXPECT_EQ(uchar(lines[6][8]), 0xDA);
    EXPECT_EQ(uchar(lines[6][77]), 0xBF);
    for (int n = 8; n <= 37; ++n) {
        EXPECT_EQ(uchar(lines[n - 1][8]), 0xB3) << "line " << n;
        EXPECT_EQ(uchar(lines[n - 1][77]), 0xB3) << "line " << n;
    }
    EXPECT_EQ(uchar(lines[37][77]), 0xD9);
    EXPECT_EQ(fromCp866(lines[13].trimmed()),
              QString("│                    Прослушивание канала кнопкой \"ШП\" - $U          │"));
    EXPECT_EQ(fromCp866(lines[42]).trimmed(), QString("│  Тон  │  Частота, Гц │ Длительность,с │"));

    const std::vector<Placeholder> expectedKeys = {
        {3, 8, 'A'},   {9, 34, 'L'},  {9, 41, 'M'},  {11, 34, 'N'}, {11, 41, 'O'}, {14, 65, 'U'},
        {15, 65, 'V'}, {17, 65, 'W'}, {19, 54, 'X'}, {21, 65, 'R'}, {22, 65, 'S'}, {23, 65, 'T'},
        {24, 11, 'a'}, {25, 11, 'b'}, {26, 11, 'c'}, {28, 44, 'P'}, {29, 22, 'Q'}, {31, 39, 'Y'},
        {32, 17, 'Z'}, {34, 65, '1'}, {35, 65, '2'}, {36, 55, '3'}, {40, 9, '7'},  {45, 8, 'd'},
        {46, 8, 'd'},  {47, 8, 'd'},  {48, 8, 'd'},  {49, 8, 'd'},  {50, 8, 'd'},  {51, 8, 'd'},
        {53, 8, 'K'}};
    EXPECT_EQ(placeholdersOf(lines), expectedKeys);
}

TEST(Templates, OnlyPrintableCodePage866Bytes) {
    for (const QByteArray* t : {&l1_tmp(), &l2_tmp()}) {
        for (const QByteArray& line : linesOf(*t)) {
            EXPECT_FALSE(line.contains('?')) << "a character had no code page 866 byte";
            for (const char c : line)
                EXPECT_GE(uchar(c), 32u);
        }
    }
}
