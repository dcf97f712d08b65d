#pragma once

#include <QDialog>
#include <QHash>
#include <functional>

#include "platform/TwipsLayout.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pw {

class Platform;
struct MainCursors;
struct SharedState;

// The portion dialog: how much of the current meal item was eaten, as grams or as a number of
// one of the food's two household units. Submit records the portion in the global values
// vPortionGrams, svPortionUnit and vPortionQuantity; Cancel (or closing the window) sets the
// shared bvCancel. Each showing is a new dialog, loaded afresh.
class frmPortion : public QDialog {
    Q_OBJECT
public:
    // Finds a food by description on the food cursor (the main window's findFood): false, after
    // telling the user, when absent.
    using FindFood = std::function<bool(const QString& description)>;
    frmPortion(SharedState& state, MainCursors& cursors, Platform& platform, FindFood findFood,
               QWidget* parent = nullptr);
    ~frmPortion() override;

    void Form_Activate();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void cmdSubmit_Click();
    void cmdCancel_Click();

    // Closing by any means but Submit (Escape, the window's close control) is a Cancel.
    void reject() override;

    QLabel* lblItem = nullptr;
    QLabel* lblDescrip = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QLineEdit* TextOp1 = nullptr;
    QLineEdit* TextOp2 = nullptr;
    QLineEdit* TextOp3 = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* Line3 = nullptr;
    QPushButton* cmdSubmit = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* Label1 = nullptr;
    QButtonGroup* options = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    // Captions an option and names its box after it for assistive technology.
    void setOptionCaption(QRadioButton* option, QLineEdit* box, const QString& caption);
    // Enables the box of the option chosen, empties and disables the others, focuses it.
    void chooseBox(QLineEdit* box);

    // Grows the form to its texts and centres it on the screen.
    void fitToTexts();
    // Sets an option's caption, broken into lines at the option's width.
    void wrapCaption(QRadioButton* option);
    // Shows the item's description in the lines the label has room for.
    void fitDescription();

    SharedState& m_state;
    MainCursors& m_cursors;
    Platform& m_platform;
    FindFood m_findFood;
    bool m_activated = false;
    TwipsLayout m_layout;
    QHash<QRadioButton*, QString> m_captions;  // each option's caption, unbroken
    QString m_description;                     // the item's description, unbroken
};

}  // namespace pw
