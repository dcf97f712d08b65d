#pragma once

#include <QDialog>

#include "custom/FoodBoxes.h"
#include "custom/NewFood.h"
#include "data/RecordCursor.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace pw {

class Platform;
class RuntimeError;

// The add-food dialog: the user types the values of one portion of a food; Save converts them to
// 100 g and stores the food as a user food. Every opening is a fresh dialog with a new row.
class frmDbaseAdd : public QDialog {
    Q_OBJECT
public:
    explicit frmDbaseAdd(Platform& platform, QWidget* parent = nullptr);
    ~frmDbaseAdd() override;

    // Opens the cursor on the food table, puts the quick help and starts the new row.
    void Form_Load();
    void cmdSave_Click();
    void cmdCancel_Click();

    // The window's close control and Escape discard the pending row, as Cancel does.
    void reject() override;

    RecordCursor Data1;
    BoundFields fields;  // Data1 by nutrient slot
    FoodBoxes boxes;     // the entry boxes (txtFields) with their labels (lblLabels)
    QLabel* lblInstruction = nullptr;
    QTextEdit* RTBox = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    // Enter in a box moves on to the next box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    FoodEntry typedEntry() const;
    void showEntry(const FoodEntry& entry);
    void reportSaveError(const RuntimeError& error);

    Platform& m_platform;
};

}  // namespace pw
