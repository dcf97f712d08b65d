#pragma once

#include <QString>
#include <memory>

#include "data/Database.h"

namespace pw {

class FormB;
class Platform;

// The start-up of a data folder, in two halves so that the windows can be built while the files
// are checked. The first sets the global paths (documents are read from `documentDir`, or from
// the data folder when it is empty) and starts checking both database files.
struct Startup {
    Startup(const QString& programDir, const QString& documentDir);
    std::unique_ptr<FileChecks> checks;
};

// Builds the main window, waits for the checks and loads it. On a file that cannot be used it
// shows a message naming the file and what is wrong and returns nullptr; the files are left
// untouched and no main window is shown.
std::unique_ptr<FormB> finishStartup(Platform& platform, Startup& startup);

// Both halves at once.
std::unique_ptr<FormB> startProgram(Platform& platform, const QString& programDir,
                                    const QString& documentDir = QString());

}  // namespace pw
