// archive: the states kept of every set, and the options of the commands
// that keep them.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "files/shown_path.h"
#include "operations/outcome_words.h"

#include <QDir>

namespace ksv::cli {
namespace {

void listSets(const StateArchive& archive, CliIo& io) {
    const std::vector<ArchivedSet> sets = archive.sets();
    if (sets.empty()) {
        io.out << QStringLiteral("Архив %1 пуст\n").arg(shownPath(archive.root()));
        return;
    }
    io.out << QStringLiteral("Архив %1\n").arg(shownPath(archive.root()));
    io.out << QStringLiteral("Зав. №   Модель      Первое состояние     Последнее состояние  "
                             "Состояний\n");
    for (const ArchivedSet& s : sets)
        io.out << QStringLiteral("%1  %2  %3  %4  %5\n")
                      .arg(s.number.leftJustified(7), s.model.leftJustified(10), s.firstTime,
                           s.lastTime)
                      .arg(s.states);
}

void listStates(const std::vector<KeptState>& states, CliIo& io) {
    for (const KeptState& s : states)
        io.out << QStringLiteral("%1  %2  %3%4\n")
                      .arg(s.time, s.model.leftJustified(10), shownPath(s.path),
                           s.original ? QStringLiteral("  (исходные)") : QString());
}

} // namespace

std::optional<ArchiveChoice> archiveOption(const Arguments& a, CliIo& io) {
    const auto dir = a.value(opt::archiveDir);
    if (a.flag(opt::noArchive)) {
        if (dir) {
            io.err << QStringLiteral("Задайте либо --archive-dir, либо --no-archive\n");
            return std::nullopt;
        }
        return ArchiveChoice{};
    }
    return ArchiveChoice{
        StateArchive(dir ? QDir::fromNativeSeparators(*dir) : defaultArchiveRoot())};
}

void reportKept(const KeepResult& kept, CliIo& io) {
    switch (kept.status) {
    case KeepResult::Off:
        return;
    case KeepResult::Kept:
        io.out << QStringLiteral("Состояние радиостанции сохранено в архиве: %1\n")
                      .arg(shownPath(kept.path));
        return;
    case KeepResult::Unchanged:
        io.out << QStringLiteral("Состояние радиостанции уже есть в архиве: %1\n")
                      .arg(shownPath(kept.path));
        return;
    case KeepResult::Failed:
        io.err << QStringLiteral("Внимание: ") << readNotKeptText(kept.reason) << "\n";
        return;
    }
}

int runArchive(const Arguments& a, CliIo& io) {
    const auto choice = archiveOption(a, io);
    if (!choice)
        return kExitRefused;
    const StateArchive& archive = *choice->archive;
    const bool originalOnly = a.flag(opt::original);
    if (a.positional.isEmpty()) {
        if (originalOnly) {
            io.err << QStringLiteral("Параметр --original: задайте заводской номер\n");
            return kExitRefused;
        }
        listSets(archive, io);
        return kExitOk;
    }
    const QString number = archiveNumber(a.positional[0]);
    if (number.isEmpty()) {
        io.err << QStringLiteral("\"%1\" — не заводской номер (от 0 до 1048575)\n")
                      .arg(a.positional[0]);
        return kExitRefused;
    }
    const std::vector<KeptState> states = archive.states(number);
    if (states.empty()) {
        io.err << QStringLiteral("В архиве %1 нет состояний радиостанции с зав. № %2\n")
                      .arg(shownPath(archive.root()), number);
        return kExitRefused;
    }
    if (originalOnly)
        io.out << shownPath(states.back().path) << "\n";
    else
        listStates(states, io);
    return kExitOk;
}

} // namespace ksv::cli
