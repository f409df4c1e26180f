#pragma once

// The three settings pages of the main window: "Основные настройки",
// "Сканирование" and "Тональные сигналы", with the item lists and initial
// values. Each list is bound to the setting it shows once, when it is made;
// storing and showing go through that binding.

#include "image/settings.h"

#include <QStringList>
#include <array>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace ksv {

class ToneSpinEdit;

struct SettingsControls {
    // Pages (TabSheet2, TabSheet3, TabSheet4).
    QWidget* mainPage = nullptr; // "Основные настройки"
    QWidget* scanPage = nullptr; // "Сканирование"
    QWidget* tonePage = nullptr; // "Тональные сигналы"

    // "Сканирование"
    QCheckBox* priorityScan = nullptr;  // CheckBox3
    QGroupBox* priorityFrame = nullptr; // GroupBox1: shown while priorityScan is checked

    // "Тональные сигналы"
    QCheckBox* toneSignalling = nullptr;     // CheckBox2: transmit tone signalling
    QGroupBox* toneFrame = nullptr;          // GroupBox3: shown while toneSignalling is checked
    std::array<ToneSpinEdit*, 5> toneSpin{}; // SpinEdit1..SpinEdit5
    std::array<QLabel*, 5> toneLabel{};      // Label7..Label11
    QCheckBox* standby = nullptr;            // CheckBox1: standby reception
    QGroupBox* standbyFrame = nullptr;       // GroupBox6: shown while standby is checked
    ToneSpinEdit* rxTone = nullptr;          // SpinEdit6: the receive tone

    // The list that shows a setting (every setting of the pages and the
    // scrambler of the tool strip has one).
    QComboBox* list(SettingId id) const;
    // Every list, in the order of the settings, with its setting.
    const std::vector<std::pair<SettingId, QComboBox*>>& lists() const { return lists_; }

    // Makes the list of a setting, with the items of a radio type (the first
    // refresh puts in those of the image's type) and its initial choice, and
    // binds it to the setting.
    QComboBox* makeList(SettingId id, RadioType items = rtVehicleVhf);

    // Controls of each page in focus order, for "Enter moves to the next control".
    std::vector<QWidget*> pageOrder(const QWidget* page) const;

private:
    std::vector<std::pair<SettingId, QComboBox*>> lists_;
};

// Creates the three pages (without parent; the caller adds them to its page
// control) and fills c.
void buildSettingsPages(SettingsControls& c);

} // namespace ksv
