#pragma once

// The program stores nothing besides the settings files the user saves. Qt
// keeps state of its own in the user's settings (the file dialog writes its
// history, last folder and view into ~/.config/QtProject.conf each time it
// closes, on Windows into the registry); this points Qt's user-scope
// settings at a place where no file can be created, so nothing is written
// and nothing from earlier runs is read. Called once, after the application
// object is made and before the first window.

namespace ksv {

void storeNoQtSettings();

} // namespace ksv
