#include "formats/channel_cells.h"
#include "image/defaults.h"

#include <chrono>
#include <gtest/gtest.h>

namespace ksv::formats {
namespace {

// A VHF vehicle set in user mode (148000-149000, 171150-173000 kHz); channel 2
// receives 148500 with subtone 88.5 in scan list S, its transmitter off.
Image sample() {
    Image im;
    LoadDefault(rtVehicleVhf, im);
    const ChannelView c = im.channel(2);
    c.setRxCode((148500 - kVhfBase) / kStep);
    c.setTxCode(0);
    c.setRxSubtone(TxtSub("88.5"));
    c.setTxSubtone(0);
    c.setProhibited(false);
    c.setScanS(true);
    c.setScanL(false);
    return im;
}

TEST(ChannelCells, CopiedCellsAreTabSeparatedAsTheTableShowsThem) {
    const Image im = sample();
    EXPECT_EQ(cellsText(im, {{2, 0}, {2, 6}}), "148500\tОткл\t88.5\tОткл\t\tS\t\n");
    EXPECT_EQ(cellsText(im, {{2, 2}, {3, 3}}), "88.5\tОткл\n" + cellsText(im, {{3, 2}, {3, 3}}));
    EXPECT_EQ(splitCells("a\t b \r\n\tc\n"),
              (std::vector<std::vector<std::string>>{{"a", "b"}, {"", "c"}}));
}

TEST(ChannelCells, APasteChangesNothingUnlessEveryCellPassesAndFits) {
    const Image base = sample();
    const std::string range = " (Тарвен-52: 148000-149000, 171150-173000 кГц)";
    const std::string notPasted = "Данные не вставлены:\nКанал ";
    const struct {
        std::string text;
        TableCell at;
        bool scanning;
        std::string result; // the pasted block's text, or the message
    } cases[] = {
        {"148525\tОткл\t67\r\n171150\t0\tОткл\r\n",
         {5, 0},
         false,
         "148525\tОткл\t67.0\n171150\tОткл\tОткл\n"},
        {"Запрет\tS\tL\t\t\n", {5, 4}, true, "Запрет\tS\tL\n"},
        {"148500\t150000\n",
         {5, 0},
         false,
         notPasted +
             "5, столбец \"Частота ПРД, кГц\", значение \"150000\": "
             "Введите частоту в пределах отведенного диапазона" +
             range},
        {"88.6\tОткл\tx",
         {1, 2},
         false,
         notPasted + "1, столбец \"Субтон ПРМ, Гц\", значение \"88.6\": нет такого субтона в "
                     "таблице (67.0 ... 254.1 или Откл)\nКанал 1, столбец \"Запрет ПРД\", "
                     "значение \"x\": ожидается \"Запрет\" или пустое значение"},
        {"L",
         {1, 6},
         false,
         notPasted + "1, столбец \"Список L\", значение \"L\": " + kLNeedsPriority},
        {"S\nS\nS\n",
         {39, 5},
         false,
         "Данные не вставлены: вставка с канала 39 заходит за канал 40 (строк в тексте: 3)."},
        {"S\tL\tx\n",
         {1, 5},
         true,
         "Данные не вставлены: вставка со столбца \"Список скан.\" заходит за столбец "
         "\"Список L\" (столбцов в тексте: 3)."},
        {"\x1b[2J\a\n", // a cell's control characters are not shown as they stand
         {1, 5},
         false,
         "Данные не вставлены:\nКанал 1, столбец \"Список скан.\", значение \"\\x1b[2J\\x07\": "
         "ожидается \"S\" или пустое значение"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Paste p =
            pasteCells(base, c.text, c.at, {}, {frequencyRules(base, omUser), c.scanning});
        EXPECT_EQ(p.ok ? cellsText(p.image, p.block) : p.message, c.result);
        if (!p.ok) {
            EXPECT_EQ(p.image, base);
        }
    }
}

// A clipboard of megabytes is refused before it is split into cells (it once
// took some 45 bytes of memory per byte of text); the whole table fits.
TEST(ChannelCells, ATextLongerThanAnyPasteIsRefusedBeforeItIsSplit) {
    const Image base = sample();
    const PasteRules rules{frequencyRules(base, omUser), false};
    std::string table;
    for (int n = 1; n <= kChannelCount; ++n)
        table += "148500\tОткл\t88.5\tОткл\tЗапрет\tS\t\r\n";
    const std::string longest = std::string(64 * 1024 - table.size(), ' ') + table;
    const struct {
        std::string text;
        bool pasted;
    } cases[] = {
        {longest, true},
        {longest + " ", false},
        {std::string(20 << 20, '\t'), false},
        {std::string(20 << 20, '\n'), false},
        {std::string(20 << 20, '1'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        const auto start = std::chrono::steady_clock::now();
        const Paste p = pasteCells(base, c.text, {1, 0}, {}, rules);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        EXPECT_EQ(p.ok, c.pasted);
        if (!c.pasted) {
            EXPECT_EQ(p.message, "Данные не вставлены: в буфере обмена больше 64 КБ текста, а "
                                 "вся таблица каналов занимает около 2 КБ.");
            EXPECT_EQ(p.image, base);
        }
    }
}

TEST(ChannelCells, OneCellOfTextFillsTheSelection) {
    const Image base = sample();
    const Paste p = pasteCells(base, "88.5\n", {1, 2}, {{1, 2}, {3, 3}, {7, 2}},
                               {frequencyRules(base, omUser), false});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.block, (CellBlock{{1, 2}, {7, 3}}));
    for (const TableCell& c : {TableCell{1, 2}, TableCell{3, 3}, TableCell{7, 2}})
        EXPECT_EQ(cellsText(p.image, {c, c}), "88.5\n");
}

} // namespace
} // namespace ksv::formats
