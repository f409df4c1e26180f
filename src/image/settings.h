#pragma once

// The settings of the three settings pages and the tool strip: for each list,
// the bits of the image it occupies, its items (the code each item stores and
// the text the window shows for it) and typed access over the image; for the
// check boxes and spin edits, the same as named functions. The window, the
// window-free store, the card and the command line all read this one table.

#include "image/image.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace ksv {

// The lists, in the order of their pages.
enum class SettingId {
    // "Основные настройки"
    ShpListen,
    TxLimit,
    SubtoneCancel,
    PowerLevels,
    Group1First,
    Group1Last,
    Group2First,
    Group2Last,
    // "Сканирование"
    ResumeDelay,
    CarrierTime,
    ScanTransmit,
    PriorityChannel, // while priority scanning is on
    PriorityPeriod,
    // "Тональные сигналы"
    ToneCount,    // while tone signalling is on
    ToneDuration, // while tone signalling is on
    AudioHold,    // while standby reception is on
    // Tool strip
    Scrambler,
};

enum class SettingsPage { Main, Scan, Tones, ToolStrip };

// One item of a list: the code its field holds for it and its text (UTF-8).
struct SettingItem {
    int code;
    std::string text;
};

struct ListSetting {
    SettingId id;
    SettingsPage page;
    const char* key;   // key of the command line's JSON "settings" object
    const char* label; // the command line's name of the setting
    FieldLayout bits;  // the bits of a field of the map
    int initial;       // index the list starts with
    // The code of item i is first + step * i; a code between two items shows
    // the lower one (a priority period byte of 12 shows "1,0").
    int first;
    int step;
    // Item texts per radio type (only the power levels and the scrambler
    // differ between types).
    std::array<std::vector<std::string>, kRadioTypeCount> itemTexts;
    std::function<int(const Image&)> get;      // the code the image holds
    std::function<void(Image&, int code)> set; // stores a code, other bits kept

    const std::vector<std::string>& texts(RadioType type) const { return itemTexts[type]; }

    std::vector<SettingItem> items(RadioType type) const;
    // Index of the item the window shows for the image, -1 for none.
    int shownIndex(const Image& image) const;
    // Index of the item whose code the image holds exactly, -1 for none.
    int exactIndex(const Image& image) const;
    // Text of the shown item, "" for none.
    std::string shownText(const Image& image) const;
    // Stores the code of item index (0 .. items - 1).
    void store(Image& image, int index) const;
    // Stores what the image shows, as a show followed by a store does; a
    // value that no item shows is kept.
    void keepShown(Image& image) const;
};

// Every list, in SettingId order.
const std::vector<ListSetting>& listSettings();
const ListSetting& setting(SettingId id);

// The lists that store and show on their own: no check box decides whether
// they count, no partner list checks them.
const std::vector<SettingId>& independentLists();

// "Сканирование приоритетного канала": byte 249 is not 0xFF.
bool priorityScanOn(const Image& image);
// Unticking it: byte 249 = 0xFF.
void storePriorityScanOff(Image& image);

// "Тональные сигналы": tone 1 is present.
bool toneSignallingOn(const Image& image);
// Whether tone k's frequency field is shown: tone 1 always, tone k
// when its word is not 0.
bool toneShown(const Image& image, int k);
// The frequency a tone's spin edit shows: its decoded word, a word without a
// frequency as 3000, within 500..3000.
int toneSpinHz(const Image& image, int k);
// Tones 1..count take the frequencies hz[0..count-1], the rest become 0.
void storeTones(Image& image, int count, const std::array<int, 5>& hz);

// "Дежурный прием": off when byte 231 is 0xFF or bytes 11 to 14
// hold the "off" pattern.
bool standbyOn(const Image& image);
// The receive tone's field: byte 231 x 10 + 500, within 500..3000.
int standbyToneHz(const Image& image);
// Byte 231 and the detector coefficients of bytes 11 to 15 for a frequency.
void storeStandbyTone(Image& image, int hz);
// Byte 231 = 0xFF and bytes 11 to 15 the "off" pattern.
void storeStandbyOff(Image& image);

} // namespace ksv
