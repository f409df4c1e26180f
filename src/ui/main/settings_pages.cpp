#include "ui/main/settings_pages.h"

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

QStringList numbers(int from, int to, int step = 1) {
    QStringList out;
    for (int v = from; v <= to; v += step)
        out << QString::number(v);
    return out;
}

QComboBox* makeList(const char* name, const QStringList& items, int initial) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    box->setCurrentIndex(initial);
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

    c.ComboBox17 = makeList("ComboBox17", {QStringLiteral("Нет"), QStringLiteral("Да")}, 1);
    QStringList limits{QStringLiteral("Не ограничено")};
    limits << numbers(5, 180, 5);
    c.ComboBox10 = makeList("ComboBox10", limits, 0);
    c.ComboBox12 = makeList("ComboBox12", {QStringLiteral("Нет"), QStringLiteral("Да")}, 1);
    c.ComboBox13 = makeList("ComboBox13", powerItemsVhf(), 0);

    auto* general = frame("GroupBox4");
    auto* g = formGrid(general);
    addRow(g, QStringLiteral("Прослушивание канала кнопкой \"ШП\":"), c.ComboBox17);
    addRow(g, QStringLiteral("Время непрерывной работы передатчика, с:"), c.ComboBox10);
    addRow(g, QStringLiteral("Отмена запрета передачи на занятом канале при совпадении субтона:"),
           c.ComboBox12);
    addRow(g, QStringLiteral("Уровни выходной мощности передатчика, Вт:"), c.ComboBox13);

    const QStringList channels = numbers(1, 40);
    c.ComboBox1 = makeList("ComboBox1", channels, 0);
    c.ComboBox2 = makeList("ComboBox2", channels, 39);
    c.ComboBox3 = makeList("ComboBox3", channels, 0);
    c.ComboBox4 = makeList("ComboBox4", channels, 39);

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

    c.ComboBox6 = makeList("ComboBox6", numbers(1, 15), 0);
    c.ComboBox7 = makeList("ComboBox7", numbers(100, 500, 10), 0);
    c.ComboBox11 = makeList("ComboBox11",
                            {QStringLiteral("Вариант 4"), QStringLiteral("Вариант 1"),
                             QStringLiteral("Вариант 2"), QStringLiteral("Вариант 3")},
                            1);

    auto* scan = frame("GroupBox2");
    auto* g = formGrid(scan);
    addRow(g, QStringLiteral("Задержка для возобновления сканирования, с:"), c.ComboBox6);
    addRow(g, QStringLiteral("Время анализа несущей на канале в режиме сканирования, мс:"),
           c.ComboBox7);
    addRow(g, QStringLiteral("Выход в режим \"Передача\" из режима сканирования:"), c.ComboBox11);

    c.CheckBox3 = new QCheckBox(QStringLiteral("Сканирование приоритетного канала"));
    c.CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    c.CheckBox3->setChecked(true);

    c.ComboBox5 = makeList("ComboBox5", numbers(1, 40), 0);
    QStringList periods;
    for (int i = 1; i <= 10; ++i)
        periods << QStringLiteral("%1,%2").arg(i / 2).arg(i % 2 ? 5 : 0);
    c.ComboBox8 = makeList("ComboBox8", periods, 0);

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

void buildTonePage(SettingsControls& c) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    c.TabSheet4 = page;

    c.CheckBox2 = new QCheckBox(QStringLiteral("Тональные сигналы"));
    c.CheckBox2->setObjectName(QStringLiteral("CheckBox2"));

    c.GroupBox3 = frame("GroupBox3");
    c.ComboBox14 = makeList("ComboBox14", numbers(1, 5), 0);
    c.ComboBox15 = makeList("ComboBox15", numbers(1, 20), 0);
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
    c.ComboBox16 = makeList("ComboBox16", numbers(1, 15), 0);
    auto* s = formGrid(c.GroupBox6);
    addRow(s, QStringLiteral("Частота тон-сигнала ПРМ, Гц:"), c.SpinEdit6);
    addRow(s, QStringLiteral("Время работы УНЧ после према тон-сигнала ПРМ, с:"), c.ComboBox16);
    c.GroupBox6->hide();

    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    left->addWidget(c.CheckBox2);
    left->addWidget(c.GroupBox3);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(c.CheckBox1);
    right->addWidget(c.GroupBox6);
    right->addStretch(1);

    auto* h = new QHBoxLayout(page);
    h->setContentsMargins(10, 10, 10, 10);
    h->setSpacing(12);
    h->addLayout(left, 1);
    h->addLayout(right, 1);
}

void chainTabOrder(const std::vector<QWidget*>& order) {
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace

const QStringList& powerItemsVhf() {
    static const QStringList items = {QStringLiteral("5-10-20 (Возимая)"),
                                      QStringLiteral("5-20-40 (Стационарная)")};
    return items;
}

const QStringList& powerItemsUhf() {
    static const QStringList items = {QStringLiteral("5-10-20 (Возимая)"),
                                      QStringLiteral("5-20-30 (Стационарная)")};
    return items;
}

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
