#include "print/card_composer.h"

#include "image/settings.h"
#include "print/codepage.h"
#include "print/templates.h"

#include <algorithm>
#include <limits>
#include <optional>

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
        // A value may take its line's carriage return, never its line feed.
        const qsizetype lineEnd = tmpl.indexOf('\n', pos);
        room_ = lineEnd < 0 ? std::numeric_limits<int>::max() : int(lineEnd - pos);
        QByteArray value = kOneSpace;
        if (placeholder(key, canvas, value) == Step::EndOfSheet)
            return;
        pos += value.size();
    }
}

namespace {

// Placeholders that print one text of the card as it stands.
struct TextField {
    char key;
    QString CardData::*text;
    const char* suffix;
};
constexpr TextField kTextFields[] = {
    {'K', &CardData::date, ""},
    {'L', &CardData::group1FirstText, " "},
    {'M', &CardData::group1LastText, " "},
    {'N', &CardData::group2FirstText, " "},
    {'O', &CardData::group2LastText, " "},
    {'U', &CardData::shpListen, " "},
    {'V', &CardData::txLimit, " "},
    {'W', &CardData::subtoneCancel, " "},
    {'X', &CardData::powerLevels, " "},
    {'R', &CardData::resumeDelay, " "},
    {'S', &CardData::carrierTime, " "},
    {'1', &CardData::factoryNumber, " "},
    {'2', &CardData::firmware, " "},
};

std::optional<QByteArray> textFieldValue(const CardData& d, char key) {
    for (const TextField& f : kTextFields)
        if (f.key == key)
            return win(d.*f.text, f.suffix);
    return std::nullopt;
}

// Placeholders whose text depends on a setting: blanks when it is off.
std::optional<QByteArray> conditionalValue(const CardData& d, char key, int room) {
    switch (key) {
    case 'A':
        return fileFieldValue(d.fileField, room);
    case 'T':
        return scanTransmitValue(d.scanTransmit);
    case 'P':
        return d.priorityScan ? win("Приоритетный канал - " + d.priorityChannel, " ")
                              : kThreeSpaces;
    case 'Q':
        return d.priorityScan
                   ? win("Период сканирования приоритетного канала - " + d.priorityPeriod, "  с")
                   : kThreeSpaces;
    case 'Y':
        return d.standby ? win("Частота тон-сигнала ПРМ - " + QString::number(d.rxToneHz), " Гц")
                         : kThreeSpaces;
    case 'Z':
        return d.standby
                   ? win("Время работы УНЧ после приема тон-сигнала ПРМ - " + d.audioHold, "   с")
                   : kThreeSpaces;
    case '3':
        return d.midBand ? kFourSpaces : win("Тип УПР - " + d.scrambler, " ");
    default:
        return std::nullopt;
    }
}

} // namespace

QByteArray fileFieldValue(const QString& field, int room) {
    static const QString prefix = QStringLiteral("Файл: ");
    if (win(field).size() <= prefix.size())
        return kThreeSpaces;
    QString text = field;
    if (text.size() + 1 > room && text.startsWith(prefix)) {
        const QString path = text.mid(prefix.size());
        QString name = path.mid(std::max(path.lastIndexOf('/'), path.lastIndexOf('\\')) + 1);
        const int nameRoom = room - 1 - int(prefix.size());
        if (name.size() > nameRoom) {
            const int keep = std::max(nameRoom - 3, 2);
            name = name.left(keep - keep / 2) + QStringLiteral("...") + name.right(keep / 2);
        }
        text = prefix + name;
    }
    return win(text) + ' ';
}

// Makes the value text of key and draws it. Every value but that of an
// unknown key is at least two characters long, so that the key letter after
// the "$" is always covered: a list without a selection prints blanks, not a
// stray "L" or "a".
CardComposer::Step CardComposer::placeholder(char key, Canvas& canvas, QByteArray& value) {
    std::optional<QByteArray> known;
    if (key == 'C') {
        const int index = row_;
        inGroup_ = (data_.group1First <= index && index <= data_.group1Last) ||
                   (data_.group2First <= index && index <= data_.group2Last);
        ++row_;
        known = QByteArray::number(row_) + ' ';
    } else if (key >= 'D' && key <= 'J') {
        known = channelCell(key);
    } else if (key >= 'a' && key <= 'c') {
        known = scanTransmitLine(key);
    } else if (key == '7') {
        if (!data_.tones) {
            drawDateEnd(canvas, {});
            return Step::EndOfSheet;
        }
        known = kThreeSpaces;
    } else if (key == 'd') {
        return toneRow(canvas, value);
    } else {
        known = textFieldValue(data_, key);
        if (!known)
            known = conditionalValue(data_, key, room_);
    }
    // An unknown key is drawn as one space; the key follows as a template character.
    value = known ? known->leftJustified(2, ' ') : kOneSpace;
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
