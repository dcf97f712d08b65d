#pragma once

#include <QString>
#include <optional>

#include "data/Schema.h"

namespace SQLite {
class Column;
}

namespace pw {

// What the record cursor and the lists read ahead for it share about stored values.

// A stored value as the text a person expects: 717, 0.1, 2.11, dates as MM/DD/YYYY; nullopt for
// a field without value (NULL).
std::optional<QString> storedText(const SQLite::Column& c, FieldKind kind);

// The file change counter in a database file's header, which every committed change advances
// (the files keep a rollback journal); 0 when it cannot be read.
quint32 changeCounter(const QString& path);

}  // namespace pw
