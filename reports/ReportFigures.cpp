#include "reports/ReportFigures.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <QDate>

#include "data/Database.h"
#include "data/NumberText.h"
#include "data/QueryDialect.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "reports/ReportText.h"

namespace pw {

namespace {

constexpr int kFirstSlot = 2;
constexpr int kLastSlot = 31;

QString shownDate(const SQLite::Column& c) {
    if (c.isNull()) return QString();
    const QString text = QString::fromStdString(c.getString());
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() ? mdyText(date) : text;
}

}  // namespace

QString lineName(const char* label) {
    QString name = QString::fromLatin1(label).trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name;
}

QString nutrientUnit(int slot) {
    if (const DailyValueEntry* e = dailyValueEntry(slot)) return QLatin1String(e->unit);
    // The two fats without a Daily Value are in grams like the others; ash is not reported.
    return slot == 29 || slot == 30 ? QStringLiteral("g") : QStringLiteral("mg");
}

ReportFigures::ReportFigures(ReportKind kind, const NutrientTotals& totals,
                             const PercentDV& percent, const DVTexts& dvTexts,
                             std::vector<DayTotals> days, const DailyValueTargets& targets)
    : m_kind(kind), m_targets(targets), m_days(std::move(days)) {
    PercentDV shownPercent = percent;
    DVTexts shownTexts = dvTexts;
    if (!showsDailyValues(kind)) {
        // The range of dates computes no Daily Values: the chart shows those of the average
        // day, by the same rule and rounding as the other reports.
        NutrientTotals average{};
        const double dayCount = m_days.empty() ? 1.0 : double(m_days.size());
        for (int p = kFirstSlot; p <= kLastSlot; ++p) average[p] = totals[p] / dayCount;
        DailyValues::calc(average, shownPercent, shownTexts, m_targets);
    }
    for (const NutrientLine& line : ReportText::nutrientLines()) {
        NutrientFigure f;
        f.slot = line.slot;
        f.name = lineName(line.label);
        f.unit = nutrientUnit(line.slot);
        f.total = totals[line.slot];
        if (line.dailyValue && !shownTexts[line.slot].isEmpty())
            f.percentDV = shownPercent[line.slot];
        for (const DayTotals& day : m_days) f.perDay.push_back(day.totals[line.slot]);
        m_lines.push_back(std::move(f));
    }
}

QStringList ReportFigures::dates() const {
    QStringList out;
    for (const DayTotals& day : m_days) out << day.date;
    return out;
}

std::vector<NutrientFigure> ReportFigures::dailyValueLines() const {
    std::vector<NutrientFigure> out;
    for (const NutrientFigure& f : m_lines)
        if (f.percentDV) out.push_back(f);
    return out;
}

QString ReportFigures::percentHeading() const {
    return !showsDailyValues(m_kind) ? QStringLiteral("% Daily Value of the average per date")
                                     : QStringLiteral("% Daily Value");
}

std::vector<QStringList> ReportFigures::tableRows() const {
    std::vector<QStringList> rows;
    QStringList header{QStringLiteral("Nutrient"), QStringLiteral("Unit"), QStringLiteral("Total"),
                       percentHeading()};
    if (isRange()) header << dates();
    rows.push_back(header);
    for (const NutrientFigure& f : m_lines) {
        QStringList row{f.name, f.unit, text15(f.total),
                        f.percentDV ? shortestText(*f.percentDV) : QString()};
        for (double v : f.perDay) row << text15(v);
        rows.push_back(row);
    }
    return rows;
}

std::vector<DayTotals> dailyTotals(const QString& databasePath, const QString& source) {
    const SqlQuery query = translateSource(source);
    if (query.table != &mealsTable()) throw RuntimeError(err::TableNotFound);
    const QStringList names = fieldNames(mealsTable());
    QStringList sums;
    for (int p = kFirstSlot; p <= kLastSlot; ++p) {
        // Numbers add as stored; a text adds its leading number, an empty field nothing.
        const QString field = quotedName(names[p]);
        sums << QStringLiteral(
                    "TOTAL(CASE WHEN typeof(%1) IN ('integer', 'real', 'null') "
                    "THEN %1 ELSE pw_leading_number(%1) END)")
                    .arg(field);
    }
    QString sql = QStringLiteral("SELECT \"Date\", ") + sums.join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM ") + quotedName(query.table->name);
    if (!query.condition.where.isEmpty()) sql += QStringLiteral(" WHERE ") + query.condition.where;
    sql += QStringLiteral(" GROUP BY \"Date\" ORDER BY \"Date\"");

    std::vector<DayTotals> days;
    const std::shared_ptr<SQLite::Database> db = connection(databasePath);
    try {
        SQLite::Statement st(*db, sql.toStdString());
        bindAll(st, query.condition.values);
        while (st.executeStep()) {
            DayTotals day;
            day.date = shownDate(st.getColumn(0));
            for (int p = kFirstSlot; p <= kLastSlot; ++p)
                day.totals[p] = st.getColumn(p - kFirstSlot + 1).getDouble() + 0.0;
            days.push_back(std::move(day));
        }
    } catch (const SQLite::Exception& e) {
        throw storeError(e, databasePath);
    }
    return days;
}

}  // namespace pw
