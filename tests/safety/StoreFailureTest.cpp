// A full disk, a file made read-only and a file locked by another program, while the window
// runs: a new meal and a new item are refused with a message that names the problem, the
// windows go on, and every earlier row stays as it was. (Every change of the store, under each
// failure, is tested without a window in tests/data/MealStoreTest.cpp.)
#include "tests/meals/Meals.h"
#include "tests/support/FileFailure.h"

namespace pw::test {
namespace {

class StoreFailures : public MealsTest, public ::testing::WithParamInterface<Failure> {
protected:
    void SetUp() override {
        if (QString why; !FileFailure::possible(GetParam(), db(), &why))
            GTEST_SKIP() << why.toStdString();
        addMeal(db(), 3, QStringLiteral("Breakfast"), kDate, false);
        for (const char* food : {"Apple, raw", "Milk, whole"})
            addMealItem(db(), 3, QStringLiteral("Breakfast"), kDate, QLatin1String(food), 100,
                        {{"ENERG_KCAL", 52}});
        openWindow();
    }
    FileFailure file{db(),
                     {"MealNumbers", "Meals"},
                     "INSERT INTO Meals (description, MealNumber, MealName, Date) "
                     "VALUES ('x', 3, 'Breakfast', '2002-03-04')"};
};

TEST_P(StoreFailures, EachChangeIsRefusedWithAClearMessageAndNothingIsLost) {
    // Listed and printed by the failure's name, not as "4-byte object <00-00 00-00>".
    EXPECT_EQ(::testing::PrintToString(GetParam()), nameOf(GetParam()));
    EXPECT_TRUE(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name())
                    .endsWith(QLatin1String(nameOf(GetParam()))));
    const auto refused = [&](QStringView what, const std::function<void()>& act) {
        SCOPED_TRACE(what.toString().toStdString());
        const QStringList before = file.fail(GetParam());
        const size_t shown = platform.messages().size();
        act();
        file.recover();
        EXPECT_EQ(file.rows(), before);
        ASSERT_GT(platform.messages().size(), shown);
        EXPECT_TRUE(platform.messages().back().text.contains(db()))
            << platform.messages().back().text.toStdString();
        platform.verifyDone();
    };
    refused(u"a meal", [&] {
        expectDialog([&](QDialog& d) {
            type(d, "Text2", QStringLiteral("Sunday supper at home"));
            type(d, "Text3", QStringLiteral("3/6/02"));
            platform.expectMsg(MsgResult::OK, saysOf(GetParam()));
            click(d, "cmdOK");
            EXPECT_TRUE(d.isVisible());
            click(d, "cmdCancel");
        });
        press(form->cmdAddMeal);
    });
    refused(u"an item", [&] {
        press(form->cmdAddItem);
        platform.expectMsg(MsgResult::OK, saysOf(GetParam()));
        pickFood(QStringLiteral("Bread, whole-wheat"), true);
        press(form->cmdCancel);
        EXPECT_FALSE(picking());
    });
    // Once the file can be written again, the same change is stored.
    press(form->cmdAddItem);
    pickFood(QStringLiteral("Bread, whole-wheat"), true);
    EXPECT_EQ(stored(3, {"description"}).last(), QStringLiteral("Bread, whole-wheat"));
}

INSTANTIATE_TEST_SUITE_P(, StoreFailures,
                         ::testing::Values(Failure::DiskFull, Failure::ReadOnly, Failure::Locked),
                         [](const ::testing::TestParamInfo<Failure>& info) {
                             return std::string(nameOf(info.param));
                         });

}  // namespace
}  // namespace pw::test
