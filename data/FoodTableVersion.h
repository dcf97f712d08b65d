#pragma once

#include <cstdint>

namespace pw {

// The food table changes while the program runs (a food of one's own added, deleted, imported,
// a recipe saved). Whatever keeps a copy of the table in memory (the food search index) compares
// the version it was built at with the current one; every writer to the food table notes its
// change once its transaction has committed.
void noteFoodTableChanged();
std::uint64_t foodTableVersion();

}  // namespace pw
