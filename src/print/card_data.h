#pragma once

// Everything the programming card prints, as the main window shows it: the
// texts of its controls, the ticks of its check boxes and a few bytes of the
// settings image. The composer reads only this structure, never a widget;
// the main window fills it from its controls (the comment of each field
// names the control), the command line fills it from an image
// (cardFromImage).

#include <QString>
#include <array>

namespace ksv::print {

// Today in the system's short date format.
QString currentDateText();

// The seven cells of one row of the channel table, as displayed.
struct ChannelCells {
    QString rx;       // column 1, receive frequency ("149025" or "Откл")
    QString tx;       // column 2, transmit frequency
    QString rxSub;    // column 3, receive subtone ("67.0" or "Откл")
    QString txSub;    // column 4, transmit subtone
    QString prohibit; // column 5, "Запрет" or empty
    QString scanS;    // column 6, "S" or empty
    QString scanL;    // column 7, "L" or empty
};

constexpr int kCardChannels = 40;
constexpr int kCardTones = 5;

struct CardData {
    // Status bar panel 1: "Файл: " followed by the file name, or "Файл: " alone.
    QString fileField = QStringLiteral("Файл: ");
    // The date the card prints: today in the system's short format unless
    // set otherwise.
    QString date = currentDateText();

    // Channel groups, image bytes 216..219 (0-based channel indexes): which
    // rows of sheet 1 are printed in full.
    int group1First = 0, group1Last = 39, group2First = 0, group2Last = 39;
    // Channel table rows 1..40, columns 1..7.
    std::array<ChannelCells, kCardChannels> channels;

    // Page "Основные настройки".
    QString shpListen;     // the list's text, "Нет"/"Да"
    QString txLimit;       // the list's text, "Не ограничено", "5" .. "180"
    QString subtoneCancel; // the list's text, "Нет"/"Да"
    QString powerLevels;   // the list's text, e.g. "5-10-20 (Возимая)"
    QString group1FirstText = QStringLiteral("1"); // the list's text
    QString group1LastText = QStringLiteral("40"); // the list's text
    QString group2FirstText = QStringLiteral("1"); // the list's text
    QString group2LastText = QStringLiteral("40"); // the list's text

    // Page "Сканирование".
    QString resumeDelay;  // the list's text, "1" .. "15"
    QString carrierTime;  // the list's text, "100" .. "500"
    int scanTransmit = 1; // the list's current index, -1 without a selection
    bool priorityScan = true; // the check box "Сканирование приоритетного канала"
    QString priorityChannel; // the list's text, "1" .. "40"
    QString priorityPeriod;  // the list's text, "0,5" .. "5,0"

    // Page "Тональные сигналы".
    bool tones = false;                       // the check box "Тональные сигналы"
    std::array<bool, kCardTones> toneShown{}; // the tone spin edits shown (own flag, not isVisible)
    std::array<int, kCardTones> toneHz{};     // the tone spin edits' values, 500..3000
    QString toneDuration;                     // the list's text, "1" .. "20"
    bool standby = false;                     // the check box "Дежурный прием"
    int rxToneHz = 3000;                      // the receive tone's value, 500..3000
    QString audioHold;                        // the list's text, "1" .. "15"

    // Tool bar and image.
    QString factoryNumber; // ZnTxt of the image (also the print job's title)
    QString firmware;      // VerTxt of the image
    QString scrambler;     // the list's text ("УПР: ")
    bool midBand = false;  // operating mode is mid-band
};

} // namespace ksv::print
