#pragma once

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace pw {

// Rows as CSV text after RFC 4180, in UTF-8: fields separated by commas, every record ended by
// CR LF, and a field that holds a comma, a quotation mark, a CR or a LF enclosed in quotation
// marks with each inner quotation mark doubled.
QByteArray csvBytes(const std::vector<QStringList>& rows);

}  // namespace pw
