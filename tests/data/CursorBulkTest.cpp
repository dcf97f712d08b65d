#include <gtest/gtest.h>

#include <limits>

#include "data/NumberText.h"
#include "data/RecordCursor.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

// The numbers read in one pass must be those a walk from row to row reads from the texts,
// whatever the stored values look like, and in the cursor's order after rows came and went.
TEST(CursorBulkTest, RowNumbersMatchTheTextsRowByRow) {
    ProgramFolder folder;
    const QString db = folder.mealDb();
    const QVariantList odd = {12.5,           0.1,
                              qlonglong(717), QString("2 cups"),
                              QString("abc"), std::numeric_limits<double>::denorm_min(),
                              -0.0,           1e22};
    for (int i = 0; i < odd.size(); ++i)
        test::insertRow(db, "Meals",
                        {{"MealNumber", 1}, {"PROTEIN", odd[i]}, {"ENERG_KCAL", 3 - i}});
    test::insertRow(db, "Meals", {{"MealNumber", 1}});

    RecordCursor c;
    c.setDatabaseName(db);
    c.setRecordSource("Select * From Meals Where MealNumber = 1 Order by ENERG_KCAL");
    c.refresh();
    c.setAbsolutePosition(2);
    c.deleteRow();  // gone from the store, gone from the cursor
    c.addNew();     // a row the source's condition does not select, shown last
    c.setText("MealNumber", "7");
    c.setText("PROTEIN", "4.25");
    c.update();
    c.setAbsolutePosition(1);

    const QStringList fields = {"PROTEIN", "energ_kcal", "MealNumber"};
    std::vector<std::vector<double>> bulk;
    c.forEachRowNumbers(fields, [&](const double* v) { bulk.emplace_back(v, v + 3); });
    EXPECT_EQ(c.absolutePosition(), 1);

    ASSERT_EQ(int(bulk.size()), c.recordCount());
    for (int r = 0; r < c.recordCount(); ++r) {
        c.setAbsolutePosition(r);
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(bulk[std::size_t(r)][std::size_t(f)], leadingNumber(c.text(fields[f])))
                << "row " << r << " field " << fields[f].toStdString();
    }
    EXPECT_EQ(bulk.back()[0], 4.25);
}

}  // namespace
}  // namespace pw
