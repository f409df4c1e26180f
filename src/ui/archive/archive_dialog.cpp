#include "ui/archive/archive_dialog.h"

#include "files/ust_file.h"
#include "formats/image_diff.h"
#include "ui/archive/archive_models.h"
#include "ui/dialogs/desktop.h"
#include "ui/dialogs/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace ksv {
namespace {

// stretchLast: the last column takes the rest of the width.
QTableView* table(const char* name, QAbstractItemModel* model, bool stretchLast, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(stretchLast);
    view->setWordWrap(false);
    return view;
}

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

int chosenRow(const QTableView* view) {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

} // namespace

ArchiveDialog::ArchiveDialog(const StateArchive& archive, ArchiveWindowHost host, QWidget* parent)
    : QDialog(parent), archive_(archive), host_(std::move(host)) {
    setObjectName(QStringLiteral("ArchiveDialog"));
    setWindowTitle(QStringLiteral("Архив радиостанций"));
    setModal(true);
    buildLists();
    buildButtons();
    resize(860, 620);
    reload();
}

ArchiveDialog::~ArchiveDialog() = default;

void ArchiveDialog::buildLists() {
    auto* layout = new QVBoxLayout(this);
    auto* where = new QLabel(
        QStringLiteral("Папка архива: ") + QDir::toNativeSeparators(archive_.root()), this);
    where->setObjectName(QStringLiteral("ArchiveFolder"));
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("NumberFilter"));
    filter_->setPlaceholderText(QStringLiteral("цифры заводского номера"));
    filter_->setClearButtonEnabled(true);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(QStringLiteral("Зав. №:"), this));
    filterRow->addWidget(filter_, 1);
    setsModel_ = new ArchivedSetsModel(this);
    statesModel_ = new KeptStatesModel(this);
    sets_ = table("SetsList", setsModel_, false, this);
    states_ = table("StatesList", statesModel_, true, this);
    differencesLabel_ = new QLabel(this);
    differencesLabel_->setObjectName(QStringLiteral("DifferencesTitle"));
    differences_ = new QListWidget(this);
    differences_->setObjectName(QStringLiteral("Differences"));
    auto* lower = new QWidget(this);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(differencesLabel_);
    lowerLayout->addWidget(differences_);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(sets_);
    split->addWidget(states_);
    split->addWidget(lower);
    layout->addWidget(where);
    layout->addLayout(filterRow);
    layout->addWidget(split, 1);
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        setsModel_->setFilter(text);
        if (setsModel_->rowCount() == 1)
            sets_->selectRow(0);
        showStatesOfChosenSet();
    });
    connect(sets_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { showStatesOfChosenSet(); });
    connect(states_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateButtons(); });
    connect(states_, &QTableView::doubleClicked, this, [this] { openChosen(); });
}

void ArchiveDialog::buildButtons() {
    openButton_ = button("OpenStateButton", QStringLiteral("Открыть"), this);
    compareButton_ = button("CompareStateButton", QStringLiteral("Сравнить с окном"), this);
    folderButton_ = button("ShowInFolderButton", QStringLiteral("Показать в папке"), this);
    auto* close = button("CloseButton", QStringLiteral("Закрыть"), this);
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {openButton_, compareButton_, folderButton_})
        row->addWidget(b);
    row->addStretch(1);
    row->addWidget(close);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(openButton_, &QPushButton::clicked, this, [this] { openChosen(); });
    connect(compareButton_, &QPushButton::clicked, this, [this] { compareChosen(); });
    connect(folderButton_, &QPushButton::clicked, this, [this] { showChosenInFolder(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void ArchiveDialog::reload() {
    setsModel_->setSets(archive_.sets());
    setsModel_->setFilter(filter_->text());
    sets_->resizeColumnsToContents();
    showStatesOfChosenSet();
}

void ArchiveDialog::chooseNumber(const QString& number) {
    for (int row = 0; row < setsModel_->rowCount(); ++row)
        if (setsModel_->setAt(row)->number == number) {
            sets_->selectRow(row);
            sets_->scrollTo(setsModel_->index(row, 0));
            return;
        }
}

void ArchiveDialog::showStatesOfChosenSet() {
    const ArchivedSet* set = setsModel_->setAt(chosenRow(sets_));
    statesModel_->setStates(set ? archive_.states(set->number) : std::vector<KeptState>{});
    if (set) {
        states_->resizeColumnToContents(KeptStatesModel::Time);
        states_->resizeColumnToContents(KeptStatesModel::Model);
        states_->selectRow(0);
    }
    differences_->clear();
    differencesLabel_->clear();
    updateButtons();
}

const KeptState* ArchiveDialog::chosenState() const {
    return statesModel_->stateAt(chosenRow(states_));
}

void ArchiveDialog::updateButtons() {
    const bool chosen = chosenState() != nullptr;
    for (QPushButton* b : {openButton_, compareButton_, folderButton_})
        b->setEnabled(chosen);
}

void ArchiveDialog::openChosen() {
    if (const KeptState* s = chosenState()) {
        host_.open(s->path);
        accept();
    }
}

void ArchiveDialog::compareChosen() {
    const KeptState* s = chosenState();
    if (!s)
        return;
    Image state;
    if (const UstReadResult r = ReadUSTFile(s->path, state); !r.ok()) {
        messenger().error(readFailureMessage(r, QDir::toNativeSeparators(s->path)));
        return;
    }
    const auto changes = formats::compareImages(state, host_.windowImage());
    differences_->clear();
    for (const formats::FieldChange& c : changes)
        differences_->addItem(QString::fromStdString(formats::formatChange(c)));
    differencesLabel_->setText(
        changes.empty()
            ? QStringLiteral("Состояние %1 совпадает с установками окна").arg(s->time)
            : QStringLiteral("Отличия (состояние %1 → окно): %2").arg(s->time).arg(changes.size()));
}

void ArchiveDialog::showChosenInFolder() {
    if (const KeptState* s = chosenState())
        desktop().openFolder(QFileInfo(s->path).absolutePath());
}

} // namespace ksv
