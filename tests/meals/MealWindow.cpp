#include "tests/meals/MealWindow.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/Globals.h"
#include "data/Database.h"
#include "meals/frmNewMeal.h"

namespace pw::test {

MealWindow::MealWindow(ProgramFolder::Content content) : m_folder(content) {
    m_mealDb = m_folder.mealDb();
    globals().svCustomDB = m_folder.customDb();
    globals().svMealDB = m_mealDb;
}

MealWindow::~MealWindow() {
    m_form.reset();
    closeAllConnections();
}

void MealWindow::load() {
    m_form = std::make_unique<FormB>(m_platform);
    if (rowCount(m_mealDb, QStringLiteral("Meals")) == 0)
        m_platform.expectMsg(MsgResult::OK, QStringLiteral("There are no records yet"));
    m_form->Form_Load();
}

void MealWindow::expectMealDialog(const std::function<void(QDialog&)>& handler) {
    m_platform.expectModal([handler](QDialog& d) {
        // The desktop would activate a modal window; focus rules need an active window.
        QApplication::setActiveWindow(&d);
        handler(d);
    });
}

void MealWindow::showMealDialog(const std::function<void(QDialog&)>& handler) {
    expectMealDialog(handler);
    m_platform.showModal(m_form->newMealDialog());
    m_form->unloadNewMealDialog();
}

QLineEdit* box(QDialog& d, const char* name) {
    auto* b = d.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

QPushButton* button(QDialog& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

void click(QDialog& d, const char* name) {
    QTest::mouseClick(button(d, name), Qt::LeftButton);
    settle();
}

void type(QDialog& d, const char* name, const QString& text) {
    QLineEdit* b = box(d, name);
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Delete);
    QTest::keyClicks(b, text);
}

void settle() { QCoreApplication::sendPostedEvents(); }

namespace {
QStringList column(const QString& db, const char* sql) {
    SQLite::Database file(db.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(file, sql);
    QStringList out;
    while (st.executeStep()) out << QString::fromStdString(st.getColumn(0).getString());
    return out;
}
}  // namespace

QStringList mealNumbers(const QString& mealDb) {
    return column(mealDb, "SELECT MealNumber FROM MealNumbers ORDER BY MealNumber");
}

QStringList mealsNumbers(const QString& mealDb) {
    return column(mealDb, "SELECT MealNumber FROM Meals ORDER BY rowid");
}

void refuse(const QString& mealDb, const QString& action, const QString& table) {
    SQLite::Database file(mealDb.toStdString(), SQLite::OPEN_READWRITE);
    file.exec(QStringLiteral("CREATE TRIGGER refuse_%1_%2 BEFORE %1 ON %2 BEGIN "
                             "SELECT RAISE(ABORT, 'disk is full'); END")
                  .arg(action, table)
                  .toStdString());
}

void allow(const QString& mealDb, const QString& action, const QString& table) {
    SQLite::Database file(mealDb.toStdString(), SQLite::OPEN_READWRITE);
    file.exec(QStringLiteral("DROP TRIGGER refuse_%1_%2").arg(action, table).toStdString());
}

}  // namespace pw::test
