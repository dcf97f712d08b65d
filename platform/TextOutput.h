#pragma once

#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace pw {

class Platform;

// The dialog that names a text file to write, and the printing of plain text.

// The Save As dialog: the program's folder, `filter`, a prompt before an existing file is
// replaced, `defaultSuffix` for a name typed without one. nullopt when cancelled or no name was
// given.
std::optional<QString> askSaveFile(Platform& platform, QWidget* parent, const QString& title,
                                   const QString& filter, const QString& defaultSuffix = QString());

// The Save As dialog for a text file, with the "txt files" filter.
std::optional<QString> askSaveTextFile(Platform& platform, QWidget* parent,
                                       const QString& title = QString());

// Prints plain text on `printer` in a fixed-pitch font, paginated to the printer's page, as one
// document. Throws RuntimeError 482 when the printer cannot be used.
void printPlainText(const QString& text, QPrinter& printer);

// The message of a report command asked for with no report on display, `toDoWhat` naming the
// command ("To save a report"): "There is no report displayed at this time.  To save a report one
// must be currently displayed, so click on Report on the menu bar and generate a report."
void showNoReportMessage(Platform& platform, const QString& toDoWhat);

}  // namespace pw
