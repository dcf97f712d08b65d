#pragma once

#include "data/RecordCursor.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace pw {

class BoundList;
class FoodListPanel;
class RuntimeError;
class Platform;
class ReportFigures;
class frmReportChart;
class frmNewMeal;

// The main window: the meal view, the food picker, the report box and every command.
// Its public variables are the state that all windows share.
class FormB : public QMainWindow {
    Q_OBJECT
public:
    FormB(Platform& platform, QWidget* parent = nullptr);
    ~FormB() override;

    Platform& platform() { return m_platform; }

    // ---- Shared state ----
    QString svCR;             // carriage return + line feed
    QString sMealNum;         // meal number of the meal the item cursor shows
    QString svA;              // the item cursor's query text
    qint16 lTotalRecordsB = 0;
    QString svMealNumber;     // meal that new items go into
    QString svMealName;
    QString svDate;
    bool vSelectExisting = false;
    bool varOK = false;       // a new meal was just created and has no item yet
    bool vCancelFlag = false; // the meal dialog was left with Cancel
    qint16 ivHoldNumber = 0;
    qint16 vAbsPosition = 0;
    QString svPortionDescrip;
    bool bvCancel = false;    // the portion dialog was left with Cancel
    qint16 ivReport = 0;
    QString svMealNum1;
    QString svMealNum2;
    float ivOrigMealNum = 0;
    bool bvHit = false;
    qint16 iFoodCount = 0;

    // The working value array: slots 0..31 of a food or item, 33/34 unit and quantity, 41 grams.
    std::array<QString, 42> S;

    // ---- Cursors and their bound fields ----
    RecordCursor Data1;   // the food cursor over CSR14
    RecordCursor DataB;   // the item cursor over Meals
    BoundFields txtFields;  // Data1 by nutrient slot 0..38
    BoundFields txtFieldB;  // DataB by binding index 0..41

    // ---- Controls ----
    QPushButton* cmdBMoveFirst = nullptr;
    QPushButton* cmdBMovePrevious = nullptr;
    QPushButton* cmdBMoveNext = nullptr;
    QPushButton* cmdBMovelast = nullptr;
    QPushButton* cmdAddMeal = nullptr;
    QPushButton* cmdSelect = nullptr;
    QPushButton* cmdAddItem = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdPortionAdjust = nullptr;
    QPushButton* cmdCustom = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblRecordCountB = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QTextEdit* RTBox = nullptr;
    BoundList* DBList1 = nullptr;
    QFrame* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblFrame2 = nullptr;
    QPushButton* cmdPageUp = nullptr;
    QPushButton* cmdPageDown = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblRecordCount = nullptr;

    // ---- Menus ----
    QMenu* mnuFile = nullptr;
    QAction* mnuSaveReport = nullptr;
    QAction* mnuExportCsv = nullptr;
    QAction* mnuPrintReport = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuStep1 = nullptr;
    QAction* mnuAddnew = nullptr;
    QAction* mnuSelectMeal = nullptr;
    QMenu* mnuStep2 = nullptr;
    QAction* mnuAddItem = nullptr;
    QAction* mnuRemove = nullptr;
    QMenu* mnuStep3 = nullptr;
    QAction* mnuAdjust = nullptr;
    QMenu* mnuReport = nullptr;
    QAction* mnuReportMealNumber = nullptr;
    QAction* mnuReportRangeMealNumbers = nullptr;
    QAction* mnuReportSpecificDate = nullptr;
    QAction* mnuReportRangeDates = nullptr;
    QAction* mnuReportChart = nullptr;
    QMenu* mnuHelpMenu = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuDailyValues = nullptr;
    QAction* mnuAbout = nullptr;

    // ---- Start-up, shell and shared procedures (app/) ----
    // Opens both databases and sets the first state; shows the window part way through.
    void Form_Load();
    void LockSet2();
    void UnLockSet2();
    void StartOver();
    void ResetDataB();
    void cmdBSave();
    void mnuAddnew_Click();
    void mnuSelectMeal_Click();
    void mnuExit_Click();
    void cmdClose_Click();

