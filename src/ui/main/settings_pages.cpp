#include "ui/main/settings_pages.h"

#include "image/settings.h"
#include "ui/main/tone_spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ksv {

namespace {

// A list with the items and initial choice of its setting; the band's
// lists start with the VHF items, as the first refresh replaces them anyway.
QComboBox* makeList(SettingId id) {
    const ListSetting& s = setting(id);
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(s.control));
    for (const std::string& text : s.texts(rtVehicleVhf))
        box->addItem(QString::fromStdString(text));
    box->setCurrentIndex(s.initial);
    box->setEditable(false);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMaxVisibleItems(12);
    return box;
}

QLabel* captionFor(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    label->setWordWrap(true);
    return label;
}

QGroupBox* frame(const char* name) {
    auto* box = new QGroupBox;
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// One "caption: list" row of a two-column grid; the list keeps its own width.
void addRow(QGridLayout* grid, const QString& caption, QWidget* control) {
    const int row = grid->rowCount();
    grid->addWidget(captionFor(caption, control), row, 0);
    grid->addWidget(control, row, 1, Qt::AlignRight);
}

QGridLayout* formGrid(QWidget* owner) {
    auto* grid = new QGridLayout(owner);
    grid->setColumnStretch(0, 1);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    return grid;
}

QVBoxLayout* pageLayout(QWidget* page) {
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(10, 10, 10, 10);
    v->setSpacing(8);
    return v;
}

void buildMainPage(SettingsControls& c) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    c.TabSheet2 = page;

    c.ComboBox17 = makeList(SettingId::ShpListen);
    c.ComboBox10 = makeList(SettingId::TxLimit);
    c.ComboBox12 = makeList(SettingId::SubtoneCancel);
    c.ComboBox13 = makeList(SettingId::PowerLevels);

    auto* general = frame("GroupBox4");
    auto* g = formGrid(general);
    addRow(g, QStringLiteral("Прослушивание канала кнопкой \"ШП\":"), c.ComboBox17);
    addRow(g, QStringLiteral("Время непрерывной работы передатчика, с:"), c.ComboBox10);
    addRow(g, QStringLiteral("Отмена запрета передачи на занятом канале при совпадении субтона:"),
           c.ComboBox12);
    addRow(g, QStringLiteral("Уровни выходной мощности передатчика, Вт:"), c.ComboBox13);

    c.ComboBox1 = makeList(SettingId::Group1First);
    c.ComboBox2 = makeList(SettingId::Group1Last);
    c.ComboBox3 = makeList(SettingId::Group2First);
    c.ComboBox4 = makeList(SettingId::Group2Last);

    auto* groups = frame("GroupBox5");
    auto* gg = new QGridLayout(groups);
    gg->setHorizontalSpacing(8);
    gg->setVerticalSpacing(6);
    const auto addGroup = [gg](int row, const QString& caption, QComboBox* first, QComboBox* last) {
        QLabel* from = captionFor(caption, first);
        from->setWordWrap(false);
        QLabel* to = captionFor(QStringLiteral("по"), last);
        to->setWordWrap(false);
        gg->addWidget(from, row, 0);
        gg->addWidget(first, row, 1);
        gg->addWidget(to, row, 2);
        gg->addWidget(last, row, 3);
    };
    addGroup(0, QStringLiteral("Группа каналов 1: с"), c.ComboBox1, c.ComboBox2);
    addGroup(1, QStringLiteral("Группа каналов 2: с"), c.ComboBox3, c.ComboBox4);
    gg->setColumnStretch(4, 1);

    auto* v = pageLayout(page);
    v->addWidget(general);
    v->addWidget(groups);
    v->addStretch(1);
}

void buildScanPage(SettingsControls& c) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    c.TabSheet3 = page;

    c.ComboBox6 = makeList(SettingId::ResumeDelay);
    c.ComboBox7 = makeList(SettingId::CarrierTime);
    c.ComboBox11 = makeList(SettingId::ScanTransmit);

    auto* scan = frame("GroupBox2");
    auto* g = formGrid(scan);
    addRow(g, QStringLiteral("Задержка для возобновления сканирования, с:"), c.ComboBox6);
    addRow(g, QStringLiteral("Время анализа несущей на канале в режиме сканирования, мс:"),
           c.ComboBox7);
    addRow(g, QStringLiteral("Выход в режим \"Передача\" из режима сканирования:"), c.ComboBox11);

    c.CheckBox3 = new QCheckBox(QStringLiteral("Сканирование приоритетного канала"));
    c.CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    c.CheckBox3->setChecked(true);

    c.ComboBox5 = makeList(SettingId::PriorityChannel);
    c.ComboBox8 = makeList(SettingId::PriorityPeriod);

    c.GroupBox1 = frame("GroupBox1");
    auto* p = formGrid(c.GroupBox1);
    addRow(p, QStringLiteral("Приоритетный канал:"), c.ComboBox5);
    addRow(p, QStringLiteral("Период сканирования приоритетного канала, с:"), c.ComboBox8);

    auto* v = pageLayout(page);
    v->addWidget(scan);
    v->addWidget(c.CheckBox3);
    v->addWidget(c.GroupBox1);
    v->addStretch(1);
}

