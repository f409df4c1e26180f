#include "files/state_archive.h"

#include "files/file_names.h"
#include "image/codecs.h"
#include "serial/os/file_system.h"

#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>
#include <string_view>

namespace ksv {
namespace {

constexpr int kSequenceWidth = 4;
constexpr int kMaxAttempts = 1000;
constexpr int kMaxNumberDigits = 7; // 20 bits: up to 1048575
// "_2026-03-14_15-02-07_": the date and time between the order and the model.
constexpr qsizetype kDateLength = 10;
constexpr qsizetype kTimeLength = 8;

bool allDigits(QStringView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

// "0001_2026-03-14_15-02-07_Тарвен-52.ust" -> its state; nullopt for any
// other name (a temporary file, something put there by hand).
std::optional<KeptState> parseName(const QString& folder, const QString& name) {
    const QString suffix = QStringLiteral(".ust");
    const qsizetype order = name.indexOf('_');
    const qsizetype date = order + 1;
    const qsizetype time = date + kDateLength + 1;
    const qsizetype model = time + kTimeLength + 1;
    if (order <= 0 || !name.endsWith(suffix) || name.size() <= model + suffix.size() ||
        name[time - 1] != '_' || name[model - 1] != '_')
        return std::nullopt;
    const QStringView sequence = QStringView(name).left(order);
    if (!allDigits(sequence) || sequence.size() > 9)
        return std::nullopt;
    KeptState s;
    s.path = folder + '/' + name;
    s.sequence = sequence.toInt();
    QString clock = name.mid(time, kTimeLength);
    clock.replace('-', ':');
    s.time = name.mid(date, kDateLength) + ' ' + clock;
    s.model = name.mid(model, name.size() - model - suffix.size());
    return s.sequence > 0 ? std::optional<KeptState>(s) : std::nullopt;
}

// The states of one folder, in no particular order.
std::vector<KeptState> scan(const QString& folder) {
    std::vector<KeptState> out;
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::NoSort);
    out.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names)
        if (auto s = parseName(folder, name))
            out.push_back(std::move(*s));
    return out;
}

QString fileName(int sequence, const QDateTime& when, const QString& model) {
    return QStringLiteral("%1_%2_%3.ust")
        .arg(sequence, kSequenceWidth, 10, QLatin1Char('0'))
        .arg(when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")), model);
}

bool holds(const QString& path, const Image& image) {
    const os::FilePrefix file = os::readFilePrefix(nameForSystem(path), kImageSize + 1);
    return file.status == os::FilePrefix::Ok && file.bytes.size() == kImageSize &&
           std::memcmp(file.bytes.data(), image.data(), kImageSize) == 0;
}

KeepResult failure(const QString& reason) {
    KeepResult r;
    r.status = KeepResult::Failed;
    r.reason = reason;
    return r;
}

} // namespace

StateArchive::StateArchive(QString root) : root_(std::move(root)) {}

QString StateArchive::setFolder(const QString& number) const {
    return QDir(root_).filePath(number);
}

KeepResult StateArchive::keep(const Image& image, const QDateTime& when) const {
    const QString folder = setFolder(QString::fromStdString(ZnTxt(image)));
    const QString model = QString::fromUtf8(modelName(RsType(image)));
    if (const os::FileResult made = os::makeFolders(nameForSystem(folder)); !made.ok)
        return failure(QString::fromStdString(made.reason));
    int last = 0;
    std::optional<KeptState> newest;
    for (KeptState& s : scan(folder)) {
        last = std::max(last, s.sequence);
        if (s.model == model && (!newest || s.sequence > newest->sequence))
            newest = std::move(s);
    }
    if (newest && holds(newest->path, image))
        return {KeepResult::Unchanged, newest->path, {}, false};
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), kImageSize);
    // A name taken meanwhile (another program keeping into a shared folder)
    // moves this state one place on.
    for (int n = last + 1; n <= last + kMaxAttempts; ++n) {
        const QString path = folder + '/' + fileName(n, when, model);
        bool taken = false;
        const os::FileResult r = os::createFile(nameForSystem(path), bytes, &taken, true);
        if (r.ok)
            return {KeepResult::Kept, path, {}, n == 1};
        if (!taken)
            return failure(QStringLiteral("%1 (%2)").arg(QString::fromStdString(r.reason),
                                                         QDir::toNativeSeparators(folder)));
    }
    return failure(
        QStringLiteral("имена файлов заняты (%1)").arg(QDir::toNativeSeparators(folder)));
}

std::vector<ArchivedSet> StateArchive::sets() const {
    std::vector<ArchivedSet> out;
    QStringList numbers = QDir(root_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& number : numbers) {
        if (!allDigits(number) || number.size() > kMaxNumberDigits)
            continue;
        const std::vector<KeptState> states = scan(setFolder(number));
        if (states.empty())
            continue;
        const auto [first, last] = std::minmax_element(
            states.begin(), states.end(),
            [](const KeptState& a, const KeptState& b) { return a.sequence < b.sequence; });
        out.push_back({number, last->model, first->time, last->time, int(states.size())});
    }
    // "000042" before "1000000": by value, as the names differ in length.
    std::stable_sort(out.begin(), out.end(), [](const ArchivedSet& a, const ArchivedSet& b) {
        return a.number.size() != b.number.size() ? a.number.size() < b.number.size()
                                                  : a.number < b.number;
    });
    return out;
}

std::vector<KeptState> StateArchive::states(const QString& number) const {
    std::vector<KeptState> out = scan(setFolder(number));
    std::sort(out.begin(), out.end(),
              [](const KeptState& a, const KeptState& b) { return a.sequence > b.sequence; });
    if (!out.empty())
        out.back().original = true;
    return out;
}

std::optional<KeptState> StateArchive::original(const QString& number) const {
    std::vector<KeptState> all = states(number);
    if (all.empty())
        return std::nullopt;
    return all.back();
}

QString archiveNumber(const QString& typed) {
    const QString t = typed.trimmed();
    if (!allDigits(t) || t.size() > kMaxNumberDigits)
        return {};
    const uint value = t.toUInt();
    if (value > 0xFFFFF)
        return {};
    return QStringLiteral("%1").arg(value, 6, 10, QLatin1Char('0'));
}

QString documentsFolder() {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return docs.isEmpty() ? QDir::homePath() : docs;
}

QString defaultArchiveRoot() {
    const QString chosen = qEnvironmentVariable("KSV717N_ARCHIVE");
    if (!chosen.isEmpty())
        return QDir::fromNativeSeparators(chosen);
    return QDir(documentsFolder()).filePath(QStringLiteral("KSV717N/Архив"));
}

} // namespace ksv
