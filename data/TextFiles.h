#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace pw {

// Reading and writing the program's text files (saved reports). The program writes UTF-8; a
// file that is not valid UTF-8 is read one character per byte (Latin-1). Failures throw
// RuntimeError with the number of the file error (53 file not found, 70 permission denied,
// 75 path/file access error). The file dialog and printing are in platform/TextOutput.h.

// Every byte of the file, unchanged.
QByteArray readFileBytes(const QString& path);

// Writes `bytes` as the whole file through a safe save: the file is replaced only once every byte
// is written, so a failure leaves an existing file as it was.
void saveFileBytes(const QString& path, const QByteArray& bytes);

enum class TextEncoding { Utf8, Latin1 };

// UTF-8 when `bytes` are valid UTF-8 (a saved report); otherwise Latin-1, in which every byte is
// one character, so that any file reads and writes back unchanged.
TextEncoding detectEncoding(const QByteArray& bytes);
QString decodeText(const QByteArray& bytes, TextEncoding encoding);
// nullopt when `text` holds a character that `encoding` cannot write.
std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding);

// The bytes of a file after its text was edited in a box. `original` are the file's bytes,
// `before` the box's text as it showed them and `after` the box's text now (line breaks '\n' in
// both). The lines the edit did not touch keep their bytes and their line ends; the lines typed
// take `encoding` and the file's first line end (CR LF in a file without one). nullopt when
// the typed text holds a character that `encoding` cannot write.
std::optional<QByteArray> editedFileBytes(const QByteArray& original, TextEncoding encoding,
                                          const QString& before, const QString& after);

// The text with every line break (CR LF, LF or a lone CR) written as CR LF.
QString withCrLf(const QString& text);

// The file name without its folder: the text after the last "/" (or "\").
QString fileNameOnly(const QString& path);

}  // namespace pw
