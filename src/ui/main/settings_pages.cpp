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
#include <initializer_list>

namespace ksv {

namespace {

// The object name of the list that shows each setting.
const char* listName(SettingId id) {
    using I = SettingId;
    switch (id) {
    case I::ShpListen:
        return "shpListenList";
    case I::TxLimit:
        return "txLimitList";
    case I::SubtoneCancel:
        return "subtoneCancelList";
    case I::PowerLevels:
        return "powerLevelsList";
    case I::Group1First:
        return "group1FirstList";
    case I::Group1Last:
        return "group1LastList";
    case I::Group2First:
        return "group2FirstList";
    case I::Group2Last:
        return "group2LastList";
    case I::ResumeDelay:
        return "resumeDelayList";
    case I::CarrierTime:
        return "carrierTimeList";
    case I::ScanTransmit:
        return "scanTransmitList";
    case I::PriorityChannel:
        return "priorityChannelList";
    case I::PriorityPeriod:
        return "priorityPeriodList";
    case I::ToneCount:
        return "toneCountList";
    case I::ToneDuration:
        return "toneDurationList";
    case I::AudioHold:
        return "audioHoldList";
    case I::Scrambler:
        return "scramblerList";
    }
    return "";
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
    page->setObjectName(QStringLiteral("mainSettingsPage"));
    c.mainPage = page;

    QComboBox* shp = c.makeList(SettingId::ShpListen);
    QComboBox* txLimit = c.makeList(SettingId::TxLimit);
    QComboBox* subtoneCancel = c.makeList(SettingId::SubtoneCancel);
    QComboBox* power = c.makeList(SettingId::PowerLevels);

    auto* general = frame("generalFrame");
    auto* g = formGrid(general);
    addRow(g, QStringLiteral("Прослушивание канала кнопкой \"ШП\":"), shp);
    addRow(g, QStringLiteral("Время непрерывной работы передатчика, с:"), txLimit);
    addRow(g, QStringLiteral("Отмена запрета передачи на занятом канале при совпадении субтона:"),
           subtoneCancel);
    addRow(g, QStringLiteral("Уровни выходной мощности передатчика, Вт:"), power);

    QComboBox* first1 = c.makeList(SettingId::Group1First);
    QComboBox* last1 = c.makeList(SettingId::Group1Last);
    QComboBox* first2 = c.makeList(SettingId::Group2First);
    QComboBox* last2 = c.makeList(SettingId::Group2Last);

    auto* groups = frame("groupsFrame");
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
    addGroup(0, QStringLiteral("Группа каналов 1: с"), first1, last1);
    addGroup(1, QStringLiteral("Группа каналов 2: с"), first2, last2);
    gg->setColumnStretch(4, 1);

    auto* v = pageLayout(page);
    v->addWidget(general);
    v->addWidget(groups);
    v->addStretch(1);
}

void buildScanPage(SettingsControls& c) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("scanPage"));
    c.scanPage = page;

    QComboBox* resume = c.makeList(SettingId::ResumeDelay);
    QComboBox* carrier = c.makeList(SettingId::CarrierTime);
    QComboBox* scanTransmit = c.makeList(SettingId::ScanTransmit);

    auto* scan = frame("scanFrame");
    auto* g = formGrid(scan);
    addRow(g, QStringLiteral("Задержка для возобновления сканирования, с:"), resume);
    addRow(g, QStringLiteral("Время анализа несущей на канале в режиме сканирования, мс:"),
           carrier);
    addRow(g, QStringLiteral("Выход в режим \"Передача\" из режима сканирования:"), scanTransmit);

    c.priorityScan = new QCheckBox(QStringLiteral("Сканирование приоритетного канала"));
    c.priorityScan->setObjectName(QStringLiteral("priorityScanBox"));
    c.priorityScan->setChecked(true);

    QComboBox* priority = c.makeList(SettingId::PriorityChannel);
    QComboBox* period = c.makeList(SettingId::PriorityPeriod);

    c.priorityFrame = frame("priorityFrame");
    auto* p = formGrid(c.priorityFrame);
    addRow(p, QStringLiteral("Приоритетный канал:"), priority);
    addRow(p, QStringLiteral("Период сканирования приоритетного канала, с:"), period);

