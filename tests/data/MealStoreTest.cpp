// Every change to the meal file through the store: stored whole or not at all, whatever stops it
// (a full disk, a read-only file, another program's lock), with the cursors where they stood.
#include <gtest/gtest.h>

#include "data/Database.h"
#include "data/MealStore.h"
#include "data/Queries.h"
#include "data/RecordCursor.h"
#include "data/RuntimeError.h"
#include "tests/support/FileFailure.h"
#include "tests/support/TestDb.h"

namespace pw::test {
namespace {

const QDate kDate(2002, 3, 4);

class MealStoreTest : public ::testing::Test {
protected:
    MealStoreTest() {
        addMeal(db(), 3, QStringLiteral("Breakfast"), kDate, false);
        for (const char* food : {"Apple, raw", "Milk, whole"})
            addMealItem(db(), 3, QStringLiteral("Breakfast"), kDate, QLatin1String(food), 100,
                        {{"ENERG_KCAL", 52}});
        for (RecordCursor* c : {&items, &headers}) c->setDatabaseName(db());
        items.setRecordSource(mealItemsQuery(QStringLiteral("3")));
        items.refresh();
        items.moveLast();
        headers.setRecordSource(mealHeaderQuery(QStringLiteral("3")));
        headers.refresh();
    }
    void TearDown() override { closeAllConnections(); }
    QString db() const { return folder.mealDb(); }

    ProgramFolder folder;
    RecordCursor items, headers;
    MealStore store{items};
};

struct Change {
    const char* what;
    bool needsRoom;  // a full disk stops only a change that needs more room
    std::function<void(MealStore&, RecordCursor& items, RecordCursor& headers)> act;
};

class MealStoreFailures : public MealStoreTest, public ::testing::WithParamInterface<Failure> {
protected:
    void SetUp() override {
        if (QString why; !FileFailure::possible(GetParam(), db(), &why))
            GTEST_SKIP() << why.toStdString();
    }
    FileFailure file{db(),
                     {"MealNumbers", "Meals"},
                     "INSERT INTO Meals (description, MealNumber, MealName, Date) "
                     "VALUES ('x', 3, 'Breakfast', '2002-03-04')"};
};

TEST_P(MealStoreFailures, EveryChangeStoresNothingAndLeavesTheCursorsWhereTheyStood) {
    const auto setItem = [](RecordCursor& c, const char* field, const char* text) {
        c.setText(QLatin1String(field), QLatin1String(text));
    };
    const Change changes[] = {
        {"a meal", true,
         [](MealStore& s, RecordCursor& items, RecordCursor& headers) {
             s.addMeal(headers, {"4", "Supper", "3/6/02"}, [&] { items.update(); });
         }},
        {"an item", true,
         [&](MealStore& s, RecordCursor& items, RecordCursor&) {
             items.addNew();
             s.saveItem([&] {
                 for (const char* f : {"description", "MealName"}) setItem(items, f, "Bread");
                 setItem(items, "MealNumber", "3");
             });
         }},
        {"a portion", false,
         [&](MealStore& s, RecordCursor& items, RecordCursor&) {
             s.saveItem([&] {
                 items.edit();
                 setItem(items, "ENERG_KCAL", "78");
             });
         }},
        {"a removal", false, [](MealStore& s, RecordCursor&, RecordCursor&) { s.removeItem(); }},
        {"a meal's removal", false,
         [](MealStore& s, RecordCursor&, RecordCursor& headers) { s.removeMeal(headers); }},
        {"a copy", true,
         [](MealStore& s, RecordCursor&, RecordCursor&) {
             s.copyMeal(QStringLiteral("3"), {"", "Copy", "3/7/02"});
         }},
    };
    for (const Change& change : changes) {
        if (GetParam() == Failure::DiskFull && !change.needsRoom) continue;
        SCOPED_TRACE(change.what);
        const QStringList before = file.fail(GetParam());
        const int position = items.absolutePosition(), count = items.recordCount();
        try {
            change.act(store, items, headers);
            ADD_FAILURE() << "stored";
        } catch (const RuntimeError& e) {
            EXPECT_TRUE(e.description().contains(db()) &&
                        e.description().contains(saysOf(GetParam())))
                << e.description().toStdString();
        }
        file.recover();
        EXPECT_EQ(file.rows(), before);
        EXPECT_EQ(items.editMode(), EditMode::None);
        EXPECT_EQ(items.absolutePosition(), position);
        EXPECT_EQ(items.recordCount(), count);
        EXPECT_EQ(items.text(QStringLiteral("description")), QStringLiteral("Milk, whole"));
        EXPECT_EQ(headers.absolutePosition(), 0);
    }
    // Once the file can be written again, a change is stored.
    EXPECT_EQ(store.removeItem(), 1);
}

INSTANTIATE_TEST_SUITE_P(, MealStoreFailures,
                         ::testing::Values(Failure::DiskFull, Failure::ReadOnly, Failure::Locked),
                         [](const ::testing::TestParamInfo<Failure>& info) {
                             return std::string(nameOf(info.param));
                         });

}  // namespace
}  // namespace pw::test
