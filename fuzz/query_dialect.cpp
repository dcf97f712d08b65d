// The query dialect translator on any text: it answers a query or raises RuntimeError, and what
// it answers carries every literal as a bound value, never inside the SQL text.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "check.h"
#include "data/QueryDialect.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"

namespace {

void checkCondition(const pw::SqlCondition& c) {
    fuzzCheck(c.where.count(u'?') == c.values.size(), "one placeholder per value");
    fuzzCheck(!c.where.contains(u'\'') && !c.where.contains(u'#') && !c.where.contains(u';'),
              "no literal inside the SQL");
    for (const QVariant& v : c.values) {
        const auto type = v.typeId();
        fuzzCheck(
            type == QMetaType::Double || type == QMetaType::LongLong || type == QMetaType::QString,
            "values are numbers or texts");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const pw::SqlQuery q = pw::translateSource(text);
        fuzzCheck(q.table != nullptr, "a query names its table");
        checkCondition(q.condition);
        const QString sql = q.selectSql(QStringLiteral("*"));
        fuzzCheck(sql.count(u'?') == q.condition.values.size(), "placeholders in the statement");
    } catch (const pw::RuntimeError&) {
    }
    for (const pw::TableInfo* table :
         {&pw::csr14Table(), &pw::mealsTable(), &pw::mealNumbersTable()}) {
        try {
            const pw::SqlCondition c = pw::translateCriteria(text, *table);
            fuzzCheck(!c.where.isEmpty(), "criteria give a condition");
            checkCondition(c);
        } catch (const pw::RuntimeError&) {
        }
    }
    return 0;
}
