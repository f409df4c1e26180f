#include "operations/fleet_session.h"

#include "files/file_names.h"
#include "files/shown_path.h"
#include "image/codecs.h"
#include "operations/fleet_files.h"
#include "operations/outcome_words.h"
#include "print/card_from_image.h"
#include "print/card_printing.h"
#include "serial/os/file_system.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace ksv {
namespace {

std::string sha256Hex(const Image& image) {
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()),
                           static_cast<qsizetype>(kImageSize));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

QString folderError(const QString& dir) {
    return QStringLiteral("Папка %1 не создана").arg(shownPath(dir));
}

// The factory number of a set whose number was never entered.
const std::string kBlankNumber = "000000";

QString modelOf(const Image& image) {
    return QString::fromUtf8(modelName(RsType(image)));
}

} // namespace

QString fleetPortLabel(const QString& name, const std::string& device, bool comName) {
    const QString d = QString::fromStdString(device);
    if (!comName)
        return d;
    if (d.isEmpty() || d.compare(name, Qt::CaseInsensitive) == 0 ||
        d.compare(QStringLiteral("\\\\.\\") + name, Qt::CaseInsensitive) == 0)
        return name;
    return QStringLiteral("%1 (%2)").arg(name, d);
}

QString typeMismatch(const Image& asRead, const Image& file) {
    if (asRead.band() != file.band() || RsType(asRead) == RsType(file))
        return {};
    return QStringLiteral("тип радиостанции %1 не совпадает с типом файла %2")
        .arg(modelOf(asRead), modelOf(file));
}

FleetSession::FleetSession(const FleetPlan& plan, FleetView& view)
    : plan_(plan), view_(view), fileHash_(sha256Hex(plan.file)) {}

FleetSession::~FleetSession() = default;

QString FleetSession::prepare() {
    for (const QString& dir : {plan_.backupDir, plan_.cardsDir})
        if (!dir.isEmpty() && !os::makeFolders(nameForSystem(dir)))
            return folderError(dir);
    if (plan_.archive)
        if (const os::FileResult r = os::makeFolders(nameForSystem(plan_.archive->root())); !r.ok)
            return notKeptText(QString::fromStdString(r.reason));
    if (plan_.logPath.isEmpty())
        return {};
    QString why = fleetLogRefusal(plan_.logPath, plan_.filePath);
    if (why.isEmpty()) {
        log_ = std::make_unique<FleetLog>(fleetLogColumns(plan_.hashColumn.toStdString()));
        if (log_->open(plan_.logPath, why))
            return {};
        log_.reset();
    }
    return QStringLiteral("Журнал %1 не открыт: %2").arg(shownPath(plan_.logPath), why);
}

bool FleetSession::acceptSet(int, const Image& asRead, QString& refusal) {
    lastBackup_.clear();
    if (!plan_.anyType)
        if (refusal = typeMismatch(asRead, plan_.file); !refusal.isEmpty())
            return false;
    if (plan_.backupDir.isEmpty())
        return true;
    const QString path = saveBackup(plan_.backupDir, asRead, QDateTime::currentDateTime(), refusal);
    if (path.isEmpty())
        return false;
    lastBackup_ = path;
    view_.backupSaved(path);
    return true;
}

bool FleetSession::recordSet(int number, const FleetSetReport& report) {
    FleetSetRecord record;
    record.number = number;
    record.report = report;
    record.backupPath = lastBackup_;
    lastBackup_.clear();
    if (report.read) {
        nameOriginals(record);
        if (report.keptBefore.failed())
            record.notes << readNotKeptText(report.keptBefore.reason);
        if (report.numberSeenBefore)
            record.notes << QStringLiteral("зав. № уже встречался в этом сеансе");
        if (report.cutOffBefore)
            record.notes << QStringLiteral("повторное подключение после прерванной записи");
    }
    if (report.result == FleetResult::WriteCutOff)
        record.notes << QStringLiteral("подключите радиостанцию снова");
    if (report.result == FleetResult::Written || report.result == FleetResult::AlreadyWritten)
        writeCard(record);
    writeLogRow(record); // a row not written now is kept for later: the run goes on
    view_.setRecorded(record);
    return true;
}

