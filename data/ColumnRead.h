#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "data/TextColumn.h"

namespace pw {

// One field of every row a record source selects, with the rows' ids, in the source's order: what
// a list bound to a cursor on that source shows. Read ahead on a connection of its own (on a
// second thread), it is handed to RecordCursor::refresh so that neither the rows nor the list's
// texts are read again. `version` is the file's change counter when it was read.
struct ColumnRead {
    QString path, source, field;
    std::vector<int64_t> rows;
    TextColumn texts;
    quint32 version = 0;
};
// Reads `field` of every row `source` selects from the database file at `path`, on a read-only
// connection opened and closed here. Throws RuntimeError as a refresh does.
ColumnRead readColumn(const QString& path, const QString& source, const QString& field);

}  // namespace pw
