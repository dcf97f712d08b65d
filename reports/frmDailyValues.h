#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "reports/DailyValues.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace pw {

class Platform;

// The user's Daily Values read from the settings file at `path` for the start of the program.
// Whatever could not be read keeps its standard value and is told in one message naming the
// file; the file itself is left as it is.
DailyValueTargets loadDailyValueTargets(Platform& platform, const QString& path);

// "Your Daily Values": a calorie level and a value of one's own for any nutrient with a Daily
// Value. OK checks every value and saves them in the settings file at `settingsPath`; then
// chosenTargets() holds them. Cancel (or Esc) changes nothing.
class frmDailyValues : public QDialog {
    Q_OBJECT
public:
    frmDailyValues(const DailyValueTargets& current, QString settingsPath, Platform& platform,
                   QWidget* parent = nullptr);
    ~frmDailyValues() override;

    // The values saved by OK; nullopt until then.
    const std::optional<DailyValueTargets>& chosenTargets() const { return m_chosen; }

    QSpinBox* txtCalorieLevel = nullptr;
    QScrollArea* scrollValues = nullptr;
    // One per nutrient, in the order of dailyValueTable().
    std::vector<QLineEdit*> txtYourValue;
    std::vector<QLabel*> lblInForce;
    QPushButton* cmdStandard = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdStandard_Click();
    void cmdOK_Click();

private:
    // The values as typed; nullopt (after a message naming what is wrong, with the focus on it)
    // when one of them is not acceptable.
    std::optional<DailyValueTargets> typedTargets();
    // The "In force" column for the level and the values typed so far.
    void showValuesInForce();

    QString m_settingsPath;
    Platform& m_platform;
    std::optional<DailyValueTargets> m_chosen;
};

}  // namespace pw
