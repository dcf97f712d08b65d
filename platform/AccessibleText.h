#pragma once

#include <QLabel>
#include <QString>

namespace pw {

// A label whose text changes (a counter, a position in a list): assistive technology must hear
// the text it shows now, so the label carries no fixed accessible name (its name is then its
// text, announced at every change) and says what it is in its description.
inline void nameFollowsText(QLabel* label, const QString& purpose) {
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleName(QString());
    label->setAccessibleDescription(purpose);
}

}  // namespace pw
