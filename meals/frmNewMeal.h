#pragma once

#include <QDialog>

namespace pw {

class FormB;

// The meal dialog: adds a new meal or selects a stored one.
class frmNewMeal : public QDialog {
    Q_OBJECT
public:
    explicit frmNewMeal(FormB& owner);
    ~frmNewMeal() override;

private:
    FormB& m_owner;
};

}  // namespace pw
