#pragma once

// The archive of every state read from a set: one folder per user (by
// default "<documents>/KSV717N/Архив"), one sub-folder per factory number
// ("654321"; a blank number is "000000") and one settings file per state:
//
//   0001_2026-03-14_15-02-07_Тарвен-52.ust
//
// the order of keeping within the set, the local date and time, the model.
// The order, not the clock, decides which state is the first (the set's
// «исходные установки») and which the newest, so a PC clock set back never
// makes a later state the original. A state is written aside, flushed to
// disk and given its name without replacing anything, made read-only, and
// never changed or removed by the program.

#include "image/image.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace ksv {

// One kept state, as its file name tells it.
struct KeptState {
    QString path;
    int sequence = 0;      // 1 for the first state kept for the factory number
    QString time;          // "2026-03-14 15:02:07", local time of keeping
    QString model;         // "Тарвен-52"
    bool original = false; // the first state kept for the factory number
};

// One factory number of the archive.
struct ArchivedSet {
    QString number;    // "654321"
    QString model;     // of its newest state
    QString firstTime; // of its first state
    QString lastTime;  // of its newest state
    int states = 0;
};

struct KeepResult {
    enum Status {
        Off,       // no archive: nothing was kept
        Kept,      // a new file
        Unchanged, // equals the newest state of that number and model, in path
        Failed,    // not kept: see reason
    };
    Status status = Off;
    QString path;          // Kept, Unchanged: the state's file
    QString reason;        // Failed: why, in words for the user
    bool original = false; // Kept: the first state of its factory number
    bool failed() const { return status == Failed; }
};

class StateArchive {
public:
    explicit StateArchive(QString root);

    const QString& root() const { return root_; }
    // The folder of a factory number ("654321").
    QString setFolder(const QString& number) const;

    // Keeps the image under its factory number unless it equals the newest
    // state kept for that number and model.
    KeepResult keep(const Image& image, const QDateTime& when = QDateTime::currentDateTime()) const;

    // Every factory number, ascending.
    std::vector<ArchivedSet> sets() const;
    // The states of a factory number, newest first.
    std::vector<KeptState> states(const QString& number) const;
    // The first state kept for a factory number.
    std::optional<KeptState> original(const QString& number) const;

private:
    QString root_;
};

// A factory number as typed ("654321", "42") in the archive's spelling
// ("000042"); empty when it is not a number a set can carry.
QString archiveNumber(const QString& typed);

// The user's documents folder (the home folder when the system names none).
QString documentsFolder();

// The folder KSV717N_ARCHIVE names, else "<documents>/KSV717N/Архив".
QString defaultArchiveRoot();

} // namespace ksv
