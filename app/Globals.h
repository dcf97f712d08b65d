#pragma once

#include <QString>
#include <memory>

#include "platform/GlobalModule.h"

namespace pw {

class Platform;
class FormB;

// The start-up half of the global module; the half every window shares (its values, the common
// error report) is platform/GlobalModule.h.

// Sets the global paths for a data folder, checks both database files and loads the main
// window. On a file that cannot be used it shows a message naming the file and what is wrong
// and returns nullptr; the files are left untouched. Documents are read from `documentDir`, or
// from the data folder when it is empty.
std::unique_ptr<FormB> startProgram(Platform& platform, const QString& programDir,
                                    const QString& documentDir = QString());

// Program entry: reads the command line, chooses and locks the data folder, shows the splash
// window and the main window, runs the event loop.
int Main(int argc, char** argv);

}  // namespace pw
