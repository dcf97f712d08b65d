#include "custom/NewFood.h"
#include "custom/frmDbaseAdd.h"
#include "tests/custom/CustomFixture.h"

namespace pw::test {
namespace {

class AddFoodDialog : public MealsTest {
protected:
    void SetUp() override {
        dialog = std::make_unique<frmDbaseAdd>(platform);
        dialog->Form_Load();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        before = rowCount(foodDb(), QStringLiteral("CSR14"));
    }
    void TearDown() override {
        dialog.reset();
        MealsTest::TearDown();
    }

    QString foodDb() const { return folder.customDb(); }
    void type(int slot, const QString& text) { typeInto(*dialog, slot, text); }
    void save() { QTest::mouseClick(dialog->cmdSave, Qt::LeftButton); }
    // The food of the typical example: 300 calories and 5 g of fiber in a 250 g bag.
    void typeTrailMix() {
        for (auto [slot, text] :
             {std::pair{0, "Trail mix"}, {33, "1 bag"}, {32, "250"}, {2, "300"}, {6, "5"}})
            type(slot, QString::fromLatin1(text));
    }
    // A field of the stored food, "NULL" when it is empty.
    QString stored(const char* field, const QString& food = QStringLiteral("Trail mix")) {
        return storedField(foodDb(), food, QString::fromLatin1(field)).value_or("NULL");
    }

    std::unique_ptr<frmDbaseAdd> dialog;
    int before = 0;
};

TEST_F(AddFoodDialog, EachCheckNotesItsProblemAndFocusesItsBox) {
    // Each failing check notes its problem and focuses its box, which the user fills next.
    const std::tuple<int, const char*, const char*> steps[] = {
        {0, "Please enter an item description.", "Nan's 'pie'"},
        {0,
         "Descriptions can not contain more than one appostrophe. Please re-write the "
         "description.",
         "Nan's pie"},
        {33, "Please enter a description of the portion size.", "1 slice"},
        {32, "Please enter weight of the portion in grams.", "0"},
        {32, "Please enter weight of the portion in grams.  Weight must be greater than zero.",
         "120"},
        {2, "Please enter the number of Calories.", "240"},
    };
    for (const auto& [box, note, text] : steps) {
        platform.expectMsg(MsgResult::OK);
        save();
        ASSERT_FALSE(platform.messages().empty());
        EXPECT_EQ(platform.messages().back().text, QString::fromUtf8(note));
        EXPECT_EQ(QApplication::focusWidget(), foodBox(*dialog, box)) << note;
        type(box, QString::fromUtf8(text));
    }
    // The last attempt passes, with its one apostrophe.
    save();
    EXPECT_EQ(stored("ENERG_KCAL", QStringLiteral("Nan's pie")).toDouble(), 200.0);
}

// Stored once the store takes it, converted to 100 g: 300 kcal and 5 g of fiber in 250 g.
TEST_F(AddFoodDialog, AfterAFailedSaveTheTypedValuesAreShownAgainAndSavedOnce) {
    typeTrailMix();
    type(3, QStringLiteral("lots"));  // no number: stored as 0
    auto exec = [this](const char* sql) {
        SQLite::Database(foodDb().toStdString(), SQLite::OPEN_READWRITE).exec(sql);
    };
    exec("CREATE TRIGGER refuse BEFORE INSERT ON CSR14 BEGIN SELECT RAISE(ABORT, 'full'); END");
    platform.expectMsg(MsgResult::OK, QStringLiteral("Error number "));
    save();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(foodBox(*dialog, 2)->text(), QStringLiteral("300"));
    exec("DROP TRIGGER refuse");
    save();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(rowCount(foodDb(), QStringLiteral("CSR14")), before + 1);
    EXPECT_EQ(QStringList({stored("ENERG_KCAL"), stored("FIBER_TD"), stored("PROTEIN")}),
              QStringList({"120.0", "2.0", "0.0"}));
    // Empty boxes are not written: the fields stay empty rather than 0.
    for (const char* field : {"TOT_LIPID", "CALCIUM", "WATER", "GMWT_2"})
        EXPECT_EQ(stored(field), "NULL") << field;
}

TEST_F(AddFoodDialog, HostileEntriesAreStoredAsTypedOrRefusedWithAMessage) {
    const auto fill = [this](const QString& description, const QString& weight,
                             const QString& calories) {
        for (auto [slot, text] : {std::pair{0, description},
                                  {33, QStringLiteral("1 bag")},
                                  {32, weight},
                                  {2, calories}})
            foodBox(*dialog, slot)->setText(text);
    };
    // A weight or a value that is no number the store can hold: a message, nothing written.
    const QByteArray nines(400, '9');
    for (const auto& [weight, calories, error] : {std::tuple{"1e400", "300", 13},
                                                  {"31/02/2024", "300", 13},
                                                  {"'; DROP TABLE CSR14; --", "300", 13},
                                                  {"250", nines.constData(), 6}}) {
        SCOPED_TRACE(weight);
        fill(QStringLiteral("Trail mix"), QLatin1String(weight), QLatin1String(calories));
        platform.expectMsg(MsgResult::OK,
                           QStringLiteral("Error number %1 was encountered.").arg(error));
        save();
        EXPECT_TRUE(dialog->isVisible());
    }
    EXPECT_EQ(rowCount(foodDb(), QStringLiteral("CSR14")), before);

    // Descriptions are stored as typed, whatever they hold, up to what the box takes.
    const QString longest(dialog->findChild<QLineEdit*>("txtFields_0")->maxLength(), u'a');
    const QString descriptions[] = {QStringLiteral("x'); DROP TABLE CSR14; --"),
                                    QStringLiteral("Crème brûlée — 日本 🍰"), longest};
    for (const QString& description : descriptions) {
        fill(description + QStringLiteral("tail"), QStringLiteral("100000"), QStringLiteral("300"));
        save();
        EXPECT_FALSE(dialog->isVisible());
        dialog = std::make_unique<frmDbaseAdd>(platform);
        dialog->Form_Load();
        dialog->show();
    }
    EXPECT_EQ(rowCount(foodDb(), QStringLiteral("CSR14")), before + 3);
    for (const QString& description : descriptions) {
        const QString stored = description == longest ? description : description + "tail";
        EXPECT_EQ(storedField(foodDb(), stored, QStringLiteral("GMWT_1")),
                  QStringLiteral("100000.0"));
    }
}

TEST_F(AddFoodDialog, TheCloseControlDiscardsThePendingRow) {
    typeTrailMix();
    dialog->close();
    EXPECT_EQ(dialog->Data1.editMode(), EditMode::None);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(rowCount(foodDb(), QStringLiteral("CSR14")), before);
}

}  // namespace
}  // namespace pw::test
