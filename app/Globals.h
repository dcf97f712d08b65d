#pragma once

#include <QString>
#include <memory>

namespace pw {

class Platform;

// Values of the program's global module, shared by every window.
struct Globals {
    QString svCustomDB;   // the program's folder + "/Custom.mdb"
    QString svMealDB;     // the program's folder + "/MealDataB.mdb"
    QString programDir;   // the folder that holds the data files, no trailing separator
    QString documentDir;  // the folder that holds Help.rtf and DV.rtf; empty: programDir
    QString svHelpFile;   // full path of the document the help viewer shows
    // The folder of the file last saved or opened through a file dialog in this run; empty:
    // none yet.
    QString lastFileFolder;

    // The description last searched for in the food table, apostrophes doubled.
    QString svSearchItem;

    // Results of the portion dialog.
    float vPortionGrams = 0;
    QString svPortionUnit;
    float vPortionQuantity = 0;
};

Globals& globals();

// The common report of a run-time error that a trapping procedure does not handle itself.
// `number` and `description` are those of the pending error.
void GlobalErrorHandler(Platform& platform, int number, const QString& description = QString());

// The text of that report, for errors without a message of their own:
// "Error number n was encountered." + LF + CR + "Which is described as: " + description.
QString errorReportText(int number, const QString& description, const QString& lineBreak);

// The full path of one of the program's documents (Help.rtf, DV.rtf).
QString documentPath(const QString& fileName);

class FormB;

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
