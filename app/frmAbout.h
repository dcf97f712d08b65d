#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;

namespace pw {

// The About box: the version and the display the program needs, drawn on the window's own
// surface. Modeless, owned by the main window and centred on it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner);
    ~frmAbout() override;

    // The lines drawn from the top of the window, in order.
    static QStringList lines();

    void Command1_Click();

    QPushButton* Command1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int m_textHeight = 0;  // height of the drawn lines
};

}  // namespace pw
