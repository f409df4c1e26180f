#include "ui/archive/radio_compare_dialog.h"

#include "formats/image_diff.h"
#include "image/codecs.h"
#include "operations/outcome_words.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ksv {
namespace {

QString modelOf(const Image& image) {
    return QString::fromUtf8(modelName(RsType(image)));
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

RadioCompareDialog::RadioCompareDialog(const WriteOutcome& dryRun, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("RadioCompareDialog"));
    setWindowTitle(QStringLiteral("Сравнение с радиостанцией"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("CompareHeading"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("CompareSummary"));
    summary_->setWordWrap(true);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("CompareNote"));
    note_->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("CompareList"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(
        {QStringLiteral("Поле"), QStringLiteral("В радиостанции"), QStringLiteral("В окне")});
    writeButton_ = new QPushButton(QStringLiteral("Записать"), this);
    writeButton_->setObjectName(QStringLiteral("WriteButton"));
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(writeButton_);
    row->addWidget(close);
    for (QWidget* w : {static_cast<QWidget*>(heading_), static_cast<QWidget*>(summary_),
                       static_cast<QWidget*>(note_), static_cast<QWidget*>(list_)})
        layout->addWidget(w, w == list_ ? 100 : 0);
    layout->addStretch(1); // takes the room of a list not shown
    layout->addLayout(row);
    connect(writeButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    fill(dryRun);
}

void RadioCompareDialog::fill(const WriteOutcome& o) {
    const Image& set = o.read.image;
    heading_->setText(QStringLiteral("Радиостанция: %1, зав. № %2, версия ПО %3")
                          .arg(modelOf(set), text(ZnTxt(set)), text(VerTxt(set))));
    QStringList notes;
    if (RsType(set) != RsType(o.image) && set.band() == o.image.band())
        notes << QStringLiteral("Модель радиостанции — %1, в окне — %2")
                     .arg(modelOf(set), modelOf(o.image));
    if (o.read.kept.failed())
        notes << readNotKeptText(o.read.kept.reason);
    note_->setText(notes.join('\n'));
    note_->setVisible(!notes.isEmpty());
    const bool listed = o.result == WriteResult::Stopped;
    if (listed) {
        for (const formats::FieldChange& c : formats::compareImages(set, o.plan.merged))
            list_->addTopLevelItem(
                new QTreeWidgetItem({text(c.subject), text(c.before), text(c.after)}));
        summary_->setText(QStringLiteral("Запись (F5) изменит полей: %1, байт: %2")
                              .arg(list_->topLevelItemCount())
                              .arg(o.plan.list.count));
    } else {
        summary_->setText(outcomeWords(o).text);
        QFont bold = summary_->font();
        bold.setBold(true);
        summary_->setFont(bold);
    }
    list_->setVisible(listed);
    writeButton_->setEnabled(listed);
    list_->header()->resizeSections(QHeaderView::ResizeToContents);
    resize(listed ? QSize(720, 480) : QSize(520, 180));
}

QString RadioCompareDialog::summary() const {
    return summary_->text();
}

QStringList RadioCompareDialog::changes() const {
    QStringList out;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        out << text(formats::formatChange({item->text(0).toStdString(), item->text(1).toStdString(),
                                           item->text(2).toStdString()}));
    }
    return out;
}

bool RadioCompareDialog::writeOffered() const {
    return writeButton_->isEnabled();
}

} // namespace ksv
