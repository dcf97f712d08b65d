#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/FormB.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

class QDialog;
class QLineEdit;
class QPushButton;

namespace pw::test {

// The main window over a program folder of its own, prompts answered by a script.
class MealWindow {
public:
    explicit MealWindow(ProgramFolder::Content content = ProgramFolder::Content::Fixture);
    ~MealWindow();

    // Constructs FormB and runs its load; with an empty meal store the no-records message is
    // expected.
    void load();

    // The next modal window is the meal dialog, activated as the desktop would, `handler`
    // acting in it.
    void expectMealDialog(const std::function<void(QDialog&)>& handler);
    // Shows the meal dialog as the main window does.
    void showMealDialog(const std::function<void(QDialog&)>& handler);

    FormB& form() { return *m_form; }
    ScriptedPlatform& platform() { return m_platform; }
    const QString& mealDb() const { return m_mealDb; }

private:
    ProgramFolder m_folder;
    QString m_mealDb;
    ScriptedPlatform m_platform;
    std::unique_ptr<FormB> m_form;
};

QLineEdit* box(QDialog& d, const char* name);
QPushButton* button(QDialog& d, const char* name);
// Clicks a dialog button; lets queued work of the dialog (a close while being shown) run.
void click(QDialog& d, const char* name);
// Types into a box of the dialog, replacing what it held.
void type(QDialog& d, const char* name, const QString& text);
// Lets a dialog that closes itself while it is shown finish closing.
void settle();

// Values read straight from the meal file.
QStringList mealNumbers(const QString& mealDb);   // MealNumber of every MealNumbers row
QStringList mealsNumbers(const QString& mealDb);  // MealNumber of every Meals row, in order
// Makes every `action` ("INSERT", "DELETE") on `table` fail, as a full disk would; undone by
// allow().
void refuse(const QString& mealDb, const QString& action, const QString& table);
void allow(const QString& mealDb, const QString& action, const QString& table);

}  // namespace pw::test
