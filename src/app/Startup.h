#pragma once

#include <QString>

// From launch to the end of the main window: splash, data module on `programDir`/DB, database chooser, main window.
// Returns the program's exit code.
int runProgram(const QString& programDir);
