#pragma once

#include <QtGlobal>

namespace pw {

// The four reports, numbered as the shared state's `ivReport` numbers them.
enum class ReportKind : qint16 { Meal = 1, MealRange = 2, Date = 3, DateRange = 4 };

// The one place where the shared number becomes a kind, and back.
constexpr ReportKind reportKind(qint16 ivReport) { return static_cast<ReportKind>(ivReport); }
constexpr qint16 ivReportOf(ReportKind kind) { return static_cast<qint16>(kind); }

// The two range reports, whose header names a first and a last meal or date.
constexpr bool isRange(ReportKind kind) {
    return kind == ReportKind::MealRange || kind == ReportKind::DateRange;
}

// Every report but the range of dates shows the percent Daily Values.
constexpr bool showsDailyValues(ReportKind kind) { return kind != ReportKind::DateRange; }

}  // namespace pw
