#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "custom/frmDbaseAdd.h"
#include "tests/custom/CustomFixture.h"

namespace pw::test {
namespace {

class AddFoodDialog : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<frmDbaseAdd>(env.platform);
        dialog->Form_Load();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        before = rowCount(db(), QStringLiteral("CSR14"));
    }
    void TearDown() override { dialog.reset(); }

    QString db() const { return env.folder.customDb(); }
    void type(int slot, const QString& text) { typeInto(*dialog, slot, text); }
    void save() { QTest::mouseClick(dialog->cmdSave, Qt::LeftButton); }
    // The food of the typical example: 300 calories and 5 g of fiber in a 250 g bag.
    void typeTrailMix() {
        type(0, QStringLiteral("Trail mix"));
        type(33, QStringLiteral("1 bag"));
        type(32, QStringLiteral("250"));
        type(2, QStringLiteral("300"));
        type(6, QStringLiteral("5"));
    }
    std::optional<QString> stored(const char* field) {
        return storedField(db(), QStringLiteral("Trail mix"), QString::fromLatin1(field));
    }

    CustomFolder env;
    std::unique_ptr<frmDbaseAdd> dialog;
    int before = 0;
};

TEST_F(AddFoodDialog, SavesThePortionConvertedTo100Grams) {
    typeTrailMix();
    type(3, QStringLiteral("lots"));  // no number: stored as 0
    save();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(rowCount(db(), QStringLiteral("CSR14")), before + 1);
    EXPECT_EQ(stored("ENERG_KCAL").value_or("NULL").toDouble(), 120.0);
    EXPECT_EQ(stored("FIBER_TD").value_or("NULL").toDouble(), 2.0);
    EXPECT_EQ(stored("PROTEIN").value_or("NULL").toDouble(), 0.0);
    EXPECT_EQ(stored("GMWT_1").value_or("NULL").toDouble(), 250.0);
    EXPECT_EQ(stored("GMWT_DESC1"), QStringLiteral("1 bag"));
    EXPECT_EQ(stored("CODE").value_or("NULL").toInt(), 6500);
    // Empty boxes are not written: the fields stay empty rather than 0.
    for (const char* field : {"TOT_LIPID", "CALCIUM", "CHOLESTRL", "WATER", "GMWT_2"})
        EXPECT_FALSE(stored(field).has_value()) << field;
    EXPECT_TRUE(env.platform.messages().empty());
}

TEST_F(AddFoodDialog, EachCheckNotesItsProblemAndFocusesItsBox) {
    struct Step {
        int slot;  // the box the user fills next
        const char* text;
        int focus;  // the box the failing check points at before it
        const char* note;
    };
    const Step steps[] = {
        {0, "Nan's 'pie'", 0, "Please enter an item description."},
        {0, "Nan's pie", 0,
         "Descriptions can not contain more than one appostrophe. Please re-write the "
         "description."},
        {33, "1 slice", 33, "Please enter a description of the portion size."},
        {32, "0", 32, "Please enter weight of the portion in grams."},
        {32, "120", 32,
         "Please enter weight of the portion in grams.  Weight can not be equal to zero."},
        {2, "240", 2, "Please enter the number of Calories."},
    };
    for (const Step& s : steps) {
        env.platform.expectMsg(MsgResult::OK);
        save();
        ASSERT_FALSE(env.platform.messages().empty());
        const MsgBoxSpec& shown = env.platform.messages().back();
        EXPECT_EQ(shown.text, QString::fromUtf8(s.note));
        EXPECT_EQ(shown.caption, QStringLiteral("Note"));
        EXPECT_EQ(shown.icon, MsgIcon::Information);
        EXPECT_EQ(shown.buttons, MsgButtons::OK);
        EXPECT_EQ(QApplication::focusWidget(), foodBox(*dialog, s.focus)) << s.note;
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(rowCount(db(), QStringLiteral("CSR14")), before);
        type(s.slot, QString::fromUtf8(s.text));
    }
    // Nothing was converted by the failed attempts; the last one passes.
    EXPECT_EQ(foodBox(*dialog, 32)->text(), QStringLiteral("120"));
    save();
    EXPECT_EQ(storedField(db(), QStringLiteral("Nan's pie"), QStringLiteral("ENERG_KCAL"))
                  .value_or("NULL")
                  .toDouble(),
              200.0);
}

