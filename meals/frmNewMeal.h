#pragma once

#include <QDialog>
#include <functional>

#include "data/MealStore.h"
#include "data/RecordCursor.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pw {

class Platform;
class RuntimeError;
struct MainCursors;
struct SharedState;

// The meal dialog: adds a new meal (add mode) or steps through the stored meals and makes one the
// main window's current meal (select mode, vSelectExisting). Its header cursor
// DataMealInfo over MealNumbers is also used, without showing the dialog, when a meal is removed.
class frmNewMeal : public QDialog {
    Q_OBJECT
public:
    // Form_Load: builds the controls and opens the header cursor (no refresh yet).
    // Stores the main window's pending new row (its cmdBSave).
    using SaveItem = std::function<void()>;
    frmNewMeal(SharedState& state, MainCursors& cursors, Platform& platform, SaveItem saveItem,
               QWidget* parent = nullptr);
    // Form_Unload: the select mode ends with the dialog.
    ~frmNewMeal() override;

    RecordCursor DataMealInfo;  // the header cursor over MealNumbers

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;  // MealNumber, locked
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;  // MealName
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr;  // MealDate
    QLabel* lblRecordCount = nullptr;
    QPushButton* cmdMoveFirst = nullptr;
    QPushButton* cmdMovePrevious = nullptr;
    QPushButton* cmdMoveNext = nullptr;
    QPushButton* cmdMoveLast = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Runs each time the dialog is shown: prepares it for its mode.
    void Form_Activate();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdMoveFirst_Click();
    void cmdMovePrevious_Click();
    void cmdMoveNext_Click();
    void cmdMoveLast_Click();
    void DataMealInfo_Reposition();

    // The message for a meal the store refused: a missing or empty name or date, a date that is
    // no date, or any other failure.
    static void reportRefusedMeal(Platform& platform, const RuntimeError& error);

    // Escape and the window's close button count as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool selectMode() const;
    // Closes the dialog once the current event is over (it may be closing while being shown).
    void unloadLater();
    // The add-mode save: the MealNumbers row and the new meal's header row in Meals, together.
    void saveNewMeal();
    // The pending new row again, with the texts the user typed, after a save that failed.
    void offerAgain(const QString& number, const QString& name, const QString& date);

    SharedState& m_state;
    MainCursors& m_cursors;
    Platform& m_platform;
    SaveItem m_saveItem;
    int m_mealCount = 0;  // the header cursor's full record count
    qint16 m_nextMealNumber = 1;
    bool m_numbersExhausted = false;  // the highest meal number is in use
    QString m_itemQuery;              // the query OK sends to the main window's item cursor
};

}  // namespace pw
