#pragma once

#include <QDialog>

#include "platform/TwipsLayout.h"
#include "reports/ReportKind.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pw {

class Platform;
struct MainCursors;
struct SharedState;

// The report request dialog: asks for one meal number, a range of meal numbers, one date or a
// range of dates (ivReport of the shared state), selects the matching Meals rows on the main
// window's item cursor, and closes with bvHit set when it found some.
class frmReport : public QDialog {
    Q_OBJECT
public:
    frmReport(SharedState& state, MainCursors& cursors, Platform& platform,
              QWidget* parent = nullptr);
    ~frmReport() override;

    // Requeries the item cursor for the meal remembered when the dialog opened.
    void Reset();
    // Tells the user an entry box is empty and clears both boxes.
    void Reject();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    // The kind of report asked for, from the shared state.
    ReportKind kind() const;
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Sets the item cursor's source to `query`, refreshes it and returns its full row count.
    int runQuery(const QString& query);
    // The end of every kind: no rows, too many rows, or the selection handed to the report.
    void commonEnding(int count);
    // The count as the report's 16-bit row count; false (after telling the user) when too many.
    bool fitsReport(int count);
    SharedState& m_state;
    MainCursors& m_cursors;
    Platform& m_platform;
    TwipsLayout m_layout;
};

}  // namespace pw
