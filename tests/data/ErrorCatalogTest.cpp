#include <gtest/gtest.h>

#include "data/RuntimeError.h"

namespace pw {
namespace {

const QString kUnknown = QStringLiteral("Application-defined or object-defined error");

TEST(ErrorCatalog, StandardDescriptions) {
    EXPECT_EQ(errorDescription(5), "Invalid procedure call or argument");
    EXPECT_EQ(errorDescription(11), "Division by zero");
    EXPECT_EQ(errorDescription(13), "Type mismatch");
    EXPECT_EQ(errorDescription(53), "File not found");
    EXPECT_EQ(errorDescription(62), "Input past end of file");
    EXPECT_EQ(errorDescription(75), "Path/File access error");
    EXPECT_EQ(errorDescription(91), "Object variable or With block variable not set");
    EXPECT_EQ(errorDescription(3021), "No current record.");
    EXPECT_EQ(errorDescription(3027), "Can't update.  Database or object is read-only.");
    EXPECT_EQ(errorDescription(3426), "This action was cancelled by an associated object.");
    EXPECT_EQ(errorDescription(32755), "Cancel was selected.");
}

TEST(ErrorCatalog, EveryNamedNumberHasItsOwnTextWithoutPlaceholders) {
    using namespace err;
    for (int number :
         {ReturnWithoutGoSub, InvalidCall,     Overflow,     OutOfMemory,      DivisionByZero,
          TypeMismatch,       FileNotFound,    InputPastEnd, PermissionDenied, PathFileAccess,
          ObjectRequired,     NoCurrentRecord, FileLocked,   NotADatabase,     CantOpenFile,
          TableNotFound,      SyntaxError,     SqlSyntax,    UnknownField,     UpdateWithoutEdit,
          RequiredNull,       ZeroLength,      DuplicateKey, DiskFull,         ReadOnly,
          UpdateCancelled,    DialogCancelled}) {
        const QString text = errorDescription(number);
        EXPECT_NE(text, kUnknown) << number;
        EXPECT_FALSE(text.isEmpty()) << number;
        EXPECT_FALSE(text.contains(u'|')) << number;
    }
}

TEST(ErrorCatalog, UnknownNumbersGetTheGeneralText) {
    for (int number : {0, -1, 1, 4, 12, 999, 3000, 32754, 32756, 65535})
        EXPECT_EQ(errorDescription(number), kUnknown) << number;
}

TEST(RuntimeErrorTest, EmptyDescriptionTakesTheStandardOne) {
    const RuntimeError error(err::DivisionByZero);
    EXPECT_EQ(error.number(), 11);
    EXPECT_EQ(error.description(), "Division by zero");
    EXPECT_STREQ(error.what(), "Division by zero");

    const RuntimeError unknown(1234, QString());
    EXPECT_EQ(unknown.description(), kUnknown);
}

TEST(RuntimeErrorTest, OwnDescriptionIsKeptAndCaughtAsARuntimeError) {
    const QString text =
        QStringLiteral("Couldn't use 'C:\\Platewise\\Custom.mdb'; file already in use.");
    try {
        throw RuntimeError(err::FileLocked, text);
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), text);
        const auto* error = dynamic_cast<const RuntimeError*>(&e);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->number(), 3045);
        EXPECT_EQ(error->description(), text);
    }
    // Texts outside ASCII survive the way through what().
    const RuntimeError accented(err::FileNotFound, QStringLiteral("Crème brûlée.txt"));
    EXPECT_EQ(QString::fromUtf8(accented.what()), "Crème brûlée.txt");
}

}  // namespace
}  // namespace pw
