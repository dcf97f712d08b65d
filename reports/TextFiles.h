#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace pw {

// Reading and writing the program's text files (saved reports). Text is UTF-8. Failures throw
// RuntimeError with the number of the file error (53 file not found, 70 permission denied,
// 75 path/file access error). The file dialog and printing are in reports/TextOutput.h.

// Every byte of the file, unchanged.
QByteArray readFileBytes(const QString& path);

// Writes `bytes` as the whole file through a safe save: the file is replaced only once every byte
// is written, so a failure leaves an existing file as it was.
void saveFileBytes(const QString& path, const QByteArray& bytes);

// The text with every line break (CR LF, LF or a lone CR) written as CR LF.
QString withCrLf(const QString& text);

// The file name without its folder: the text after the last "/" (or "\").
QString fileNameOnly(const QString& path);

}  // namespace pw
