#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pw {

class Platform;

// A small modal window asking for two texts: two labelled boxes (each named for a screen reader
// by its label), an optional note below them, OK (the default button) and Cancel. Escape and the
// close button cancel. OK runs cmdOK_Click, guarded; the window closes when it accepts.
class TwoBoxDialog : public QDialog {
    Q_OBJECT
public:
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* lblNote = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    // `labels`: the two boxes' captions with their mnemonic ("&Date"); `note` may be empty.
    TwoBoxDialog(Platform& platform, const QString& title, const QString& label1,
                 const QString& label2, const QString& note, QWidget* parent);
    virtual void cmdOK_Click() = 0;

    Platform& m_platform;
};

}  // namespace pw
