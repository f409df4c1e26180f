#pragma once

// The archive the window keeps every state it reads in, and what the main
// window's status bar says of the state of the last F4.

#include "files/state_archive.h"

class QMainWindow;

namespace ksv {

// The folder KSV717N_ARCHIVE names, else "<documents>/KSV717N/Архив", as it
// is when a command asks.
const StateArchive& windowArchive();

// "Архив: 654321/0003_2026-03-14_15-02-07_Тарвен-52.ust" in a panel of the
// status bar, with the whole path as its tip. A state that could not be kept
// is said there each time and in a message once in the window's life, so
// that a failing archive never hides the data read.
void showKeptRead(QMainWindow& window, const StateArchive& archive, const KeepResult& kept);

// The panel's text (tests).
QString archiveStatus(QMainWindow& window);

} // namespace ksv
