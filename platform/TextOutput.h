#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace pw {

class Platform;

// The dialog that names a text file to write, and the printing of plain text.

// The folder a file dialog starts in: where the user last saved or opened a file in this run;
// before that, the program's own folder when the program runs from the folder that holds its
// data, else the user's documents folder (the home folder when there is none).
QString fileDialogFolder();
// Remembers the folder of `path`, a file the user chose in a file dialog.
void rememberFileDialogFolder(const QString& path);

// The Save As dialog: `filter`, a prompt before an existing file is replaced, `defaultSuffix` for
// a name typed without one (added here too when the dialog leaves it out, with the prompt asked
// about the file that will be written). nullopt when cancelled or no name was given.
std::optional<QString> askSaveFile(Platform& platform, QWidget* parent, const QString& title,
                                   const QString& filter, const QString& defaultSuffix = QString());

// The Save As dialog for a text file, with the "txt files" filter; a name without a suffix gets
// ".txt", so that the reader's filter shows the file.
std::optional<QString> askSaveTextFile(Platform& platform, QWidget* parent,
                                       const QString& title = QString());

// Asks for a file with the Save As dialog (`filter`, a prompt before a file is replaced, a name
// chosen without a suffix gets `defaultSuffix`) and writes the bytes `bytesFor` makes for the
// chosen name through a safe save; nullopt from `bytesFor` writes nothing (it has told the user
// why). A failure gets the common error message and leaves any file there as it was.
void saveAsFile(Platform& platform, QWidget* parent, const QString& title, const QString& filter,
                const std::function<std::optional<QByteArray>(const QString&)>& bytesFor,
                const QString& defaultSuffix = {});

// Prints plain text on `printer` in a fixed-pitch font, paginated to the printer's page, as one
// document. Throws RuntimeError 482 when the printer cannot be used.
void printPlainText(const QString& text, QPrinter& printer);

// The message of a report command asked for with no report on display, `toDoWhat` naming the
// command ("To save a report"): "There is no report displayed at this time.  To save a report one
// must be currently displayed, so click on Report on the menu bar and generate a report."
void showNoReportMessage(Platform& platform, const QString& toDoWhat);

}  // namespace pw
