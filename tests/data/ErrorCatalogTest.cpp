#include <gtest/gtest.h>

#include "data/RuntimeError.h"

namespace pw {
namespace {

TEST(ErrorCatalog, StandardTextsForKnownNumbersAndTheGeneralTextForOthers) {
    const QString unknown = QStringLiteral("Application-defined or object-defined error");
    const std::pair<int, const char*> standard[] = {
        {11, "Division by zero"},
        {3021, "No current record."},
        {3027, "Can't update.  Database or object is read-only."},
        {3426, "This action was cancelled by an associated object."},
        {32755, "Cancel was selected."}};
    for (const auto& [number, text] : standard) EXPECT_EQ(errorDescription(number), text);
    for (int number : {0, -1, 4, 3000, 32754, 32756, 65535})
        EXPECT_EQ(errorDescription(number), unknown) << number;

    // An error without its own text takes the standard one; its own text survives what().
    EXPECT_STREQ(RuntimeError(err::DivisionByZero).what(), "Division by zero");
    EXPECT_EQ(RuntimeError(1234, QString()).description(), unknown);
    const RuntimeError own(err::FileLocked, QStringLiteral("Crème brûlée.mdb in use"));
    EXPECT_EQ(own.number(), 3045);
    EXPECT_EQ(QString::fromUtf8(own.what()), QStringLiteral("Crème brûlée.mdb in use"));
}

}  // namespace
}  // namespace pw