    auto* v = pageLayout(page);
    v->addWidget(scan);
    v->addWidget(c.priorityScan);
    v->addWidget(c.priorityFrame);
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
    page->setObjectName(QStringLiteral("tonePage"));
    c.tonePage = page;

    c.toneSignalling = new QCheckBox(QStringLiteral("Тональные сигналы"));
    c.toneSignalling->setObjectName(QStringLiteral("toneSignallingBox"));

    c.toneFrame = frame("toneFrame");
    QComboBox* count = c.makeList(SettingId::ToneCount);
    QComboBox* duration = c.makeList(SettingId::ToneDuration);
    auto* t = formGrid(c.toneFrame);
    addRow(t, QStringLiteral("Количество тон-сигналов ПРД:"), count);
    addRow(t, QStringLiteral("Длительность тон-сигналов ПРД, c:"), duration);
    for (int k = 0; k < 5; ++k) {
        auto* spin = new ToneSpinEdit;
        spin->setObjectName(QStringLiteral("toneSpin%1").arg(k + 1));
        auto* label = captionFor(QStringLiteral("Частота ТОН%1, Гц:").arg(k + 1), spin);
        label->setObjectName(QStringLiteral("toneLabel%1").arg(k + 1));
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
    c.toneFrame->hide();

    c.standby = new QCheckBox(QStringLiteral("Дежурный прием"));
    c.standby->setObjectName(QStringLiteral("standbyBox"));

    c.standbyFrame = frame("standbyFrame");
    c.rxTone = new ToneSpinEdit;
    c.rxTone->setObjectName(QStringLiteral("rxToneSpin"));
    QComboBox* hold = c.makeList(SettingId::AudioHold);
    auto* s = formGrid(c.standbyFrame);
    addRow(s, QStringLiteral("Частота тон-сигнала ПРМ, Гц:"), c.rxTone);
    addRow(s, QStringLiteral("Время работы УНЧ после према тон-сигнала ПРМ, с:"), hold);
    c.standbyFrame->hide();

    auto* h = new QHBoxLayout(page);
    h->setContentsMargins(10, 10, 10, 10);
    h->setSpacing(12);
    h->addLayout(boxAboveFrame(c.toneSignalling, c.toneFrame), 1);
    h->addLayout(boxAboveFrame(c.standby, c.standbyFrame), 1);
}

void chainTabOrder(const std::vector<QWidget*>& order) {
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace

QComboBox* SettingsControls::makeList(SettingId id, RadioType items) {
    const ListSetting& s = setting(id);
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(listName(id)));
    for (const std::string& text : s.texts(items))
        box->addItem(QString::fromStdString(text));
    box->setCurrentIndex(s.initial);
    box->setEditable(false);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMaxVisibleItems(12);
    lists_.emplace_back(id, box);
    return box;
}

QComboBox* SettingsControls::list(SettingId id) const {
    for (const auto& [setting, box] : lists_)
        if (setting == id)
            return box;
    return nullptr;
}

std::vector<QWidget*> SettingsControls::pageOrder(const QWidget* page) const {
    using I = SettingId;
    const auto listsOf = [this](std::initializer_list<SettingId> ids) {
        std::vector<QWidget*> v;
        for (SettingId id : ids)
            v.push_back(list(id));
        return v;
    };
    if (page == mainPage)
        return listsOf({I::ShpListen, I::TxLimit, I::SubtoneCancel, I::PowerLevels, I::Group1First,
                        I::Group1Last, I::Group2First, I::Group2Last});
    if (page == scanPage) {
        std::vector<QWidget*> v = listsOf({I::ResumeDelay, I::CarrierTime, I::ScanTransmit});
        v.push_back(priorityScan);
        v.push_back(list(I::PriorityChannel));
        v.push_back(list(I::PriorityPeriod));
        return v;
    }
    if (page == tonePage) {
        std::vector<QWidget*> v{toneSignalling, list(I::ToneCount), list(I::ToneDuration)};
        v.insert(v.end(), toneSpin.begin(), toneSpin.end());
        v.insert(v.end(), {standby, rxTone, list(I::AudioHold)});
        return v;
    }
    return {};
}

void buildSettingsPages(SettingsControls& c) {
    buildMainPage(c);
    buildScanPage(c);
    buildTonePage(c);
    for (QWidget* page : {c.mainPage, c.scanPage, c.tonePage})
        chainTabOrder(c.pageOrder(page));
}

} // namespace ksv
