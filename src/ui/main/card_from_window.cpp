#include "ui/main/card_from_window.h"

#include "image/codecs.h"
#include "image/settings.h"
#include "ui/main/main_window.h"
#include "ui/main/tone_spin_edit.h"

#include <QCheckBox>
#include <QComboBox>

namespace ksv {

print::CardData cardFromWindow(TForm1& form) {
    print::CardData d;
    SettingsControls& c = form.controls();
    const Image& image = form.currentImage();

    d.fileField = form.fileStatus();
    for (int row = 1; row <= print::kCardChannels; ++row) {
        print::ChannelCells& cells = d.channels[row - 1];
        ChannelGrid* g = form.grid();
        cells.rx = g->cell(1, row);
        cells.tx = g->cell(2, row);
        cells.rxSub = g->cell(3, row);
        cells.txSub = g->cell(4, row);
        cells.prohibit = g->cell(5, row);
        cells.scanS = g->cell(6, row);
        cells.scanL = g->cell(7, row);
    }
    d.group1First = setting(SettingId::Group1First).get(image);
    d.group1Last = setting(SettingId::Group1Last).get(image);
    d.group2First = setting(SettingId::Group2First).get(image);
    d.group2Last = setting(SettingId::Group2Last).get(image);
    d.group1FirstText = c.ComboBox1->currentText();
    d.group1LastText = c.ComboBox2->currentText();
    d.group2FirstText = c.ComboBox3->currentText();
    d.group2LastText = c.ComboBox4->currentText();

    d.shpListen = c.ComboBox17->currentText();
    d.txLimit = c.ComboBox10->currentText();
    d.subtoneCancel = c.ComboBox12->currentText();
    d.powerLevels = c.ComboBox13->currentText();

    d.resumeDelay = c.ComboBox6->currentText();
    d.carrierTime = c.ComboBox7->currentText();
    d.scanTransmit = c.ComboBox11->currentIndex();
    d.priorityScan = c.CheckBox3->isChecked();
    d.priorityChannel = c.ComboBox5->currentText();
    d.priorityPeriod = c.ComboBox8->currentText();

    d.tones = c.CheckBox2->isChecked();
    for (int k = 0; k < print::kCardTones; ++k) {
        // The field's own flag: the page need not be the current one.
        d.toneShown[k] = !c.toneSpin[k]->isHidden();
        d.toneHz[k] = c.toneSpin[k]->effectiveValue();
    }
    d.toneDuration = c.ComboBox15->currentText();
    d.standby = c.CheckBox1->isChecked();
    d.rxToneHz = c.SpinEdit6->effectiveValue();
    d.audioHold = c.ComboBox16->currentText();

    d.factoryNumber = QString::fromStdString(ZnTxt(image));
    d.firmware = QString::fromStdString(VerTxt(image));
    d.scrambler = form.scramblerBox()->currentText();
    d.midBand = form.operatingMode() == omMidBand;
    return d;
}

} // namespace ksv
