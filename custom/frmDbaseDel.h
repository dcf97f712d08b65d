#pragma once

#include <QDialog>
#include <functional>

#include "custom/FoodBoxes.h"
#include "data/RecordCursor.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace pw {

class BoundList;
class FoodListPanel;
class Platform;

// The customising window: lists the user's own foods (and the sample foods), shows the record of
// the food picked, deletes user foods and opens the add-food dialog. Closing it requeries the
// main window's food list.
class frmDbaseDel : public QDialog {
    Q_OBJECT
public:
    // Requeries the main window's food list, so that it never offers a food deleted here.
    using RequeryMainList = std::function<void()>;
    frmDbaseDel(Platform& platform, RequeryMainList requeryMainList, QWidget* parent = nullptr);
    ~frmDbaseDel() override;

    // Runs the window's query, counts the foods and puts the quick help.
    void Form_Load();
    void Data1_Reposition();
    void DBList1_Click();
    void cmdPageUp_MouseDown();
    void cmdPageDown_MouseDown();
    void cmdDelete_Click();
    void cmdAddNew_Click();
    // The user's own foods to a CSV file, and foods from one (all of them or none).
    void cmdExportFoods_Click();
    void cmdImportFoods_Click();
    // Ctrl+F: the Find window over the foods listed here; Show selects the food in the list.
    void DBList1_Find();
    // Requeries the main window's food list and closes.
    void cmdDone_Click();

    // The window's close control and Escape requery the main food list as Done does, so that it
    // never offers a food deleted here.
    void reject() override;

    int recordTotal() const { return m_recordTotal; }

    RecordCursor Data1;
    FoodBoxes boxes;  // display boxes (txtFields, slot 1 holds the code) with their labels
    BoundList* DBList1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblRecordCount = nullptr;
    QTextEdit* Rtext1 = nullptr;
    QPushButton* cmdAddNew = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdDone = nullptr;
    QPushButton* cmdExportFoods = nullptr;
    QPushButton* cmdImportFoods = nullptr;
    QPushButton* cmdPageUp = nullptr;
    QPushButton* cmdPageDown = nullptr;

private:
    void buildControls();
    void connectHandlers();
    // Reads the food total: the last row, the count, back to the first row.
    void recount();
    // The list read again from the cursor, with the cursor's row selected.
    void refillList();
    void selectCursorRow();
    void showRecord();

    Platform& m_platform;
    RequeryMainList m_requeryMainList;
    int m_recordTotal = 0;
    FoodListPanel* m_foodList = nullptr;  // DBList1 and its page buttons
};

}  // namespace pw
