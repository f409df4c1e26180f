#pragma once

// Exit codes of ksv717n-cli.

namespace ksv::cli {

enum ExitCode : int {
    kExitOk = 0, // success, including "Данные уже записаны"; diff: the images are equal
    kExitRefused = 1,      // refused or invalid input; diff: the images differ
    kExitNoConnection = 2, // no connection, or the port cannot be opened
    kExitVerifyFailed = 3, // the write was not confirmed by reading back
};

} // namespace ksv::cli
