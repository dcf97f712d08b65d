#include <SQLiteCpp/Exception.h>
#include <sqlite3.h>

#include <QAction>
#include <stdexcept>

#include "data/RuntimeError.h"
#include "tests/custom/CustomFixture.h"
#include "tests/meals/Meals.h"

namespace pw::test {
namespace {

// A failure of each kind a handler may meet, and the start of the common report it must become.
// (How each kind is numbered: PendingError in the data tests.)
struct Injected {
    const char* what;
    std::function<std::exception_ptr()> make;
    const char* report;
};
const Injected kKinds[] = {
    {"run-time error", [] { return std::make_exception_ptr(RuntimeError(err::NoCurrentRecord)); },
     "Error number 3021 was encountered."},
    {"store failure",
     [] { return std::make_exception_ptr(SQLite::Exception("disk I/O error", SQLITE_FULL)); },
     "Error number 3035 was encountered."},
    {"other standard exception",
     [] { return std::make_exception_ptr(std::invalid_argument("Key script")); },
     "Error number 51 was encountered."},
    {"unknown", [] { return std::make_exception_ptr(42); }, "Error number 51 was encountered."},
};

// A handler whose message box throws instead: the guard of its window shows the common report
// and the window goes on. An exception that escaped would end the test program.
class Guards : public MealsTest {
protected:
    void inject(const Injected& kind) {
        platform.throwAtNextMessage(kind.make());
        platform.expectMsg(MsgResult::OK, QLatin1String(kind.report));
    }
};

TEST_F(Guards, EveryWindowReportsEveryKindAndGoesOn) {
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("Apple, raw"), 100);
    openWindow();
    for (const Injected& kind : kKinds) {
        SCOPED_TRACE(kind.what);
        inject(kind);
        form->mnuSaveReport->trigger();  // "There is no report displayed ..." throws
        EXPECT_TRUE(form->isEnabled());

        showMealDialog([&](QDialog& d) {
            type(d, "Text2", QString());
            type(d, "Text3", QString());
            inject(kind);
            click(d, "cmdOK");  // the "fill in" message throws
            EXPECT_TRUE(d.isVisible());
            click(d, "cmdCancel");
        });

        expectDialog([&](QDialog& d) {
            inject(kind);
            click(d, "cmdOK");  // the report dialog's empty box: its message throws
            EXPECT_TRUE(d.isVisible());
            click(d, "cmdCancel");
        });
        form->mnuReportMealNumber->trigger();

        expectDialog([&](QDialog& d) {
            clickRow(d.findChild<BoundList*>(QStringLiteral("DBList1")),
                     QStringLiteral("My granola"));
            inject(kind);
            click(d, "cmdDelete");  // the question "Are you sure ..." throws
            EXPECT_TRUE(d.isVisible());
            click(d, "cmdDone");
        });
        press(form->cmdCustom);
        platform.verifyDone();  // each report shown once
    }
    EXPECT_EQ(form->lTotalRecordsB, 1);
    EXPECT_TRUE(numbers(QStringLiteral("MealNumbers")).isEmpty());  // no meal half stored
    EXPECT_FALSE(form->bvHit);
    EXPECT_EQ(rowCount(folder.customDb(), QStringLiteral("CSR14")),
              fixtureFoodDescriptions().size());  // nothing deleted
}

// With nothing to go back to, a report request that finds nothing says only that.
class EmptyReports : public MealsTest {};

TEST_F(EmptyReports, NoMealAtAllShowsOnlyTheNoRecordsMessage) {
    openWindow();  // "There are no records yet..."
    expectDialog([&](QDialog& d) {
        type(d, "Text1", QStringLiteral("1"));
        platform.expectMsg(MsgResult::OK,
                           QStringLiteral("No records were found that match your entry."));
        click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        click(d, "cmdCancel");
    });
    form->mnuReportMealNumber->trigger();
    EXPECT_EQ(platform.messages().size(), 2u);
    EXPECT_EQ(form->lTotalRecordsB, 0);
    EXPECT_FALSE(form->bvHit);
}

TEST_F(EmptyReports, AMealEmptiedMeanwhileIsReturnedToWithoutAnError) {
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("Apple, raw"), 100);
    addMealItem(db(), 3, QStringLiteral("Supper"), kDate, QStringLiteral("Milk, whole"), 100);
    openWindow();
    // Meal 1, still shown, loses its items to another program.
    connection(db())->exec("DELETE FROM Meals WHERE MealNumber = 1");
    expectDialog([&](QDialog& d) {
        type(d, "Text1", QStringLiteral("3"));
        click(d, "cmdOK");
    });
    form->mnuReportMealNumber->trigger();
    EXPECT_TRUE(form->reportText.startsWith(QStringLiteral(" REPORT FOR MEAL NUMBER 3\r\n")));
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(form->DataB.recordCount(), 0);
    EXPECT_EQ(form->lTotalRecordsB, 0);
}

}  // namespace
}  // namespace pw::test
