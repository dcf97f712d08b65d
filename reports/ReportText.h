#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "reports/DailyValues.h"
#include "reports/ReportKind.h"

namespace pw {

class BoundFields;
class RecordCursor;

// What a report's header shows, captured from the first and last rows of its selection.
struct ReportHeader {
    ReportKind kind = ReportKind::Meal;
    QString mealNumber;  // Meal
    QString mealName;    // Meal
    QString date;        // Meal and Date
    QString mealNum1;    // the ranges: meal number of the first row
    QString mealNum2;    // the ranges: meal number of the last row
    QString firstDate;   // the ranges
    QString lastDate;    // the ranges
    int itemCount = 0;
};

// The totals of a walk over a report's rows and the values of its first and last rows.
struct ReportRows {
    NutrientTotals totals{};  // positions 2..31 summed, the rest 0
    QString firstMealNumber;
    QString firstDate;
    QString lastMealNumber;
    QString lastMealName;
    QString lastDate;
};

// One nutrient line of the report body: its label (with the blanks and colon the report shows),
// the slot whose total it shows, and whether a Daily Value text may follow the total.
struct NutrientLine {
    const char* label;
    int slot;
    bool dailyValue;
};

class ReportText {
public:
    // The body's 29 nutrient lines in the report's order, calories first.
    static const std::vector<NutrientLine>& nutrientLines();

    // The report text: header, the nutrient lines and the footer, every line ended by
    // `lineBreak`. `dv` holds the Daily Value texts by slot; the range of dates shows none. The
    // footer says which Daily Values `targets` are.
    static QString build(const ReportHeader& header, const NutrientTotals& totals,
                         const DVTexts& dv, const DailyValueTargets& targets = {},
                         const QString& lineBreak = QStringLiteral("\r\n"));

    // The six footer lines: the guidelines' own for the standard Daily Values; for the user's
    // own, the first two say so, with the calorie level and how many values were set by hand.
    static QStringList footerLines(const DailyValueTargets& targets);

    // Walks `count` rows of `cursor` from its first row, adding the numeric value of fields 2..31
    // (the leading number of each text; an empty field adds 0). The cursor ends on the last
    // row walked. `fields` addresses the cursor's fields by binding index.
    static ReportRows walk(RecordCursor& cursor, const BoundFields& fields, int count);
};

}  // namespace pw
