#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "reports/DailyValues.h"
#include "reports/ReportKind.h"

namespace pw {

// The nutrient totals of one date of a range report.
struct DayTotals {
    QString date;  // MM/DD/YYYY as the report shows dates; empty for rows without a date
    NutrientTotals totals{};
};

// One line of a report as numbers: what the chart, the table and the CSV show.
struct NutrientFigure {
    int slot = 0;
    QString name;  // the report's label without its blanks and colon
    QString unit;
    double total = 0;
    // The percent of the Daily Value the line shows; for the range of dates, which shows none,
    // the percent of the average per date with meals. Empty where the line shows none.
    std::optional<double> percentDV;
    std::vector<double> perDay;  // ranges: the total of each date, in date order
};

// The numbers of the report on display, kept when the report is made: its totals and percent
// Daily Values as the report computed them, and for the two range reports the totals per date.
class ReportFigures {
public:
    // `percent` and `dvTexts` are the report's own (CalcDV's, by `targets`); they are not read
    // for the range of dates, whose percentages are computed here by `targets`.
    ReportFigures(ReportKind kind, const NutrientTotals& totals, const PercentDV& percent,
                  const DVTexts& dvTexts, std::vector<DayTotals> days = {},
                  const DailyValueTargets& targets = {});

    ReportKind kind() const { return m_kind; }
    bool isRange() const { return pw::isRange(m_kind); }
    const std::vector<DayTotals>& days() const { return m_days; }
    // The Daily Values the percentages were computed by.
    const DailyValueTargets& targets() const { return m_targets; }
    QStringList dates() const;
    // The 29 report lines in the report's order.
    const std::vector<NutrientFigure>& lines() const { return m_lines; }
    // The lines that carry a percent of the Daily Value, in the report's order.
    std::vector<NutrientFigure> dailyValueLines() const;
    // What the percent column means: the report's % Daily Value, or for the range of dates the
    // % Daily Value of the average per date with meals.
    QString percentHeading() const;

    // Header row and one row per line: nutrient, unit, total, percent, and one column per date
    // for ranges. Totals as the report writes them (15 significant digits), percentages as it
    // shows them.
    std::vector<QStringList> tableRows() const;

private:
    ReportKind m_kind;
    DailyValueTargets m_targets;
    std::vector<DayTotals> m_days;
    std::vector<NutrientFigure> m_lines;
};

// A report label without its blanks and colon: "   Protein:" gives "Protein".
QString lineName(const char* label);

// The unit of a nutrient slot as a label states it: "kcal", "g", "mg", "mcg", "IU".
QString nutrientUnit(int slot);

// The totals per date of the rows that the record source `source` selects in the meal file at
// `databasePath`, summed from the stored values as the report sums them (the leading number of
// a text, nothing for an empty field), in date order. One grouped query; every literal bound.
// Throws RuntimeError when the store fails.
std::vector<DayTotals> dailyTotals(const QString& databasePath, const QString& source);

}  // namespace pw