// A set's own state is exact; which earlier state was a set's original can
// be told only while one set of the run carries its factory number.
void FleetSession::nameOriginals(FleetSetRecord& record) {
    const FleetSetReport& r = record.report;
    const std::string zn = ZnTxt(r.asRead);
    record.keptPath = r.keptBefore.path.isEmpty() ? record.backupPath : r.keptBefore.path;
    if (!r.cutOffBefore)
        ++setsOfNumber_[zn];
    if (!record.keptPath.isEmpty())
        firstInRun_.emplace(zn, record.keptPath);
    if (zn == kBlankNumber || setsOfNumber_[zn] > 1) {
        record.sharedFolder =
            plan_.archive ? plan_.archive->setFolder(QString::fromStdString(zn)) : plan_.backupDir;
        return;
    }
    record.originalPath = firstInRun_.count(zn) ? firstInRun_[zn] : QString();
    if (plan_.archive)
        if (const auto first = plan_.archive->original(QString::fromStdString(zn));
            first && first->path != record.originalPath)
            record.firstStatePath = first->path;
}

// "<factory number>.pdf"; a second set of that number in this run gets
// "-2", "-3" ..., so that no card of the run replaces another.
QString FleetSession::cardPath(const Image& now) const {
    const QString stem =
        QDir::toNativeSeparators(QDir(plan_.cardsDir).filePath(QString::fromStdString(ZnTxt(now))));
    QString path = stem + QStringLiteral(".pdf");
    for (int n = 2; cardsWritten_.count(path); ++n)
        path = stem + QStringLiteral("-%1.pdf").arg(n);
    return path;
}

// The card of what the set holds now, named by its factory number, written
// like every other output: whole or not at all, never through a link.
void FleetSession::writeCard(FleetSetRecord& record) {
    if (plan_.cardsDir.isEmpty())
        return;
    const Image& now = record.report.asWritten;
    const QString path = cardPath(now);
    const QString fileField = plan_.filePath.isEmpty()
                                  ? QString()
                                  : shownPath(QFileInfo(plan_.filePath).absoluteFilePath());
    QString error;
    const QByteArray pdf = print::renderCardPdfData(
        print::cardFromImage(now, plan_.mode, fileField), print::CardLayout::TwoPages, &error);
    if (!pdf.isEmpty()) {
        const os::FileResult r = os::replaceFile(
            nameForSystem(path),
            std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
        if (r.ok) {
            record.cardPath = path;
            cardsWritten_.insert(path);
            return;
        }
        error = QStringLiteral("Файл %1 не записан: %2")
                    .arg(shownPath(path), QString::fromStdString(r.reason));
    }
    record.cardError = error;
    record.notes << QStringLiteral("карта не записана: ") + error;
    ++totals_.cardsFailed;
}

void FleetSession::writeLogRow(FleetSetRecord& record) {
    if (!log_)
        return;
    const FleetSetReport& r = record.report;
    const auto text = [&](const std::string& s) { return r.read ? s : std::string(); };
    const auto shown = [](const QString& s) { return shownName(s).toStdString(); };
    const std::vector<std::string> row = {
        isoLocalTime(QDateTime::currentDateTime()).toStdString(),
        plan_.portLabel.toStdString(),
        text(modelName(RsType(r.asRead))),
        text(ZnTxt(r.asRead)),
        text(VerTxt(r.asRead)),
        fleetResultText(r.result, r.reason).toStdString(),
        std::to_string(r.bytesWritten),
        shown(plan_.fileName),
        fileHash_,
        shown(record.notes.join(QStringLiteral(", "))),
    };
    QString error;
    if (!log_->append(row, error))
        record.logError =
            QStringLiteral("Журнал %1 пока не дописан: %2; строка будет дописана позже")
                .arg(shownPath(plan_.logPath), error);
}

void FleetSession::finishLog() {
    QString error;
    if (!log_ || log_->flush(error))
        return;
    totals_.logFailed = true;
    totals_.logError =
        QStringLiteral("Журнал %1 не дописан: %2").arg(shownPath(plan_.logPath), error);
    totals_.unwrittenRows = QString::fromStdString(log_->unwritten());
}

FleetTotals runFleetSession(FleetLine& line, FleetSession& session, const FleetOptions& options) {
    const FleetSummary summary = programFleet(line, session, session.view(), options);
    session.finishLog();
    FleetTotals totals = session.totals();
    totals.summary = summary;
    return totals;
}

} // namespace ksv