// A check box with the frame it shows and hides below it.
QVBoxLayout* boxAboveFrame(QWidget* box, QWidget* frame) {
    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    column->addWidget(box);
    column->addWidget(frame);
    column->addStretch(1);
    return column;
}

void buildTonePage(SettingsControls& c) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    c.TabSheet4 = page;

    c.CheckBox2 = new QCheckBox(QStringLiteral("Тональные сигналы"));
    c.CheckBox2->setObjectName(QStringLiteral("CheckBox2"));

    c.GroupBox3 = frame("GroupBox3");
    c.ComboBox14 = makeList(SettingId::ToneCount);
    c.ComboBox15 = makeList(SettingId::ToneDuration);
    auto* t = formGrid(c.GroupBox3);
    addRow(t, QStringLiteral("Количество тон-сигналов ПРД:"), c.ComboBox14);
    addRow(t, QStringLiteral("Длительность тон-сигналов ПРД, c:"), c.ComboBox15);
    for (int k = 0; k < 5; ++k) {
        auto* spin = new ToneSpinEdit;
        spin->setObjectName(QStringLiteral("SpinEdit%1").arg(k + 1));
        auto* label = captionFor(QStringLiteral("Частота ТОН%1, Гц:").arg(k + 1), spin);
        label->setObjectName(QStringLiteral("Label%1").arg(k + 7));
        const int row = t->rowCount();
        t->addWidget(label, row, 0);
        t->addWidget(spin, row, 1, Qt::AlignRight);
        c.toneSpin[k] = spin;
        c.toneLabel[k] = label;
        if (k > 0) {
            spin->hide();
            label->hide();
        }
    }
    c.GroupBox3->hide();

    c.CheckBox1 = new QCheckBox(QStringLiteral("Дежурный прием"));
    c.CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    c.GroupBox6 = frame("GroupBox6");
    c.SpinEdit6 = new ToneSpinEdit;
    c.SpinEdit6->setObjectName(QStringLiteral("SpinEdit6"));
    c.ComboBox16 = makeList(SettingId::AudioHold);
    auto* s = formGrid(c.GroupBox6);
    addRow(s, QStringLiteral("Частота тон-сигнала ПРМ, Гц:"), c.SpinEdit6);
    addRow(s, QStringLiteral("Время работы УНЧ после према тон-сигнала ПРМ, с:"), c.ComboBox16);
    c.GroupBox6->hide();

    auto* h = new QHBoxLayout(page);
    h->setContentsMargins(10, 10, 10, 10);
    h->setSpacing(12);
    h->addLayout(boxAboveFrame(c.CheckBox2, c.GroupBox3), 1);
    h->addLayout(boxAboveFrame(c.CheckBox1, c.GroupBox6), 1);
}

void chainTabOrder(const std::vector<QWidget*>& order) {
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace

std::vector<QWidget*> SettingsControls::pageOrder(const QWidget* page) const {
    if (page == TabSheet2)
        return {ComboBox17, ComboBox10, ComboBox12, ComboBox13,
                ComboBox1,  ComboBox2,  ComboBox3,  ComboBox4};
    if (page == TabSheet3)
        return {ComboBox6, ComboBox7, ComboBox11, CheckBox3, ComboBox5, ComboBox8};
    if (page == TabSheet4)
        return {CheckBox2,   ComboBox14,  ComboBox15, toneSpin[0], toneSpin[1], toneSpin[2],
                toneSpin[3], toneSpin[4], CheckBox1,  SpinEdit6,   ComboBox16};
    return {};
}

std::vector<QComboBox*> SettingsControls::lists() const {
    return {ComboBox1,  ComboBox2,  ComboBox3,  ComboBox4,  ComboBox5,  ComboBox6,
            ComboBox7,  ComboBox8,  ComboBox10, ComboBox11, ComboBox12, ComboBox13,
            ComboBox14, ComboBox15, ComboBox16, ComboBox17};
}

void buildSettingsPages(SettingsControls& c) {
    buildMainPage(c);
    buildScanPage(c);
    buildTonePage(c);
    for (QWidget* page : {c.TabSheet2, c.TabSheet3, c.TabSheet4})
        chainTabOrder(c.pageOrder(page));
}

} // namespace ksv
