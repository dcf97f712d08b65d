#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

class QDialog;
class QLineEdit;
class QWidget;

namespace pw {
class FormB;
class BoundList;
}  // namespace pw

namespace pw::test {

// A program folder of its own with the global paths pointing into it, and a scripted platform.
class CustomFolder {
public:
    explicit CustomFolder(ProgramFolder::Content content = ProgramFolder::Content::Fixture);
    ~CustomFolder();

    // Constructs the main window and runs its load (no meals: the no-records message).
    FormB& loadMainWindow();

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
};

// A field of the first CSR14 row with this description, read straight from the file; nullopt
// when the field is NULL (or no such row exists).
std::optional<QString> storedField(const QString& customDb, const QString& description,
                                   const QString& field);
// The CSR14 rows with this description.
int foodsNamed(const QString& customDb, const QString& description);

// The entry box of `slot` in a food window.
QLineEdit* foodBox(QWidget& window, int slot);
// Types into a food box, replacing what it held.
void typeInto(QWidget& window, int slot, const QString& text);
// Clicks the row of a bound list showing `text` with the mouse.
void clickRow(BoundList* list, const QString& text);
// The texts of every row of a bound list.
QStringList rows(const BoundList* list);

}  // namespace pw::test
