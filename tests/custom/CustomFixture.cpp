#include "tests/custom/CustomFixture.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "app/FormB.h"
#include "app/Globals.h"
#include "data/Database.h"
#include "platform/BoundList.h"

namespace pw::test {

CustomFolder::CustomFolder(ProgramFolder::Content content) : folder(content) {
    globals().svCustomDB = folder.customDb();
    globals().svMealDB = folder.mealDb();
}

CustomFolder::~CustomFolder() {
    form.reset();
    closeAllConnections();
}

FormB& CustomFolder::loadMainWindow() {
    form = std::make_unique<FormB>(platform);
    if (rowCount(folder.mealDb(), QStringLiteral("Meals")) == 0)
        platform.expectMsg(MsgResult::OK, QStringLiteral("There are no records yet"));
    form->Form_Load();
    return *form;
}

std::optional<QString> storedField(const QString& customDb, const QString& description,
                                   const QString& field) {
    SQLite::Database file(customDb.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(file, QStringLiteral("SELECT \"%1\" FROM CSR14 WHERE Description = ? "
                                              "ORDER BY rowid")
                                   .arg(field)
                                   .toStdString());
    st.bind(1, description.toStdString());
    if (!st.executeStep() || st.getColumn(0).isNull()) return std::nullopt;
    return QString::fromStdString(st.getColumn(0).getString());
}

int foodsNamed(const QString& customDb, const QString& description) {
    SQLite::Database file(customDb.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(file, "SELECT COUNT(*) FROM CSR14 WHERE Description = ?");
    st.bind(1, description.toStdString());
    st.executeStep();
    return st.getColumn(0).getInt();
}

QLineEdit* foodBox(QWidget& window, int slot) {
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtFields_%1").arg(slot));
    EXPECT_NE(box, nullptr) << "box " << slot;
    return box;
}

void typeInto(QWidget& window, int slot, const QString& text) {
    QLineEdit* box = foodBox(window, slot);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void clickRow(BoundList* list, const QString& text) {
    const int row = rows(list).indexOf(text);
    ASSERT_GE(row, 0) << text.toStdString();
    list->scrollTo(list->model()->index(row, 0));
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

QStringList rows(const BoundList* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->rowText(i);
    return out;
}

}  // namespace pw::test
