#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace pw {

class Platform;

// Reading, writing and printing the program's text files (saved reports). Text is UTF-8.
// Failures throw RuntimeError with the number of the file error (53 file not found,
// 70 permission denied, 75 path/file access error, 482 printer error).

// The Save As dialog for a text file: the program's folder, the "txt files" filter, a prompt
// before an existing file is replaced. nullopt when cancelled or no name was given.
std::optional<QString> askSaveTextFile(Platform& platform, QWidget* parent,
                                       const QString& title = QString());

// Every byte of the file, unchanged.
QByteArray readFileBytes(const QString& path);

// Writes `bytes` as the whole file through a safe save: the file is replaced only once every byte
// is written, so a failure leaves an existing file as it was.
void saveFileBytes(const QString& path, const QByteArray& bytes);

// The text with every line break (CR LF, LF or a lone CR) written as CR LF.
QString withCrLf(const QString& text);

// The file name without its folder: the text after the last "/" (or "\").
QString fileNameOnly(const QString& path);

// Prints plain text on `printer` in a fixed-pitch font, paginated to the printer's page, as one
// document. Throws RuntimeError 482 when the printer cannot be used.
void printPlainText(const QString& text, QPrinter& printer);

}  // namespace pw
