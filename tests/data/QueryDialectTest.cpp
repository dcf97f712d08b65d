#include <gtest/gtest.h>

#include "data/QueryDialect.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

constexpr auto errorOf = test::errorNumberOf;

// "table|where|values|order", text values in apostrophes.
QString shape(const QString& source) {
    const SqlQuery q = translateSource(source);
    QStringList values;
    for (const QVariant& v : q.condition.values)
        values << (v.typeId() == QMetaType::QString ? "'" + v.toString() + "'" : v.toString());
    return QStringList{q.table->name, q.condition.where, values.join(u','), q.orderBy}.join(u'|');
}

TEST(QueryDialect, EveryFormTheProgramSendsTranslates) {
    const std::pair<const char*, const char*> cases[] = {
        {"CSR14", "CSR14|||"},
        {"mealnumbers", "MealNumbers|||"},
        {"Select ALL * From CSR14 Order by description", R"(CSR14|||"Description" COLLATE NOCASE)"},
        {"Select * from Meals order by [GMWT-1]", R"(Meals|||"GMWT-1")"},
        {"Select ALL * from Meals Where MealNumber = 12", R"(Meals|"MealNumber" = ?|12|)"},
        {"Select * from Meals Where MealNumber = -.5", R"(Meals|"MealNumber" = ?|-0.5|)"},
        {"Select All * from CSR14 where Code > 6399 order by description",
         R"(CSR14|"CODE" > ?|6399|"Description" COLLATE NOCASE)"},
        {"Select ALL * from Meals Where MealNumber BETWEEN 1 AND 10 Order by MealNumber",
         R"(Meals|"MealNumber" BETWEEN ? AND ?|1,10|"MealNumber")"},
        {"Select ALL * from Meals Where Date = #11/26/01#", R"(Meals|"Date" = ?|'2001-11-26'|)"},
        {"Select ALL * from Meals Where Date BETWEEN #11/26/2001# AND #1/5/02# Order by Date",
         R"(Meals|"Date" BETWEEN ? AND ?|'2001-11-26','2002-01-05'|"Date")"},
    };
    for (const auto& [source, expected] : cases) EXPECT_EQ(shape(source), expected) << source;
}

TEST(QueryDialect, CriteriaTextIsDataNeverSql) {
    for (const QString& text :
         {QStringLiteral("O'Brien's"), QStringLiteral("x' OR '1'='1"),
          QStringLiteral("'; DROP TABLE CSR14; --"), QStringLiteral("Crème brûlée, 日本"),
          QStringLiteral("\" OR 1=1 --"), QString()}) {
        const SqlCondition c = translateCriteria(
            "description = '" + QString(text).replace(u'\'', "''") + "' ", csr14Table());
        EXPECT_EQ(c.where, "\"Description\" COLLATE NOCASE = ?") << text.toStdString();
        EXPECT_EQ(c.values, QVariantList{text}) << text.toStdString();
    }
}

TEST(QueryDialect, AnythingOutsideTheDialectIsAnErrorNotACrash) {
    // An apostrophe that is not doubled ends the text; whatever follows is outside the dialect.
    const std::pair<const char*, int> criteria[] = {
        {"description = 'O'Brien' ", err::SyntaxError},
        {"description = 'x' OR 1=1", err::SyntaxError},
        {"description = 'unclosed", err::SyntaxError},
        {"description = 'x'; DELETE FROM CSR14", err::SyntaxError},
        {"description LIKE 'x%'", err::SyntaxError},
        {"", err::SyntaxError},
        {"nosuchfield = 'x'", err::UnknownField},
        {"description = 5", 3464}};  // a number for a text field
    for (const auto& [text, number] : criteria)
        EXPECT_EQ(errorOf([&] { translateCriteria(text, csr14Table()); }), number) << text;
    const std::pair<QString, int> sources[] = {
        {"NoSuchTable", err::TableNotFound},
        {"Select * From sqlite_master", err::TableNotFound},
        {"Select * From Meals Order by Nonsense", err::UnknownField},
        {"Select description From CSR14", err::SqlSyntax},
        {"Select * From Meals; DROP TABLE Meals", err::SqlSyntax},
        {"Select * From Meals Where MealNumber = 1 OR 1 = 1", err::SqlSyntax},
        {"Select * From Meals Where MealNumber", err::SyntaxError},
        {"Select * from Meals Where MealNumber = 1.2.3", err::SyntaxError},
        {"Select * From Meals Where Date = #2/30/2001#", err::SyntaxError},
        {"Select * From Meals Where Date = #1/1/01", err::SqlSyntax},
        {"Select * From Meals Where Date = 5", 3464},
        {"Select * From Meals Where MealNumber = #1/1/01#", 3464},
        {"", err::SqlSyntax},
        {"Meals Meals", err::SqlSyntax},
        {"Select * From [Meals", err::SqlSyntax},
        {QString(10000, u'('), err::SqlSyntax}};
    for (const auto& [source, number] : sources)
        EXPECT_EQ(errorOf([&] { translateSource(source); }), number)
            << source.left(60).toStdString();
}

}  // namespace
}  // namespace pw
