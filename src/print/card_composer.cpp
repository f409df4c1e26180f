#include "print/card_composer.h"

#include "image/settings.h"
#include "print/codepage.h"
#include "print/templates.h"

namespace ksv::print {

namespace {

constexpr char kFormFeed = '\f';
const QByteArray kOneSpace(" ");
const QByteArray kTwoSpaces("  ");
const QByteArray kThreeSpaces("   ");
const QByteArray kFourSpaces("    ");

// The closing line of the tone table, code page 866.
const QString kToneTableEnd = QStringLiteral("└───────┴──────────────┴────────────────┘");

QByteArray win(const QString& s) {
    return toCp1251(s);
}

// A window text followed by suffix, in code page 1251.
QByteArray win(const QString& s, const char* suffix) {
    return toCp1251(s + QString::fromUtf8(suffix));
}

// The transmit-from-scanning variant of a list index (the variants are the
// same for every radio type); one space without a selection.
QByteArray scanTransmitValue(int index) {
    const auto& items = setting(SettingId::ScanTransmit).texts(rtVehicleVhf);
    if (index < 0 || index >= int(items.size()))
        return kOneSpace;
    return win(QString::fromStdString(items[index]), " ");
}

} // namespace

void CardComposer::DrawList1(Canvas& canvas, int column, int row) {
    writer_.SetOrg(column, row);
    writer_.GotoXY(0, 0);
    DrawTmp(l1_tmp(), canvas);
}

void CardComposer::DrawList2(Canvas& canvas, int column, int row) {
    writer_.SetOrg(column, row);
    writer_.GotoXY(0, 0);
    DrawTmp(l2_tmp(), canvas);
}

void CardComposer::DrawTmp(const QByteArray& tmpl, Canvas& canvas) {
    row_ = 0;
    inGroup_ = false;
    qsizetype pos = 0;
    // The end of the template counts as its form feed, so that a value longer
    // than the rest of the template cannot carry the position past it.
    while (pos < tmpl.size() && tmpl[pos] != kFormFeed) {
        const char c = tmpl[pos];
        if (c == '\r') {
            ++pos;
            continue;
        }
        if (c != '$') {
            writer_.PutChar(static_cast<unsigned char>(c), FontId::df13x22, canvas);
            ++pos;
            continue;
        }
        const char key = pos + 1 < tmpl.size() ? tmpl[pos + 1] : kFormFeed;
        QByteArray value = kOneSpace;
        if (placeholder(key, canvas, value) == Step::EndOfSheet)
            return;
        pos += value.size();
    }
}

// Makes the value text of key and draws it. Every value but that of an
// unknown key is at least two characters long, so that the key letter after
// the "$" is always covered: a list without a selection prints blanks, not a
// stray "L" or "a".
CardComposer::Step CardComposer::placeholder(char key, Canvas& canvas, QByteArray& value) {
    const CardData& d = data_;
    bool known = true;
    switch (key) {
    case 'A': {
        const QByteArray field = win(d.fileField);
        value = field.size() > 6 ? field + ' ' : kThreeSpaces;
        break;
    }
    case 'C': {
        const int index = row_;
        inGroup_ = (d.group1First <= index && index <= d.group1Last) ||
                   (d.group2First <= index && index <= d.group2Last);
        ++row_;
        value = QByteArray::number(row_) + ' ';
        break;
    }
    case 'D':
    case 'E':
    case 'F':
    case 'G':
    case 'H':
    case 'I':
    case 'J':
        value = channelCell(key);
        break;
    case 'K':
        value = win(d.date);
        break;
    case 'L':
        value = win(d.group1FirstText, " ");
        break;
    case 'M':
        value = win(d.group1LastText, " ");
        break;
    case 'N':
        value = win(d.group2FirstText, " ");
        break;
    case 'O':
        value = win(d.group2LastText, " ");
        break;
    case 'U':
        value = win(d.shpListen, " ");
        break;
    case 'V':
        value = win(d.txLimit, " ");
        break;
    case 'W':
        value = win(d.subtoneCancel, " ");
        break;
    case 'X':
        value = win(d.powerLevels, " ");
        break;
    case 'R':
        value = win(d.resumeDelay, " ");
        break;
    case 'S':
        value = win(d.carrierTime, " ");
        break;
    case 'T':
        value = scanTransmitValue(d.scanTransmit);
        break;
    case 'a':
    case 'b':
    case 'c':
        value = scanTransmitLine(key);
        break;
    case 'P':
        value =
            d.priorityScan ? win("Приоритетный канал - " + d.priorityChannel, " ") : kThreeSpaces;
        break;
    case 'Q':
        value = d.priorityScan
                    ? win("Период сканирования приоритетного канала - " + d.priorityPeriod, "  с")
                    : kThreeSpaces;
        break;
    case 'Y':
        value = d.standby ? win("Частота тон-сигнала ПРМ - " + QString::number(d.rxToneHz), " Гц")
                          : kThreeSpaces;
        break;
    case 'Z':
        value = d.standby
                    ? win("Время работы УНЧ после приема тон-сигнала ПРМ - " + d.audioHold, "   с")
                    : kThreeSpaces;
        break;
    case '1':
        value = win(d.factoryNumber, " ");
        break;
    case '2':
        value = win(d.firmware, " ");
        break;
    case '3':
        value = d.midBand ? kFourSpaces : win("Тип УПР - " + d.scrambler, " ");
        break;
    case '7':
        if (!d.tones) {
            drawDateEnd(canvas, {});
            return Step::EndOfSheet;
        }
        value = kThreeSpaces;
        break;
    case 'd':
        return toneRow(canvas, value);
    default:
        known = false; // drawn as one space; the key follows as a template character
        break;
    }
    if (known && value.size() < 2)
        value = value.leftJustified(2, ' ');
    writer_.PutStr(value, FontId::wf13x22, canvas);
    return Step::Continue;
}

// Cells of a channel row: the channel table's texts when the channel is in a
// group, blanks otherwise.
QByteArray CardComposer::channelCell(char key) const {
    if (!inGroup_)
        return kThreeSpaces;
    const int index = row_ - 1;
    if (index < 0 || index >= kCardChannels)
        return kThreeSpaces;
    const ChannelCells& c = data_.channels[index];
    switch (key) {
    case 'D':
        return win(c.rx, " ");
    case 'E':
        return win(c.tx);
    case 'F':
        return win(c.rxSub, " ");
    case 'G':
        return win(c.txSub, " ");
    case 'H':
        return win(c.prohibit, "  ");
    case 'I':
        return win(c.scanS, "  ");
    default:
        return win(c.scanL, "  ");
    }
}

// The three lines that explain the transmit-from-scanning variant.
QByteArray CardComposer::scanTransmitLine(char key) const {
    static const char* const kLines[4][3] = {
        {"(Выход в режим \"Передача\" в режиме сканирования запрещен)", "   ", "   "},
        {"(Выход в режим \"Передача\" в режиме сканирования",
         "на текущем канале при условии останова.",
         "При отсутствии останова режим \"Передача\" запрещен)"},
        {"(Выход в режим \"Передача\" в режиме сканирования",
         "на текущем канале при условии останова.",
         "При отсутствии останова режим \"Передача\" на приоритетном канале)"},
        {"(Выход в режим \"Передача\" в режиме сканирования", "только на приоритетном канале)",
         "   "},
    };
    const int i = data_.scanTransmit;
    if (i < 0 || i > 3)
        return kOneSpace;
    return win(QString::fromUtf8(kLines[i][key - 'a']));
}

// One row of the tone table, drawn in df13x22; or, after the last tone
// shown, the closing line and the date, which end the sheet.
CardComposer::Step CardComposer::toneRow(Canvas& canvas, QByteArray& value) {
    const int k = ++row_;
    const CardData& d = data_;
    if (k < 1 || k > kCardTones || !d.toneShown[k - 1]) {
        writer_.PutStr(toCp866(kToneTableEnd), FontId::df13x22, canvas);
        drawDateEnd(canvas, QByteArray("\n\n          "));
        return Step::EndOfSheet;
    }
    const QString f = (QString::number(d.toneHz[k - 1]) + ' ').leftJustified(5, u' ');
    const QString duration = d.toneDuration.leftJustified(2, u' ');
    const QString row =
        "│   " + QString::number(k) + "   │   " + f + "      │       " + duration + "       │";
    value = toCp866(row);
    writer_.PutStr(value, FontId::df13x22, canvas);
    return Step::Continue;
}

void CardComposer::drawDateEnd(Canvas& canvas, const QByteArray& lead) {
    writer_.PutStr(lead + win(data_.date), FontId::wf13x22, canvas);
}

} // namespace ksv::print
