#pragma once

#include <QString>
#include <array>

#include "data/RecordCursor.h"
#include "data/Schema.h"

namespace pw {

// The variables through which the windows cooperate: the current meal, the report request, the
// portion and dialog flags, the counters, the working value array and the report storage. The
// main window owns one; each dialog is given it and reads and writes the members it uses.
struct SharedState {
    QString svCR;      // carriage return + line feed
    QString sMealNum;  // meal number of the meal the item cursor shows
    QString svA;       // the item cursor's query text
    qint16 lTotalRecordsB = 0;
    QString svMealNumber;  // meal that new items go into
    QString svMealName;
    QString svDate;
    bool vSelectExisting = false;
    bool varOK = false;        // a new meal was just created and has no item yet
    bool vCancelFlag = false;  // the meal dialog was left with Cancel
    qint16 ivHoldNumber = 0;
    qint16 vAbsPosition = 0;
    QString svPortionDescrip;
    bool bvCancel = false;  // the portion dialog was left with Cancel
    qint16 ivReport = 0;    // report kind: 1 meal, 2 meal range, 3 date, 4 date range
    QString svMealNum1;
    QString svMealNum2;
    float ivOrigMealNum = 0;
    bool bvHit = false;  // the report dialog selected some rows
    qint16 iFoodCount = 0;

    // The working value array: slots 0..31 of a food or item, 33/34 unit and quantity, 41 grams.
    std::array<QString, 42> S;

    // Report storage by nutrient slot: the totals (0..41), and for slots 2..31 the percent
    // Daily Values and the texts appended to their report lines.
    std::array<double, 42> dTotals{};
    std::array<double, 32> dPercentDV{};
    std::array<QString, 32> svDV;
    // The report dialog's values that outlive one opening: the meal number it remembered and
    // the query text it sent last.
    float frmReportMealNumber = 0;
    QString frmReportLastQuery;
};

// The main window's two cursors with their bound fields, which the dialogs also move and write.
struct MainCursors {
    MainCursors()
        : txtFields(Data1, fieldNames(csr14Table())), txtFieldB(DataB, fieldNames(mealsTable())) {}
    MainCursors(const MainCursors&) = delete;
    MainCursors& operator=(const MainCursors&) = delete;

    RecordCursor Data1;     // the food cursor over CSR14
    RecordCursor DataB;     // the item cursor over Meals
    BoundFields txtFields;  // Data1 by nutrient slot 0..38 (FoodSlot)
    BoundFields txtFieldB;  // DataB by binding index 0..41 (MealField)
};

}  // namespace pw
