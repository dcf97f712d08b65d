#pragma once

#include <QString>

namespace pw {

class Platform;

// The document windows' report of a run-time error they trap: the common error text, whatever
// the number, its line break a line feed then a carriage return.
void FormErrorHandler(Platform& platform, int number, const QString& description = QString());

}  // namespace pw
