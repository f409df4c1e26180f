#pragma once

// Exit codes of ksv717n-cli.

#include "operations/outcome_words.h"

namespace ksv::cli {

enum ExitCode : int {
    kExitOk = 0, // success, including "Данные уже записаны"; diff: the images are equal
    kExitRefused = 1,      // refused or invalid input; diff: the images differ
    kExitNoConnection = 2, // no connection, or the port cannot be opened
    kExitVerifyFailed = 3, // the write was not confirmed by reading back
};

// The exit code of an outcome as serious as s.
constexpr ExitCode exitCodeFor(Severity s) {
    switch (s) {
    case Severity::Done:
        return kExitOk;
    case Severity::NotDone:
        return kExitRefused;
    case Severity::NoAnswer:
        return kExitNoConnection;
    case Severity::SetInDoubt:
        break;
    }
    return kExitVerifyFailed;
}

} // namespace ksv::cli
