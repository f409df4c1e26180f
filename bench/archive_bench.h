#pragma once

// The archive of the states read from sets: what keeping a state adds to a
// read, and how quickly ten thousand kept states are listed by
// `ksv717n-cli archive` and by the window's archive.

#include "link_bench.h"
#include "samples.h"

#include <string>
#include <vector>

namespace ksv::bench {

// Keeps one new state (and then the same state, which is found unchanged)
// into a set already holding 100 states, in this process, as every read does.
std::vector<double> keepNewStates(const std::string& folder, int runs);
std::vector<double> keepUnchangedStates(const std::string& folder, int runs);

// The read command without and with the archive, in turn, against the
// paced simulator (a new state each time); the differences, pair by pair.
std::vector<double> readKeepingCost(LinkBench& link, const std::string& folder, int runs,
                                    std::vector<LinkSample>& plain,
                                    std::vector<LinkSample>& keeping);

// An archive of sets x statesEach states, written directly in the archive's
// naming (the files' bytes differ from state to state).
bool fillArchive(const std::string& folder, int sets, int statesEach);

// `ksv717n-cli archive [NUMBER] --archive-dir folder`, start to exit.
StartupSample cliArchive(const std::string& cliPath, const std::string& folder,
                         const std::string& number, const std::string& workDir);

// The archive window built on the folder with its lists filled and drawn;
// number: the set chosen (all its states listed), "" for the list of sets.
double archiveWindowMs(const std::string& folder, const std::string& number);

} // namespace ksv::bench
