#pragma once

// The three settings pages of the main window: "Основные настройки",
// "Сканирование" and "Тональные сигналы", with every control under its
// own name (also its objectName), the item lists and initial values.

#include <QStringList>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace ksv {

class ToneSpinEdit;

struct SettingsControls {
    // Pages.
    QWidget* TabSheet2 = nullptr; // "Основные настройки"
    QWidget* TabSheet3 = nullptr; // "Сканирование"
    QWidget* TabSheet4 = nullptr; // "Тональные сигналы"

    // "Основные настройки"
    QComboBox* ComboBox17 = nullptr; // listening with "ШП"
    QComboBox* ComboBox10 = nullptr; // transmitter time limit
    QComboBox* ComboBox12 = nullptr; // busy-channel inhibit cancelled on subtone
    QComboBox* ComboBox13 = nullptr; // power level set
    QComboBox* ComboBox1 = nullptr;  // group 1 first
    QComboBox* ComboBox2 = nullptr;  // group 1 last
    QComboBox* ComboBox3 = nullptr;  // group 2 first
    QComboBox* ComboBox4 = nullptr;  // group 2 last

    // "Сканирование"
    QComboBox* ComboBox6 = nullptr;  // resume delay
    QComboBox* ComboBox7 = nullptr;  // carrier analysis time
    QComboBox* ComboBox11 = nullptr; // transmit-from-scanning variant
    QCheckBox* CheckBox3 = nullptr;  // priority channel scanning
    QGroupBox* GroupBox1 = nullptr;  // shown while CheckBox3 is checked
    QComboBox* ComboBox5 = nullptr;  // priority channel
    QComboBox* ComboBox8 = nullptr;  // priority scan period

    // "Тональные сигналы"
    QCheckBox* CheckBox2 = nullptr;          // transmit tone signalling
    QGroupBox* GroupBox3 = nullptr;          // shown while CheckBox2 is checked
    QComboBox* ComboBox14 = nullptr;         // number of tones
    QComboBox* ComboBox15 = nullptr;         // tone duration
    std::array<ToneSpinEdit*, 5> toneSpin{}; // SpinEdit1..SpinEdit5
    std::array<QLabel*, 5> toneLabel{};      // Label7..Label11
    QCheckBox* CheckBox1 = nullptr;          // standby reception
    QGroupBox* GroupBox6 = nullptr;          // shown while CheckBox1 is checked
    ToneSpinEdit* SpinEdit6 = nullptr;       // receive tone
    QComboBox* ComboBox16 = nullptr;         // audio hold time

    // Controls of each page in focus order, for "Enter moves to the next control".
    std::vector<QWidget*> pageOrder(const QWidget* page) const;

    // Every list of the three pages.
    std::vector<QComboBox*> lists() const;
};

// Creates the three pages (without parent; the caller adds them to its page
// control) and fills c.
void buildSettingsPages(SettingsControls& c);

} // namespace ksv
