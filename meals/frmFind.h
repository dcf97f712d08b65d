#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

#include "meals/FoodSearch.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pw {

class Platform;

// "Find a Food": finds foods by the words people use, or lists the user's frequent foods, or
// ranks foods by a nutrient. It changes nothing itself; it hands back the food chosen and what
// to do with it.
class frmFind : public QDialog {
    Q_OBJECT
public:
    struct Options {
        QString customDb;
        QString mealDb;           // the frequent foods come from here
        bool listedOnly = false;  // only the foods the customising window lists
        bool offerAdd = true;     // "&Add to Meal"
    };
    enum class Action { Show, Add };
    struct Choice {
        Action action = Action::Show;
        QString description;
    };

    frmFind(Platform& platform, Options options, QWidget* parent = nullptr);
    ~frmFind() override;

    // The food chosen; empty after Close.
    std::optional<Choice> choice() const { return m_choice; }

    void txtFind_Change();
    void cmdShow_Click();
    void cmdAdd_Click();

    QLineEdit* txtFind = nullptr;
    QListWidget* lstFound = nullptr;
    QComboBox* cboOrder = nullptr;
    QComboBox* cboBasis = nullptr;
    QPushButton* cmdShow = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void choose(Action action);

    Platform& m_platform;
    Options m_options;
    std::vector<int> m_shown;  // food index of each line
    std::optional<Choice> m_choice;
};

}  // namespace pw
