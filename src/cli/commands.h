#pragma once

// One function per command of ksv717n-cli; each returns the exit code.

#include "cli/cli_args.h"
#include "cli/cli_io.h"
#include "files/state_archive.h"

#include <optional>

namespace ksv {
struct FleetTotals;
}

namespace ksv::cli {

int runNew(const Arguments& a, CliIo& io);
int runShow(const Arguments& a, CliIo& io);
int runDiff(const Arguments& a, CliIo& io);
int runExportCsv(const Arguments& a, CliIo& io);
int runImportCsv(const Arguments& a, CliIo& io);
int runPorts(const Arguments& a, CliIo& io);
int runDoctor(const Arguments& a, CliIo& io);
int runRead(const Arguments& a, CliIo& io);
int runWrite(const Arguments& a, CliIo& io);
int runVerify(const Arguments& a, CliIo& io);
int runPrint(const Arguments& a, CliIo& io);
int runFleet(const Arguments& a, CliIo& io);
int runArchive(const Arguments& a, CliIo& io);

// The exit code of a fleet run (see its help text).
int fleetExitCode(const FleetTotals& totals);

// The --mode option (user when absent); prints the refusal and returns
// nullopt for an unknown value.
std::optional<OperatingMode> modeOption(const Arguments& a, CliIo& io);

// The archive a command that reads a set keeps its states in: --archive-dir,
// else the user's; none with --no-archive.
struct ArchiveChoice {
    std::optional<StateArchive> archive;
    const StateArchive* get() const { return archive ? &*archive : nullptr; }
};
// Prints the refusal and returns nullopt when both options are given.
std::optional<ArchiveChoice> archiveOption(const Arguments& a, CliIo& io);

// Where a state read was kept: "Состояние радиостанции сохранено в архиве:
// <path>" (or "уже есть в архиве"); a failure is a warning on err.
void reportKept(const KeepResult& kept, CliIo& io);

} // namespace ksv::cli