    // ---- Food browsing and picking (meals/FormB_foods.cpp) ----
    void Data1_Reposition();
    // The food cursor's error event: a failure of Data1 that no procedure traps.
    void Data1_Error(const RuntimeError& error);
    // Finds a food by description on Data1; false (after the "not found" message, or the food
    // cursor's error) when absent.
    bool findFood(const QString& description);
    void FillArray_S_from_Data1();
    void FillText1_from_Array_S();
    void DBList1_Click();
    void DBList1_DblClick();
    void cmdPageUp_MouseDown();
    void cmdPageDown_MouseDown();
    void mnuAddItem_Click();
    void FillDataB_from_Data1();
    void cmdCancel_Click();

private:
    enum class FoodSearch { Found, NotFound, Failed };
    FoodSearch searchFood(const QString& description);
    // Enter or a double click in the food list: adds the food the list shows selected.
    void addSelectedFood();
    // DBList1 and its page buttons, and when a choice in the list shows a food's detail.
    FoodListPanel* m_foodList = nullptr;

public:

    // ---- Meal items (meals/FormB_items.cpp) ----
    void cmdBMoveFirst_Click();
    void cmdBMovePrevious_Click();
    void cmdBMoveNext_Click();
    void cmdBMovelast_Click();
    void DataB_Reposition();
    void FillArray_S_from_DataB();
    void cmdPortionAdjust_Click();
    void ScaleDataB_from_Data1();
    void mnuRemove_Click();
    // The meal dialog, loaded (hidden) on first reference; unloading drops it.
    frmNewMeal& newMealDialog();
    void unloadNewMealDialog();

    // ---- Reports (reports/FormB_reports.cpp) ----
    // Report storage by nutrient slot: the totals (0..41), and for slots 2..31 the percent
    // Daily Values and the texts appended to their report lines.
    std::array<double, 42> dTotals{};
    std::array<double, 32> dPercentDV{};
    std::array<QString, 32> svDV;
    // The report dialog's values that outlive one opening: the meal number it remembered and
    // the query text it sent last.
    float frmReportMealNumber = 0;
    QString frmReportLastQuery;
    // The text the last report put into Text2, exactly as built, CR LF line ends. The user may
    // have edited Text2 since: saving and printing take reportOnDisplay().
    QString reportText;
    // The text Text2 holds now, lines ended by CR LF.
    QString reportOnDisplay() const;
    void CalcDV();
    // The report engine for kind 1 (one meal), 2 (range of meals), 3 (one date), 4 (dates).
    void runReport(int kind);
    void mnuReportMealNumber_Click();
    void mnuReportRangeMealNumbers_Click();
    void mnuReportSpecificDate_Click();
    void mnuReportRangeDates_Click();
    void mnuSaveReport_Click();
    void mnuPrintReport_Click();
    void mnuFileOpen_Click();

    // ---- Report chart and CSV (reports/FormB_chart.cpp) ----
    // The numbers of the report on display, kept by keepReportFigures when the report is made.
    std::shared_ptr<const ReportFigures> reportFigures;
    void keepReportFigures(int kind);
    void mnuReportChart_Click();
    void mnuExportCsv_Click();
    // The chart window while it is open; null when closed.
    frmReportChart* chartWindow() const;

    // ---- Customisation (custom/FormB_custom.cpp) ----
    void cmdCustom_Click();

    // ---- Help (viewers/FormB_help.cpp) ----
    void mnuHelp_Click();
    void mnuDailyValues_Click();
    void mnuAbout_Click();
    // The help viewer and the About box while they are open; null when closed.
    class frmHLP* helpViewer() const { return m_frmHLP; }
    class frmAbout* aboutBox() const { return m_frmAbout; }

private:
    // Shows the document `fileName` of the program folder in the one help viewer.
    void showHelpDocument(const QString& fileName);
    frmHLP* m_frmHLP = nullptr;
    frmAbout* m_frmAbout = nullptr;

public:

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();
    // Connections made by the subsystems' own files (each defined in its folder).
    void connectFoodHandlers();
    void connectItemHandlers();
    void connectChartHandlers();
    // The meal commands (buttons and menus) all usable, or none: LockSet2 while a food is being
    // picked, UnLockSet2 afterwards.
    void enableMealCommands(bool enabled);

    Platform& m_platform;
    std::unique_ptr<frmNewMeal> m_frmNewMeal;
    double m_adjustFactor = 0;  // portion adjustment: grams / 100
    QString m_mealHeaderQuery;
};

}  // namespace pw
