#include "ui/series/series_dialog.h"

#include "files/state_archive.h"
#include "link/exchange_view_swap.h"
#include "operations/fleet_port_line.h"
#include "operations/outcome_words.h"
#include "ui/dialogs/desktop.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/messages.h"
#include "ui/series/series_table.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

namespace ksv {
namespace {

constexpr int kProgressMax = 256;

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

SeriesDialog::SeriesDialog(const SeriesSource& source, PortExchange& exchange, FileDialogs& dialogs,
                           QWidget* parent)
    : QDialog(parent), source_(source), exchange_(exchange), dialogs_(dialogs) {
    setObjectName(QStringLiteral("SeriesDialog"));
    setWindowTitle(QStringLiteral("Запись серии"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    buildSettings(layout);
    buildProgress(layout);
    buildButtons(layout);
    resize(900, 600);
    exchangeView_.onStart = [this](ExchangeKind kind) { exchangeStarting(kind); };
    exchangeView_.onProgress = [this](int value) {
        progress_->setValue(std::clamp(value, 0, kProgressMax));
    };
}

SeriesDialog::~SeriesDialog() = default;

void SeriesDialog::buildSettings(QVBoxLayout* layout) {
    auto* form = new QFormLayout;
    auto* what = new QLabel(seriesSourceText(source_), this);
    what->setObjectName(QStringLiteral("SeriesSource"));
    what->setToolTip(QStringLiteral("Заводской номер каждой радиостанции остаётся её собственным"));
    form->addRow(QStringLiteral("Записываются установки:"), what);
    folderEdit_ = new QLineEdit(QDir::toNativeSeparators(proposedSeriesFolder(
                                    documentsFolder(), QDateTime::currentDateTime())),
                                this);
    folderEdit_->setObjectName(QStringLiteral("SeriesFolder"));
    folderEdit_->setToolTip(
        QStringLiteral("Журнал журнал.csv, копии исходных установок (копии) и карты (карты)"));
    folderButton_ = button("ChooseFolder", QStringLiteral("Выбрать..."), this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderEdit_, 1);
    folderRow->addWidget(folderButton_);
    form->addRow(QStringLiteral("Папка серии:"), folderRow);
    layout->addLayout(form);
    cardsBox_ = new QCheckBox(QStringLiteral("Карты программирования (PDF)"), this);
    cardsBox_->setObjectName(QStringLiteral("CardsBox"));
    beepBox_ = new QCheckBox(QStringLiteral("Звуковой сигнал после каждой радиостанции"), this);
    beepBox_->setObjectName(QStringLiteral("BeepBox"));
    beepBox_->setChecked(true);
    layout->addWidget(cardsBox_);
    layout->addWidget(beepBox_);
}

void SeriesDialog::buildProgress(QVBoxLayout* layout) {
    status_ = new QLabel(QStringLiteral("Нажмите «Начать»"), this);
    status_->setObjectName(QStringLiteral("SeriesStatus"));
    QFont big = status_->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    status_->setFont(big);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("SetHeading"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("SeriesProgress"));
    progress_->setRange(0, kProgressMax);
    progress_->setValue(0);
    progress_->setFormat(QStringLiteral("%p%"));
    table_ = new SeriesTable(this);
    countsLabel_ = new QLabel(this);
    countsLabel_->setObjectName(QStringLiteral("SeriesCounts"));
    countsLabel_->setWordWrap(true);
    countsLabel_->setText(seriesCountsText(counts_, cardsFailed_, false));
    for (QWidget* w : {static_cast<QWidget*>(status_), static_cast<QWidget*>(heading_),
                       static_cast<QWidget*>(progress_), static_cast<QWidget*>(table_),
                       static_cast<QWidget*>(countsLabel_)})
        layout->addWidget(w, w == table_ ? 1 : 0);
}

void SeriesDialog::buildButtons(QVBoxLayout* layout) {
    startButton_ = button("StartButton", QStringLiteral("Начать"), this);
    startButton_->setDefault(true);
    openButton_ = button("OpenFolderButton", QStringLiteral("Открыть папку"), this);
    openButton_->setEnabled(false);
    closeButton_ = button("CloseButton", QStringLiteral("Закрыть"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(startButton_);
    row->addWidget(openButton_);
    row->addStretch(1);
    row->addWidget(closeButton_);
    layout->addLayout(row);
    connectButtons();
}

void SeriesDialog::connectButtons() {
    // Queued: the series runs from the window's event loop, not inside the
    // button's click, so a click on «Остановить» arrives as an event of its own.
    connect(
        startButton_, &QPushButton::clicked, this, [this] { startOrStop(); }, Qt::QueuedConnection);
    connect(closeButton_, &QPushButton::clicked, this, &SeriesDialog::reject);
    connect(folderButton_, &QPushButton::clicked, this, [this] { chooseFolder(); });
    connect(openButton_, &QPushButton::clicked, this, [this] { desktop().openFolder(folder()); });
    connect(cardsBox_, &QCheckBox::toggled, this, [this](bool on) {
        countsLabel_->setText(seriesCountsText(counts_, cardsFailed_, on));
    });
}

QString SeriesDialog::folder() const {
    const QString text = folderEdit_->text().trimmed();
    return text.isEmpty() ? QString() : QDir::cleanPath(QDir::fromNativeSeparators(text));
}

void SeriesDialog::chooseFolder() {
    const QString chosen = dialogs_.folderName(this, folder());
    if (!chosen.isEmpty())
        folderEdit_->setText(QDir::toNativeSeparators(chosen));
}

void SeriesDialog::reject() {
    if (!running_) {
        QDialog::reject();
        return;
    }
    closeWhenStopped_ = true;
    requestStop();
}

void SeriesDialog::startOrStop() {
    if (running_) {
        // The second click of a double click on «Начать» stops nothing.
        if (started_.elapsed() >= QApplication::doubleClickInterval())
            requestStop();
        return;
    }
    if (session_ || openSession())
        runSeries();
}

// The folders and the log are made before anything is written into a set;
// the series keeps them for every later start in this window.
bool SeriesDialog::openSession() {
    if (folder().isEmpty()) {
        messenger().error(QStringLiteral("Не задана папка серии"));
        return false;
    }
    FleetView& view = *this;
    auto session =
        std::make_unique<FleetSession>(seriesPlan(source_, folder(), cardsBox_->isChecked()), view);
    if (const QString error = session->prepare(); !error.isEmpty()) {
        messenger().error(error);
        return false;
    }
    session_ = std::move(session);
    return true;
}

void SeriesDialog::runSeries() {
    running_ = true;
    started_.start();
    stopRequested_ = false;
    showRunning(true);
    FleetTotals totals;
    {
        // The progress window of the main window stays hidden: this window
        // shows every exchange of the series.
        ExchangeViewSwap swap(exchange_, exchangeView_);
        PortFleetLine line(exchange_, source_.image, exchange_.timings().timerMs, source_.archive);
        FleetOptions options;
        options.stopRequested = [this] { return stopRequested_; };
        totals = runFleetSession(line, *session_, options);
    }
    running_ = false;
    rowsBefore_ = counts_.sets;
    showRunning(false);
    progress_->setValue(0);
    status_->setText(QStringLiteral("Серия остановлена"));
    if (totals.logFailed)
        messenger().error(totals.logError +
                          QStringLiteral(". Строки, которые в него не записаны:\n") +
                          totals.unwrittenRows);
    if (closeWhenStopped_)
        QDialog::reject();
}

void SeriesDialog::requestStop() {
    stopRequested_ = true;
    startButton_->setEnabled(false);
    status_->setText(QStringLiteral("Остановка после текущего шага…"));
}

void SeriesDialog::showRunning(bool on) {
    startButton_->setText(on ? QStringLiteral("Остановить") : QStringLiteral("Начать"));
    startButton_->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(folderEdit_), static_cast<QWidget*>(folderButton_),
                       static_cast<QWidget*>(cardsBox_)})
        w->setEnabled(!session_);
}

void SeriesDialog::exchangeStarting(ExchangeKind kind) {
    const bool write = kind == ExchangeKind::Write;
    if (!stopRequested_)
        status_->setText(write           ? QStringLiteral("Запись…")
                         : wroteThisSet_ ? QStringLiteral("Проверка…")
                                         : QStringLiteral("Чтение…"));
    wroteThisSet_ = wroteThisSet_ || write;
    progress_->setValue(0);
}

void SeriesDialog::waitingForSet() {
    wroteThisSet_ = false;
    heading_->clear();
    if (!stopRequested_)
        status_->setText(QStringLiteral("Подключите радиостанцию…"));
}

void SeriesDialog::setRead(int number, const Image& asRead) {
    heading_->setText(fleetSetHeading(rowsBefore_ + number, asRead));
}

void SeriesDialog::setRecorded(const FleetSetRecord& record) {
    ++counts_.counts[static_cast<std::size_t>(record.report.result)];
    ++counts_.sets;
    cardsFailed_ += record.cardError.isEmpty() ? 0 : 1;
    table_->addRecord(rowsBefore_ + record.number, record);
    countsLabel_->setText(seriesCountsText(counts_, cardsFailed_, cardsBox_->isChecked()));
    openButton_->setEnabled(true);
    if (beepBox_->isChecked())
        desktop().beep();
}

void SeriesDialog::waitingForRemoval() {
    if (!stopRequested_)
        status_->setText(QStringLiteral("Отключите радиостанцию…"));
}

} // namespace ksv
