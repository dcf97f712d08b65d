#pragma once

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/FormB.h"
#include "data/Database.h"
#include "data/RecordCursor.h"
#include "meals/frmNewMeal.h"
#include "platform/BoundList.h"
#include "platform/GlobalModule.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

namespace pw::test {

inline const QDate kDate(2002, 3, 4);

inline void press(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
// Clicks a dialog button and lets queued work of the dialog (a close while shown) run.
inline void click(QDialog& d, const char* name) {
    press(d.findChild<QPushButton*>(QLatin1String(name)));
    QCoreApplication::sendPostedEvents();
}
// Types into a box of the dialog, replacing what it held.
inline void type(QDialog& d, const char* name, const QString& text) {
    auto* b = d.findChild<QLineEdit*>(QLatin1String(name));
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Delete);
    QTest::keyClicks(b, text);
}

// The main window over a program folder of its own, prompts answered by a script.
class MealsTest : public ::testing::Test {
protected:
    explicit MealsTest(ProgramFolder::Content content = ProgramFolder::Content::Fixture)
        : folder(content) {
        globals().svCustomDB = folder.customDb();
        globals().svMealDB = folder.mealDb();
        globals().programDir = folder.path();
    }
    void TearDown() override {
        form.reset();
        platform.verifyDone();
        closeAllConnections();
    }
    QString db() const { return folder.mealDb(); }

    // Opens the main window as the program does at start-up.
    void openWindow() {
        if (rowCount(db(), QStringLiteral("Meals")) == 0)
            platform.expectMsg(MsgResult::OK, QStringLiteral("There are no records yet"));
        form = std::make_unique<FormB>(platform);
        form->Form_Load();
    }
    // The next modal window, activated as the desktop would (focus rules need it), `act` in it.
    void expectDialog(const std::function<void(QDialog&)>& act) {
        platform.expectModal([act](QDialog& d) {
            QApplication::setActiveWindow(&d);
            act(d);
        });
    }
    void showMealDialog(const std::function<void(QDialog&)>& act) {
        expectDialog(act);
        platform.showModal(form->newMealDialog());
        form->unloadNewMealDialog();
    }
    // Selects a food in the list as a click would; with `add`, double-clicks it.
    void pickFood(const QString& description, bool add = false) {
        BoundList* list = form->DBList1;
        list->setCurrentRow(list->findFirst(description));
        ASSERT_EQ(list->text(), description);
        if (!add) return;
        const QPoint at = list->visualRect(list->currentIndex()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }
    bool picking() const { return form->DBList1->isVisible(); }

    // The `fields` of every row `sql` selects, row after row, read through a cursor of its own.
    QStringList rows(const QString& sql, std::initializer_list<const char*> fields) const {
        RecordCursor c;
        c.setDatabaseName(db());
        c.setRecordSource(sql);
        c.refresh();
        QStringList out;
        if (c.recordCount() > 0)
            for (c.moveFirst(); !c.eof(); c.moveNext())
                for (const char* f : fields) out << c.text(QLatin1String(f));
        return out;
    }
    QStringList numbers(const QString& table) const {
        return rows("Select ALL * from " + table, {"MealNumber"});
    }
    QStringList stored(int meal, std::initializer_list<const char*> fields) const {
        return rows("Select ALL * from Meals Where MealNumber = " + QString::number(meal), fields);
    }
    // Makes every `action` ("INSERT", "UPDATE", "DELETE") on Meals fail, as a full disk would.
    void refuse(const QString& action, bool on = true) const {
        connection(db())->exec(
            (on ? QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON Meals "
                                 "BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
                : QStringLiteral("DROP TRIGGER refuse_%1"))
                .arg(action)
                .toStdString());
    }

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
};

}  // namespace pw::test
