#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "platform/SharedState.h"
#include "reports/DailyValues.h"

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
enum class ReportKind : qint16;
class ReportChartWindow;
class frmNewMeal;
class frmHLP;
class frmAbout;

// The main window: the meal view, the food picker, the report box and every command. It owns the
// shared state and the two cursors (its bases, so its handlers name the variables plainly); the
// dialogs are given those, not the window.
class FormB : public QMainWindow, public SharedState, public MainCursors {
    Q_OBJECT
public:
    FormB(Platform& platform, QWidget* parent = nullptr);
    ~FormB() override;

    Platform& platform() { return m_platform; }
    SharedState& state() { return *this; }
    MainCursors& cursors() { return *this; }

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
    // What FillText1_from_Array_S last put into Text1, and Text1's revision then.
    QString m_detailShown;
    int m_detailRevision = -1;
    void DBList1_Click();
    void DBList1_DblClick();
    void cmdPageUp_MouseDown();
    void cmdPageDown_MouseDown();
    void mnuAddItem_Click();
    void FillDataB_from_Data1();
    void cmdCancel_Click();
    // "Find a food...": picking starts as "Add an item" starts it, then the Find window opens.
    void mnuFind_Click();

    // ---- Meal items and portions (meals/FormB_items.cpp, meals/FormB_portion.cpp) ----
    void cmdBMoveFirst_Click();
    void cmdBMovePrevious_Click();
    void cmdBMoveNext_Click();
    void cmdBMovelast_Click();
    void DataB_Reposition();
    void FillArray_S_from_DataB();
    void cmdPortionAdjust_Click();
    void ScaleDataB_from_Data1();
    void mnuRemove_Click();
    // Copies the meal shown to a new meal (frmCopyMeal) and shows the copy.
    void mnuCopyMeal_Click();
    // Saves the meal shown as a food of one's own (frmSaveRecipe).
    void mnuSaveRecipe_Click();
    // The meal dialog, loaded (hidden) on first reference; unloading drops it.
    frmNewMeal& newMealDialog();
    void unloadNewMealDialog();

    // ---- Reports (reports/FormB_reports.cpp) ----
    void CalcDV();
    // The report engine for every kind of report.
    void runReport(ReportKind kind);
    void mnuReportMealNumber_Click();
    void mnuReportRangeMealNumbers_Click();
    void mnuReportSpecificDate_Click();
    void mnuReportRangeDates_Click();
    void mnuSaveReport_Click();
    void mnuPrintReport_Click();
    // The Daily Values the reports, the chart and the CSV measure against: the standard ones
    // unless the user set their own (read from the data folder's settings file at start-up).
    DailyValueTargets dailyValueTargets;
    // The food list read ahead while the main window was built; Form_Load takes it.
    ColumnRead foodListAhead;
    void mnuYourDailyValues_Click();
    // The text the last report put into Text2, exactly as built, CR LF line ends. The user may
    // have edited Text2 since: saving and printing take reportOnDisplay().
    QString reportText;
    // The text Text2 holds now, lines ended by CR LF.
    QString reportOnDisplay() const;

    // ---- Report chart and CSV (reports/FormB_chart.cpp) ----
    // The numbers of the report on display, kept by keepReportFigures when the report is made.
    std::shared_ptr<const ReportFigures> reportFigures;
    void keepReportFigures(ReportKind kind);
    void mnuReportChart_Click();
    void mnuExportCsv_Click();
    // The chart window while it is open; null when closed.
    ReportChartWindow* chartWindow() const;

    // ---- Customisation (custom/FormB_custom.cpp) ----
    void cmdCustom_Click();
    // The food list read again, after the user's foods have changed.
    void requeryFoodList();

    // ---- Backups and the diary as CSV (app/FormB_backup.cpp) ----
    void mnuBackUpNow_Click();
    void mnuRestore_Click();
    void mnuExportMeals_Click();

    // ---- Help and the text file reader (viewers/FormB_help.cpp) ----
    void mnuHelp_Click();
    void mnuDailyValues_Click();
    void mnuAbout_Click();
    void mnuFileOpen_Click();
    // The help viewer and the About box while they are open; null when closed.
    frmHLP* helpViewer() const { return m_frmHLP; }
    frmAbout* aboutBox() const { return m_frmAbout; }

    // ---- Controls and menus (public so that tests can press them) ----
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

    QMenu* mnuFile = nullptr;
    QAction* mnuSaveReport = nullptr;
    QAction* mnuExportCsv = nullptr;
    QAction* mnuPrintReport = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuBackUpNow = nullptr;
    QAction* mnuRestore = nullptr;
    QAction* mnuExportMeals = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuStep1 = nullptr;
    QAction* mnuAddnew = nullptr;
    QAction* mnuSelectMeal = nullptr;
    QAction* mnuCopyMeal = nullptr;
    QAction* mnuSaveRecipe = nullptr;
    QMenu* mnuStep2 = nullptr;
    QAction* mnuAddItem = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuRemove = nullptr;
    QMenu* mnuStep3 = nullptr;
    QAction* mnuAdjust = nullptr;
    QMenu* mnuReport = nullptr;
    QAction* mnuReportMealNumber = nullptr;
    QAction* mnuReportRangeMealNumbers = nullptr;
    QAction* mnuReportSpecificDate = nullptr;
    QAction* mnuReportRangeDates = nullptr;
    QAction* mnuReportChart = nullptr;
    QAction* mnuYourDailyValues = nullptr;
    QMenu* mnuHelpMenu = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuDailyValues = nullptr;
    QAction* mnuAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    // Each folder wires the handlers it defines, in its own file.
    void connectHandlers();        // app/FormB.cpp
    void connectFoodHandlers();    // meals/FormB_foods.cpp
    void connectItemHandlers();    // meals/FormB_items.cpp
    void connectReportHandlers();  // reports/FormB_reports.cpp
    void connectChartHandlers();   // reports/FormB_chart.cpp
    void connectCustomHandlers();  // custom/FormB_custom.cpp
    void connectHelpHandlers();    // viewers/FormB_help.cpp
    void connectBackupHandlers();  // app/FormB_backup.cpp
    // A button's click or a menu command's trigger runs `handler` under the guard.
    void onClick(QPushButton* button, void (FormB::*handler)());
    void onTrigger(QAction* action, void (FormB::*handler)());

    enum class FoodSearch { Found, NotFound, Failed };
    FoodSearch searchFood(const QString& description);
    // Enter or a double click in the food list: adds the food the list shows selected.
    void addSelectedFood();
    // Shows the document `fileName` of the program folder in the one help viewer.
    void showHelpDocument(const QString& fileName);
    // DBList1 and its page buttons, and when a choice in the list shows a food's detail.
    FoodListPanel* m_foodList = nullptr;
    // The meal commands (buttons and menus) all usable, or none: LockSet2 while a food is being
    // picked, UnLockSet2 afterwards.
    void enableMealCommands(bool enabled);

    Platform& m_platform;
    std::unique_ptr<frmNewMeal> m_frmNewMeal;
    frmHLP* m_frmHLP = nullptr;
    frmAbout* m_frmAbout = nullptr;
    double m_adjustFactor = 0;  // portion adjustment: grams / 100
    QString m_mealHeaderQuery;
};

}  // namespace pw
