#pragma once

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace pw {

// Rows as CSV text after RFC 4180, in UTF-8: fields separated by commas, every record ended by
// CR LF, and a field that holds a comma, a quotation mark, a CR or a LF enclosed in quotation
// marks with each inner quotation mark doubled.
QByteArray csvBytes(const std::vector<QStringList>& rows);

// The rows of CSV text read the same way (records ended by CR LF or LF, quoted fields may hold
// commas, quotation marks and line breaks), with the line each record begins on, from 1.
// A quotation mark left open ends the text.
struct CsvRecord {
    int line = 0;
    QStringList fields;
};
std::vector<CsvRecord> csvRecords(const QString& text);

}  // namespace pw
