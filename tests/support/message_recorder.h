#pragma once

// A Messenger that records every message instead of showing a box, and
// answers questions from a queue (No when the queue is empty). It installs
// itself on construction and restores the default on destruction.

#include "ui/dialogs/messages.h"

#include <QString>
#include <QStringList>
#include <deque>

namespace ksv::test {

struct RecordedMessage {
    enum Kind { Error, Information, Plain, Question } kind;
    QString text;
    bool operator==(const RecordedMessage&) const = default;
};

class MessageRecorder final : public Messenger {
public:
    MessageRecorder() { setMessenger(this); }
    ~MessageRecorder() override { setMessenger(nullptr); }

    void error(const QString& t) override { log.push_back({RecordedMessage::Error, t}); }
    void information(const QString& t) override {
        log.push_back({RecordedMessage::Information, t});
    }
    void plain(const QString& t) override { log.push_back({RecordedMessage::Plain, t}); }
    bool question(const QString& t) override {
        log.push_back({RecordedMessage::Question, t});
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    QStringList texts() const {
        QStringList out;
        for (const auto& m : log)
            out << m.text;
        return out;
    }
    void clear() { log.clear(); }

    std::deque<RecordedMessage> log;
    std::deque<bool> answers; // answers to the next questions, true = Yes
};

} // namespace ksv::test
