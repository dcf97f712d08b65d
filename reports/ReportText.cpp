#include "reports/ReportText.h"

#include <optional>

#include "data/Database.h"
#include "data/Fields.h"
#include "data/NumberText.h"
#include "data/RecordCursor.h"

namespace pw {

namespace {

// The nutrient lines after the calories line, in the order a reader of a label expects them.
constexpr NutrientLine kLines[] = {
    {" Total Fat in grams:  ", 4, true},
    {"    Saturated Fat in grams:  ", 28, true},
    {"    Polyunsaturated Fat in grams:  ", 30, false},
    {"    Monounsaturated Fat in grams:  ", 29, false},
    {" Cholesterol in mg:  ", 31, true},
    {" Carbohydrate in grams:  ", 5, true},
    {" Fiber in grams:  ", 6, true},
    {" Protein in grams:  ", 3, true},
    {" Sodium in mg:  ", 11, true},
    {" Potassium in mg:  ", 12, true},
    {" Calcium in mg:  ", 8, true},
    {" Phosphorus in mg:  ", 9, true},
    {" Iron in mg:  ", 10, true},
    {" Magnesium in mg:  ", 13, true},
    {" Zinc in mg:  ", 14, true},
    {" Copper in mg:  ", 15, true},
    {" Manganese in mg:  ", 16, true},
    {" Selenium in in micrograms:  ", 17, true},
    {" Vitamin A in iu:  ", 18, true},
    {" Thiamin in mg:  ", 20, true},
    {" Riboflavin in mg:  ", 21, true},
    {" Niacin in mg:  ", 22, true},
    {" Pantothenic acid mg:  ", 23, true},
    {" Vitamin B6 in mg:  ", 24, true},
    {" Folic Acid in micrograms:  ", 25, true},
    {" Vitamin B12 in micrograms:  ", 26, true},
    {" Vitamin C in mg:  ", 27, true},
    {" Vitamin E in mg:  ", 19, true},
};

constexpr const char* kFooter[] = {
    "Percent Daily Values are Food and Drug Administration",
    "guidelines and are based on a 2000 calorie diet.  If your calorie",
    "needs are higher or lower the daily values for carbohydrates,",
    "protein, fat, and fiber would be proportionally higher or lower also.",
    "Daily Values for vitamins, minerals, and cholesterol would",
    "remain the same.",
};

QStringList headerLines(const ReportHeader& h) {
    const QString count = plainInt(h.itemCount);
    switch (h.kind) {
        case ReportKind::Meal:
            return {QStringLiteral(" REPORT FOR MEAL NUMBER ") + h.mealNumber,
                    QStringLiteral(" Meal Name: ") + h.mealName + QStringLiteral("    ") +
                        QStringLiteral(" Date of meal: ") + h.date,
                    QStringLiteral(" Total Number of Items in meal: ") + count};
        case ReportKind::MealRange:
            return {QStringLiteral(" REPORT FOR MEALS ") + h.mealNum1 +
                        QStringLiteral(" THROUGH ") + h.mealNum2,
                    QStringLiteral(" Date of Meal Number ") + h.mealNum1 +
                        QStringLiteral(":      ") + h.firstDate,
                    QStringLiteral(" Date of Meal Number ") + h.mealNum2 +
                        QStringLiteral(":      ") + h.lastDate,
                    QStringLiteral(" Total Number of Items in all meals: ") + count};
        case ReportKind::Date:
            return {QStringLiteral(" REPORT FOR DATE: ") + h.date,
                    QStringLiteral(" Total Number of Items in all meals for this date: ") + count};
        case ReportKind::DateRange:
        default:
            return {QStringLiteral(" REPORT FOR DATES ") + h.firstDate +
                        QStringLiteral(" THROUGH ") + h.lastDate,
                    QStringLiteral(" Including meal numbers: ") + h.mealNum1 +
                        QStringLiteral(" through ") + h.mealNum2,
                    QStringLiteral(" Total Number of Items in all meals: ") + count};
    }
}

}  // namespace

const std::vector<NutrientLine>& ReportText::nutrientLines() {
    static const std::vector<NutrientLine> lines = [] {
        std::vector<NutrientLine> all{{" Total Calories:  ", 2, true}};
        all.insert(all.end(), std::begin(kLines), std::end(kLines));
        return all;
    }();
    return lines;
}

QStringList ReportText::footerLines(const DailyValueTargets& targets) {
    QStringList lines;
    for (const char* f : kFooter) lines << QLatin1String(f);
    if (targets.isStandard()) return lines;
    const int own = targets.ownCount();
    QString basis =
        QStringLiteral("a ") + plainInt(targets.calorieLevel) + QStringLiteral(" calorie diet");
    if (own > 0)
        basis += QStringLiteral(" (") + plainInt(own) +
                 (own == 1 ? QStringLiteral(" value") : QStringLiteral(" values")) +
                 QStringLiteral(" set by hand)");
    lines[0] = QStringLiteral("Percent Daily Values are your own Daily Values, based on");
    lines[1] = basis + QStringLiteral(".  If your calorie");
    return lines;
}

QString ReportText::build(const ReportHeader& header, const NutrientTotals& totals,
                          const DVTexts& dv, const DailyValueTargets& targets,
                          const QString& lineBreak) {
    const bool withDV = showsDailyValues(header.kind);
    QString text;
    text.reserve(3000);
    auto line = [&](const QString& s) {
        text += s;
        text += lineBreak;
    };
    for (const QString& s : headerLines(header)) line(s);
    line(QString());
    line(QStringLiteral(" Total Calories:  ") + text15(totals[2]) + (withDV ? dv[2] : QString()));
    line(QString());
    for (const NutrientLine& l : kLines) {
        QString s = QLatin1String(l.label) + text15(totals[l.slot]);
        if (withDV && l.dailyValue) s += dv[l.slot];
        line(s);
    }
    line(QString());
    for (const QString& f : footerLines(targets)) line(f);
    return text;
}

ReportRows ReportText::walk(RecordCursor& cursor, const BoundFields& fields, int count) {
    ReportRows rows;
    if (count <= 0) return rows;
    // The rows are read as one snapshot. A pending edit is saved by the first move, and that
    // write must not wait in a read transaction: then the walk reads without one.
    std::optional<ReadSnapshot> snapshot;
    if (!cursor.databaseName().isEmpty() && cursor.editMode() == EditMode::None)
        snapshot.emplace(cursor.databaseName());
    cursor.moveFirst();  // saves a pending edit first, as every move does
    rows.firstMealNumber = fields.text(MealField::MealNumber);
    rows.firstDate = fields.text(MealField::Date);
    if (count <= cursor.recordCount()) {
        // The totals with one query over the rows, then the last row walked made current.
        QStringList nutrients;
        for (int p = 2; p <= 31; ++p) nutrients << fields.name(p);
        int row = 0;
        cursor.forEachRowNumbers(nutrients, [&](const double* values) {
            if (row++ >= count) return;
            for (int p = 2; p <= 31; ++p) rows.totals[p] += values[p - 2];
        });
        if (count > 1) cursor.setAbsolutePosition(count - 1);
    } else {
        // More rows asked for than there are: the walk runs past the end, as moving would.
        for (int j = 1; j <= count; ++j) {
            if (j > 1) cursor.moveNext();
            for (int p = 2; p <= 31; ++p) rows.totals[p] += leadingNumber(fields.text(p));
        }
    }
    rows.lastMealNumber = fields.text(MealField::MealNumber);
    rows.lastMealName = fields.text(MealField::MealName);
    rows.lastDate = fields.text(MealField::Date);
    return rows;
}

}  // namespace pw