TEST_F(AddFoodDialog, AWeightThatIsNoNumberIsReportedAndNothingConverted) {
    typeTrailMix();
    type(32, QStringLiteral("a bag"));
    env.platform.expectMsg(MsgResult::OK);
    save();
    ASSERT_EQ(env.platform.messages().size(), 1u);
    EXPECT_EQ(env.platform.messages()[0].text,
              QStringLiteral("Error number 13 was encountered.\n\rWhich is described as: Type "
                             "mismatch"));
    EXPECT_EQ(env.platform.messages()[0].caption, kAppTitle);
    EXPECT_EQ(foodBox(*dialog, 2)->text(), QStringLiteral("300"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Data1.editMode(), EditMode::Adding);
}

TEST_F(AddFoodDialog, AfterAFailedSaveTheTypedValuesAreSavedOnce) {
    typeTrailMix();
    {
        SQLite::Database file(db().toStdString(), SQLite::OPEN_READWRITE);
        file.exec(
            "CREATE TRIGGER refuse BEFORE INSERT ON CSR14 BEGIN "
            "SELECT RAISE(ABORT, 'disk is full'); END");
    }
    env.platform.expectMsg(MsgResult::OK, QStringLiteral("Error number "));
    save();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(foodBox(*dialog, 2)->text(), QStringLiteral("300"));
    EXPECT_EQ(foodBox(*dialog, 6)->text(), QStringLiteral("5"));
    EXPECT_EQ(dialog->Data1.editMode(), EditMode::Adding);
    {
        SQLite::Database file(db().toStdString(), SQLite::OPEN_READWRITE);
        file.exec("DROP TRIGGER refuse");
    }
    save();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(stored("ENERG_KCAL").value_or("NULL").toDouble(), 120.0);
    EXPECT_EQ(stored("FIBER_TD").value_or("NULL").toDouble(), 2.0);
}

TEST_F(AddFoodDialog, EnterMovesToTheNextBoxInsteadOfSaving) {
    typeTrailMix();
    foodBox(*dialog, 0)->setFocus();
    QTest::keyClick(foodBox(*dialog, 0), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), foodBox(*dialog, 33));
    QTest::keyClick(foodBox(*dialog, 33), Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), foodBox(*dialog, 32));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(rowCount(db(), QStringLiteral("CSR14")), before);
}

TEST_F(AddFoodDialog, CancelAndTheCloseControlDiscardTheRow) {
    typeTrailMix();
    QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->Data1.editMode(), EditMode::None);

    auto again = std::make_unique<frmDbaseAdd>(env.platform);
    again->Form_Load();
    again->show();
    typeInto(*again, 0, QStringLiteral("Trail mix"));
    again->close();
    EXPECT_EQ(again->Data1.editMode(), EditMode::None);
    EXPECT_EQ(again->result(), QDialog::Rejected);
    EXPECT_EQ(rowCount(db(), QStringLiteral("CSR14")), before);
}

TEST_F(AddFoodDialog, ShowsItsCaptionsAndQuickHelp) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Adding a new item to the reference database"));
    EXPECT_EQ(dialog->boxes.lblLabels[33]->text(),
              QStringLiteral("Enter a description of the portion size being used for this item"));
    EXPECT_EQ(dialog->boxes.lblLabels[17]->buddy(), foodBox(*dialog, 17));
    EXPECT_EQ(foodBox(*dialog, 23)->accessibleName(), QStringLiteral("Pantothenic acid, mg"));

    const QTextDocument* doc = dialog->RTBox->document();
    const QString text = doc->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Quick Help: In the first box enter")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("click Save.\n\n")));
    const QTextBlock first = doc->firstBlock();
    auto it = first.begin();
    const QTextFragment bold = it.fragment();
    EXPECT_EQ(bold.text(), QStringLiteral("Quick Help: "));
    EXPECT_EQ(bold.charFormat().fontWeight(), QFont::Bold);
    const QTextFragment regular = (++it).fragment();
    EXPECT_NE(regular.charFormat().fontWeight(), QFont::Bold);
    for (const QTextFragment& f : {bold, regular}) {
        EXPECT_EQ(f.charFormat().fontFamilies().toStringList().value(0),
                  QStringLiteral("Times New Roman"));
        EXPECT_EQ(f.charFormat().fontPointSize(), 10.0);
    }
}

}  // namespace
}  // namespace pw::test
