#include <gtest/gtest.h>

#include "data/QueryDialect.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

constexpr auto errorOf = test::errorNumberOf;

int sourceError(const QString& source) {
    return errorOf([&] { translateSource(source); });
}

int criteriaError(const QString& criteria) {
    return errorOf([&] { translateCriteria(criteria, csr14Table()); });
}

TEST(QueryDialect, EveryFormTheProgramSendsTranslates) {
    struct Case {
        const char* source;
        const TableInfo* table;
        const char* where;
        QVariantList values;
        const char* orderBy;
    };
    const Case cases[] = {
        {"CSR14", &csr14Table(), "", {}, ""},
        {"mealnumbers", &mealNumbersTable(), "", {}, ""},
        {"Select ALL * From CSR14 Order by description",
         &csr14Table(),
         "",
         {},
         "\"Description\" COLLATE NOCASE"},
        {"Select * from Meals order by mealnumber", &mealsTable(), "", {}, "\"MealNumber\""},
        {"Select ALL * from Meals Where MealNumber = 12",
         &mealsTable(),
         "\"MealNumber\" = ?",
         {12.0},
         ""},
        {"Select * from Mealnumbers Where MealNumber = 7",
         &mealNumbersTable(),
         "\"MealNumber\" = ?",
         {7.0},
         ""},
        {"Select All * from CSR14 where Code > 6399 order by description",
         &csr14Table(),
         "\"CODE\" > ?",
         {6399.0},
         "\"Description\" COLLATE NOCASE"},
        {"Select ALL * from Meals Where MealNumber BETWEEN 1 AND 10 Order by MealNumber",
         &mealsTable(),
         "\"MealNumber\" BETWEEN ? AND ?",
         {1.0, 10.0},
         "\"MealNumber\""},
        {"Select ALL * from Meals Where Date = #11/26/01#",
         &mealsTable(),
         "\"Date\" = ?",
         {QStringLiteral("2001-11-26")},
         ""},
        {"Select ALL * from Meals Where Date BETWEEN #11/26/2001# AND #1/5/02# Order by Date",
         &mealsTable(),
         "\"Date\" BETWEEN ? AND ?",
         {QStringLiteral("2001-11-26"), QStringLiteral("2002-01-05")},
         "\"Date\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        const SqlQuery q = translateSource(QString::fromLatin1(c.source));
        EXPECT_EQ(q.table, c.table);
        EXPECT_EQ(q.condition.where, QString::fromLatin1(c.where));
        EXPECT_EQ(q.condition.values, c.values);
        EXPECT_EQ(q.orderBy, QString::fromLatin1(c.orderBy));
    }
}

TEST(QueryDialect, SelectKeepsTiesInStoredOrder) {
    EXPECT_EQ(translateSource("Select * From Meals Order by MealNumber").selectSql("rowid"),
              "SELECT rowid FROM \"Meals\" ORDER BY \"MealNumber\", rowid");
    EXPECT_EQ(translateSource("Select * from Meals Where MealNumber = 3").selectSql("*"),
              "SELECT * FROM \"Meals\" WHERE \"MealNumber\" = ? ORDER BY rowid");
}

TEST(QueryDialect, NumbersAsTheProgramWritesThem) {
    // Meal numbers come from the leading number of a text or a single-precision value.
    EXPECT_EQ(translateSource("Select * from Meals Where MealNumber = 12.5").condition.values,
              QVariantList{12.5});
    EXPECT_EQ(translateSource("Select * from Meals Where MealNumber = -3").condition.values,
              QVariantList{-3.0});
    EXPECT_EQ(translateSource("Select * from Meals Where MealNumber = .5").condition.values,
              QVariantList{0.5});
    EXPECT_EQ(sourceError("Select * from Meals Where MealNumber = 1.2.3"), err::SyntaxError);
}

TEST(QueryDialect, CriteriaTextIsDataNeverSql) {
    const QString hostile[] = {
        QStringLiteral("O'Brien's"),
        QStringLiteral("x' OR '1'='1"),
        QStringLiteral("'; DROP TABLE CSR14; --"),
        QStringLiteral("Crème brûlée, 日本"),
        QStringLiteral("\" OR 1=1 --"),
        QStringLiteral(""),
    };
    for (const QString& text : hostile) {
        SCOPED_TRACE(text.toStdString());
        QString doubled = text;
        doubled.replace(u'\'', QStringLiteral("''"));
        const SqlCondition c =
            translateCriteria(QStringLiteral("description = '") + doubled + "' ", csr14Table());
        EXPECT_EQ(c.where, "\"Description\" COLLATE NOCASE = ?");
        EXPECT_EQ(c.values, QVariantList{text});
    }
}

TEST(QueryDialect, CriteriaMustBeWhole) {
    // An apostrophe that is not doubled ends the text; whatever follows is outside the dialect.
    EXPECT_EQ(criteriaError("description = 'O'Brien' "), err::SyntaxError);
    EXPECT_EQ(criteriaError("description = 'x' OR 1=1"), err::SyntaxError);
    EXPECT_EQ(criteriaError("description = 'unclosed"), err::SyntaxError);
    EXPECT_EQ(criteriaError("description = 'x'; DELETE FROM CSR14"), err::SyntaxError);
    EXPECT_EQ(criteriaError("description LIKE 'x%'"), err::SyntaxError);
    EXPECT_EQ(criteriaError("nosuchfield = 'x'"), err::UnknownField);
    EXPECT_EQ(criteriaError("description = 5"), 3464);  // a number for a text field
    EXPECT_EQ(criteriaError(""), err::SyntaxError);
}

TEST(QueryDialect, AnythingOutsideTheDialectIsAnErrorNotACrash) {
    EXPECT_EQ(sourceError("NoSuchTable"), err::TableNotFound);
    EXPECT_EQ(sourceError("Select * From sqlite_master"), err::TableNotFound);
    EXPECT_EQ(sourceError("Select * From Meals Order by Nonsense"), err::UnknownField);
    EXPECT_EQ(sourceError("Select description From CSR14"), err::SqlSyntax);
    EXPECT_EQ(sourceError("Select * From Meals; DROP TABLE Meals"), err::SqlSyntax);
    EXPECT_EQ(sourceError("Select * From Meals Where MealNumber = 1 OR 1 = 1"), err::SqlSyntax);
    EXPECT_EQ(sourceError("Select * From Meals Where MealNumber"), err::SyntaxError);
    EXPECT_EQ(sourceError("Select * From Meals Where Date = #2/30/2001#"), err::SyntaxError);
    EXPECT_EQ(sourceError("Select * From Meals Where Date = #1/1/01"), err::SqlSyntax);
    EXPECT_EQ(sourceError("Select * From Meals Where Date = 5"), 3464);
    EXPECT_EQ(sourceError("Select * From Meals Where MealNumber = #1/1/01#"), 3464);
    EXPECT_EQ(sourceError(""), err::SqlSyntax);
    EXPECT_EQ(sourceError("Meals Meals"), err::SqlSyntax);
    EXPECT_EQ(sourceError("Select * From [Meals"), err::SqlSyntax);
    EXPECT_EQ(sourceError(QString(10000, u'(')), err::SqlSyntax);
}

TEST(QueryDialect, BracketedNamesReachHyphenatedFields) {
    EXPECT_EQ(translateSource("Select * From Meals Order by [GMWT-1]").orderBy, "\"GMWT-1\"");
}

}  // namespace
}  // namespace pw
