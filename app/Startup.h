#pragma once

#include <QString>
#include <memory>

#include "data/Database.h"
#include "data/RecordCursor.h"

namespace pw {

class FormB;
class Platform;

// The start-up of a data folder, in two halves so that the windows can be built while the files
// are checked. The first sets the global paths (documents are read from `documentDir`, or from
// the data folder when it is empty) and starts checking both database files.
// Once the files have passed, the same thread reads the food list ahead for the main window.
struct Startup {
    Startup(const QString& programDir, const QString& documentDir);
    Startup(const Startup&) = delete;  // the check's thread writes foodList in place
    Startup& operator=(const Startup&) = delete;
    ColumnRead foodList;  // written by the check's thread; read after checks->finish()
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
