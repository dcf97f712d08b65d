#pragma once

#include <QString>

namespace pw {

class Platform;

// Values of the program's global module, shared by every window.
struct Globals {
    QString svCustomDB;   // the program's folder + "/Custom.mdb"
    QString svMealDB;     // the program's folder + "/MealDataB.mdb"
    QString programDir;   // the folder that holds the data files, no trailing separator
    QString documentDir;  // the folder that holds Help.rtf and DV.rtf; empty: programDir
    QString svHelpFile;   // full path of the document the help viewer shows

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

}  // namespace pw
